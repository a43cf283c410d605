// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BackdropWindow.h"

#include "app/WindowRegistry.h"
#include "app/StartWindow.h"
#include "ui/windowing/Platform.h"
#include "engine/Rounding.h"
#include "ui/skin/GradientFill.h"
#include "ui/skin/Look.h"

namespace {

// A colour of the look as the gradient takes it: 0x00BBGGRR.
constexpr std::uint32_t colorRef(look::Colour role)
{
    const QRgb c = look::colour(role);
    return std::uint32_t(qRed(c)) | (std::uint32_t(qGreen(c)) << 8) | (std::uint32_t(qBlue(c)) << 16);
}

} // namespace

BackdropWindow::BackdropWindow() : Form(QStringLiteral("frmZFon"))
{
    setWindowTitle(QStringLiteral("Fon"));
    setBackColor(look::qcolour(look::Colour::BackdropBack));

    // Window managers keep a window in the "below" state under every normal window, so
    // the program's windows stay in front of it whatever the order of focus changes. While
    // it holds the focus, a screen-sized window without a frame may still count as
    // full-screen and come to the top; it hands the focus on at once, and when the focus
    // leaves it, it drops back below.
    setWindowFlag(Qt::WindowStaysOnBottomHint);
}

std::int16_t BackdropWindow::toColor16(std::int32_t value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

void BackdropWindow::Form_Load()
{
    const ScreenMetrics screen = platform::screen();
    Move(0, 0, screen.widthTwips(), screen.heightTwips());
    drawPersistently([this] { paintGradient(colorRef(look::Colour::BackdropTopLeft), colorRef(look::Colour::BackdropTopRight),
                                    colorRef(look::Colour::BackdropBottomRight), colorRef(look::Colour::BackdropBottomLeft)); });
}

void BackdropWindow::paintGradient(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t c4)
{
    const int w = roundToInt(ScaleWidth());
    const int h = roundToInt(ScaleHeight());
    auto vertex = [](std::int32_t x, std::int32_t y, std::uint32_t c) {
        auto channel = [c](int byte) {
            return static_cast<std::uint16_t>(toColor16(static_cast<std::int32_t>((c >> (8 * byte)) & 0xFF) * 256));
        };
        return gradient::Vertex{x, y, channel(0), channel(1), channel(2), 0};
    };
    const std::vector<gradient::Vertex> vertices = {vertex(0, 0, c1), vertex(w, 0, c2), vertex(w, h, c3),
                                                     vertex(0, h, c4)};
    const std::vector<gradient::Triangle> triangles = {{0, 1, 2}, {0, 2, 3}};
    Drawing picture;
    picture.kind = Drawing::Kind::Copy;
    picture.pixels = blankImage();
    gradient::fillTriangles(picture.pixels, vertices, triangles);
    picture.area = picture.clip = QRect(0, 0, w, h);
    picture.source = QRectF(QPointF(0, 0), QSizeF(w, h) * picture.pixels.devicePixelRatio());
    draw(std::move(picture));
}

void BackdropWindow::Form_GotFocus()
{
    StartWindow *main = windows::loadedStartWindow();
    if (main && main->WindowState() == Minimized)
        return;
    for (Form *form : windows::loaded()) {
        if (windows::liesOverStartWindow(*form)) {
            form->SetFocus();
            return;
        }
    }
    if (main)
        main->SetFocus();
}
