// SPDX-License-Identifier: GPL-3.0-or-later
// skingen: writes the program's artwork into assets/ (or the folder given as the
// only argument). A developer tool; the program itself only reads these files.
#include "tools/skingen/SkinArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#ifndef VELANTRA_ASSETS_DIR
#define VELANTRA_ASSETS_DIR "assets"
#endif

namespace {

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (image.save(path, "PNG"))
        return true;
    QTextStream(stderr) << "skingen: cannot write " << path << '\n';
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() > 2) {
        QTextStream(stderr) << "usage: skingen [output-folder]\n";
        return 2;
    }
    if (!skinart::ensureTahoma()) {
        QTextStream(stderr) << "skingen: Tahoma not found (install fonts-wine)\n";
        return 1;
    }

    QDir dir(args.size() == 2 ? args.at(1) : QStringLiteral(VELANTRA_ASSETS_DIR));
    if (!dir.mkpath(QStringLiteral("icons"))) {
        QTextStream(stderr) << "skingen: cannot create " << dir.filePath("icons") << '\n';
        return 1;
    }

    bool ok = save(skinart::drawSkinTemplate(1), dir, QStringLiteral("skin.png"));
    ok &= save(skinart::drawSkinTemplate(2), dir, QStringLiteral("skin@2x.png"));
    ok &= save(skinart::drawHandCursor(1), dir, QStringLiteral("hand.png"));
    ok &= save(skinart::drawHandCursor(2), dir, QStringLiteral("hand@2x.png"));
    for (int size : skinart::kAppIconSizes)
        ok &= save(skinart::drawAppIcon(size), dir,
                   QStringLiteral("icons/velantra-%1.png").arg(size));
    return ok ? 0 : 1;
}
