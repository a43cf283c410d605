// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes one PNG and writes its pixels undecoded-ready: width and height as two 32-bit
// words, then the rows as 32-bit premultiplied ARGB words, all in this machine's byte
// order. The program embeds the result and shows its pointer and icons without loading
// an image decoder at start-up.
//   rawimage IMAGE.png OUTPUT
#include <QFile>
#include <QImage>

#include <cstdint>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rawimage IMAGE.png OUTPUT\n");
        return 2;
    }
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "rawimage: cannot read %s\n", argv[1]);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "rawimage: cannot write %s\n", argv[2]);
        return 1;
    }
    const std::uint32_t size[2] = {std::uint32_t(image.width()), std::uint32_t(image.height())};
    bool ok = out.write(reinterpret_cast<const char *>(size), sizeof size) == sizeof size;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = out.write(reinterpret_cast<const char *>(image.constScanLine(y)), qint64(image.width()) * 4)
          == qint64(image.width()) * 4;
    return ok && out.flush() ? 0 : 1;
}
