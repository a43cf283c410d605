#include "app/Fonts.h"

#include "ui/skin/BoldText.h"

#include <QFontDatabase>
#include <QStandardPaths>

namespace fonts {

void ensureTahoma()
{
    boldText::install();
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return;
    registerTahoma();
}

void registerTahoma()
{
    for (const char *file : {"wine/fonts/tahoma.ttf", "wine/fonts/tahomabd.ttf"}) {
        const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation, QString::fromLatin1(file));
        if (!path.isEmpty())
            QFontDatabase::addApplicationFont(path);
    }
}

} // namespace fonts
