#pragma once

namespace fonts {
// Makes "Tahoma" available: registers the copy that the system's font packages install
// outside the font configuration, when the system does not know Tahoma already.
void ensureTahoma();
// Registers the regular and bold Tahoma files found among the system's data files.
void registerTahoma();
} // namespace fonts
