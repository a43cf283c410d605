// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"

#include "ui/skin/BoldText.h"
#include "ui/skin/SkinFont.h"

#include <QFontInfo>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace fonts {

namespace {

// Joined by the first font user, or at exit where the program ended before any.
struct ConfigurationReader {
    std::thread thread;
    void wait()
    {
        if (thread.joinable())
            thread.join();
    }
    ~ConfigurationReader() { wait(); }
};

ConfigurationReader &reader()
{
    static ConfigurationReader r;
    return r;
}

} // namespace

void startReadingConfiguration()
{
    // Qt asks the same configuration when its font database is first used and then finds
    // it read. (Fontconfig may be used from several threads.)
    if (!reader().thread.joinable())
        reader().thread = std::thread([] { FcInit(); });
}

void ensureTahoma()
{
    reader().wait();
    boldText::install();
    if (!tahomaKnown())
        registerTahoma();
}

void warnIfNoFace(const QFont &shown)
{
    // The toolkit's generic families are listed even then; a font that resolves to no
    // face tells. A font already shown is asked, so no other face is loaded for this.
    if (QFontInfo(shown).family().isEmpty())
        qWarning("No font is installed: texts are shown as boxes. Install fonts-wine and fonts-liberation2.");
}

} // namespace fonts
