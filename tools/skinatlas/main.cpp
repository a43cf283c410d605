// SPDX-License-Identifier: GPL-3.0-or-later
// Cuts the parts of the skin template that the painters read out of the template image
// and writes their pixels, one part after another in the order of skin::templateParts,
// as 32-bit RGB words in this machine's byte order. The program embeds the result, so it
// starts without decoding the whole template.
//   skinatlas TEMPLATE.png OUTPUT
#include "ui/skin/SkinRegions.h"

#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinatlas TEMPLATE.png OUTPUT\n");
        return 2;
    }
    const QImage whole = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (whole.width() != skin::kTemplateWidth || whole.height() != skin::kTemplateHeight) {
        std::fprintf(stderr, "skinatlas: %s is not a %d x %d image\n", argv[1], skin::kTemplateWidth,
                     skin::kTemplateHeight);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "skinatlas: cannot write %s\n", argv[2]);
        return 1;
    }
    for (const QRect &part : skin::templateParts(whole.width(), whole.height())) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            const auto *row = reinterpret_cast<const char *>(whole.constScanLine(y)) + part.left() * 4;
            if (out.write(row, qint64(part.width()) * 4) != qint64(part.width()) * 4)
                return 1;
        }
    }
    return out.flush() ? 0 : 1;
}
