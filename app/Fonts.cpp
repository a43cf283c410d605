// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Fonts.h"

#include "ui/skin/BoldText.h"
#include "ui/skin/SkinFont.h"

#include <QFile>
#include <QFontInfo>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace fonts {

namespace {

// The faces the program draws with, Tahoma and Arial (or Arial's metric twin, Liberation
// Sans), and the usual stand-in for any other, taken from the usual font folders through
// their caches and drawn with the usual defaults. The system's configuration is read from
// some sixty files and lists every face installed; reading it, and then the toolkit
// listing all those faces, were the largest steps before the first paint. The desktop's
// own font settings are left out as its palette is: the look is fixed.
constexpr char kConfiguration[] = R"(<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <dir>~/.fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir>/usr/lib/fontconfig/cache</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <cachedir>~/.fontconfig</cachedir>
  <selectfont>
    <acceptfont>
      <pattern><patelt name="family"><string>Tahoma</string></patelt></pattern>
      <pattern><patelt name="family"><string>Arial</string></patelt></pattern>
      <pattern><patelt name="family"><string>Liberation Sans</string></patelt></pattern>
      <pattern><patelt name="family"><string>DejaVu Sans</string></patelt></pattern>
    </acceptfont>
    <rejectfont><pattern/></rejectfont>
  </selectfont>
  <alias binding="same">
    <family>Arial</family>
    <accept><family>Liberation Sans</family></accept>
  </alias>
  <match target="pattern">
    <edit name="antialias" mode="append"><bool>true</bool></edit>
    <edit name="hintstyle" mode="append"><const>hintslight</const></edit>
    <edit name="lcdfilter" mode="append"><const>lcddefault</const></edit>
  </match>
</fontconfig>
)";

// Fontconfig's own variables name another configuration: that one is read, as by any
// program (the tests' machine without fonts is one).
bool environmentNamesConfiguration()
{
    for (const char *name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT"})
        if (qEnvironmentVariableIsSet(name))
            return true;
    return false;
}

bool offers(FcConfig *config, const char *family)
{
    FcPattern *pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family, nullptr);
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *found = pattern && objects ? FcFontList(config, pattern, objects) : nullptr;
    const bool any = found && found->nfont > 0;
    if (found)
        FcFontSetDestroy(found);
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    return any;
}

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

FcConfig *programConfiguration(const QStringList &tahomaFiles)
{
    FcConfig *config = FcConfigCreate();
    if (!config)
        return nullptr;
    if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(kConfiguration), FcTrue)
        || !FcConfigBuildFonts(config)) {
        FcConfigDestroy(config);
        return nullptr;
    }
    // Where the system has no Tahoma of its own, the copy outside the font folders.
    if (!offers(config, "Tahoma")) {
        for (const QString &file : tahomaFiles)
            FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8 *>(QFile::encodeName(file).constData()));
    }
    return config;
}

void startReadingConfiguration()
{
    if (reader().thread.joinable())
        return;
    // The toolkit asks fontconfig for its current configuration when its font database is
    // first used and then finds it made. (Fontconfig may be used from several threads.)
    if (environmentNamesConfiguration()) {
        reader().thread = std::thread([] { FcInit(); });
        return;
    }
    reader().thread = std::thread([files = tahomaFiles()] {
        FcConfig *config = programConfiguration(files);
        const bool current = config && FcConfigSetCurrent(config);
        if (config)
            FcConfigDestroy(config);   // the current configuration holds its own reference
        if (!current)
            FcInit();
    });
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
