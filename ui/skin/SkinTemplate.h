#pragma once

#include <QImage>

// The skin template: the one image every painter copies from, decoded once when the
// start window is created, at scale 1 and at scale 2 for screens with twice the pixels.
class SkinTemplate {
public:
    SkinTemplate();                                    // from the program's resources
    SkinTemplate(QImage scale1, QImage scale2);        // from images a test supplies
    ~SkinTemplate();

    int ScaleWidth() const { return scale1_.width(); }  // Tw
    int ScaleHeight() const { return scale1_.height(); } // Th
    // The image to copy from for a surface whose images have this device pixel ratio.
    const QImage &image(qreal ratio) const;

    // The template the program's painters read: the start window's, while it exists.
    static const SkinTemplate *current();
    void makeCurrent();

private:
    QImage scale1_;
    // Decoded on first use: only screens with twice the pixels need it.
    mutable QImage scale2_;
    QString scale2Path_;
};
