// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

// The skin template: the one image every painter copies from. At scale 1 the painters
// copy from the parts of it they read, cut out when the program is built and held from
// the start window's creation on; the whole image, at scale 1 or at scale 2 (for screens
// with twice the pixels), is decoded on first use.
class SkinTemplate {
public:
    SkinTemplate();                                    // from the program's resources
    SkinTemplate(QImage scale1, QImage scale2);        // from images a test supplies
    ~SkinTemplate();

    int ScaleWidth() const { return width_; }   // in template pixels
    int ScaleHeight() const { return height_; }
    // The whole image for a surface whose images have this device pixel ratio.
    const QImage &image(qreal ratio) const;

    // Where to copy a rectangle of the template from: an image and the template position
    // of its top-left pixel.
    struct Source {
        const QImage *image;
        QPoint origin;
    };
    Source sourceFor(const QRect &templateRect, qreal ratio) const;

    // The template the program's painters read: the start window's, while it exists.
    static const SkinTemplate *current();
    void makeCurrent();

private:
    struct Piece {
        QRect rect;      // in template pixels
        QImage pixels;
    };

    int width_ = 0;
    int height_ = 0;
    QByteArray parts_;            // the pixels the pieces point into
    std::vector<Piece> pieces_;
    // Decoded on first use when the pieces do not hold what is asked for.
    mutable QImage scale1_;
    mutable QImage scale2_;
    QString scale1Path_;
    QString scale2Path_;
};
