#pragma once

// Accessible names, roles and actions for the program's custom-drawn controls (the
// skinned Back button, the caption-button cells) and the question grid, so that a screen
// reader can find and press them.
namespace accessibility {
void install();
} // namespace accessibility
