// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/skin/GradientFill.h"

#include <algorithm>
#include <cmath>

namespace gradient {
namespace {

struct Plane {
    // colour = a * x + b * y + c, per channel, over one triangle
    double a[3], b[3], c[3];
};

bool planeOf(const Vertex &p0, const Vertex &p1, const Vertex &p2, Plane &out)
{
    const double x0 = p0.x, y0 = p0.y, x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y;
    const double det = (x1 - x0) * (y2 - y0) - (x2 - x0) * (y1 - y0);
    if (det == 0)
        return false;
    const double v0[3] = {double(p0.red), double(p0.green), double(p0.blue)};
    const double v1[3] = {double(p1.red), double(p1.green), double(p1.blue)};
    const double v2[3] = {double(p2.red), double(p2.green), double(p2.blue)};
    for (int ch = 0; ch < 3; ++ch) {
        const double d1 = v1[ch] - v0[ch];
        const double d2 = v2[ch] - v0[ch];
        out.a[ch] = (d1 * (y2 - y0) - d2 * (y1 - y0)) / det;
        out.b[ch] = (d2 * (x1 - x0) - d1 * (x2 - x0)) / det;
        out.c[ch] = v0[ch] - out.a[ch] * x0 - out.b[ch] * y0;
    }
    return true;
}

// Signed area test: which side of edge (a -> b) the point lies on.
inline double side(double ax, double ay, double bx, double by, double px, double py)
{
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

void fillOne(QImage &image, const Vertex &p0, const Vertex &p1, const Vertex &p2)
{
    Plane plane;
    if (!planeOf(p0, p1, p2, plane))
        return;
    const double ratio = image.devicePixelRatio();
    const int width = image.width();
    const int height = image.height();
    const int top = std::max(0, int(std::floor(std::min({p0.y, p1.y, p2.y}) * ratio)));
    const int bottom = std::min(height, int(std::ceil(std::max({p0.y, p1.y, p2.y}) * ratio)));
    const double orient = side(p0.x, p0.y, p1.x, p1.y, p2.x, p2.y) > 0 ? 1.0 : -1.0;
    const Vertex *v[3] = {&p0, &p1, &p2};
    for (int row = top; row < bottom; ++row) {
        const double y = (row + 0.5) / ratio;
        // The span of the row inside the triangle, from the three edges.
        double lo = -1e300, hi = 1e300;
        for (int e = 0; e < 3; ++e) {
            const Vertex &a = *v[e];
            const Vertex &b = *v[(e + 1) % 3];
            // orient * side(a, b, x, y) >= 0 is linear in x: k * x + m >= 0
            const double k = -orient * (b.y - a.y);
            const double m = orient * ((b.x - a.x) * (y - a.y) + (b.y - a.y) * a.x);
            if (k > 0)
                lo = std::max(lo, -m / k);
            else if (k < 0)
                hi = std::min(hi, -m / k);
            else if (m < 0)
                lo = 1e300;
        }
        // Pixel centres x + 0.5 within [lo, hi); ties on a shared edge go to one side.
        const int first = std::max(0, int(std::ceil(lo * ratio - 0.5)));
        const int last = std::min(width, int(std::ceil(hi * ratio - 0.5)));
        if (first >= last)
            continue;
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(row));
        const double x0 = (first + 0.5) / ratio;
        double val[3], step[3];
        for (int ch = 0; ch < 3; ++ch) {
            val[ch] = plane.a[ch] * x0 + plane.b[ch] * y + plane.c[ch];
            step[ch] = plane.a[ch] / ratio;
        }
        for (int px = first; px < last; ++px) {
            const int r = std::clamp(int(val[0]), 0, 65535) >> 8;
            const int g = std::clamp(int(val[1]), 0, 65535) >> 8;
            const int b = std::clamp(int(val[2]), 0, 65535) >> 8;
            line[px] = 0xFF000000u | (r << 16) | (g << 8) | b;
            val[0] += step[0];
            val[1] += step[1];
            val[2] += step[2];
        }
    }
}

} // namespace

void fillTriangles(QImage &image, const std::vector<Vertex> &vertices, const std::vector<Triangle> &triangles)
{
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    for (const Triangle &t : triangles) {
        if (t.vertex1 >= vertices.size() || t.vertex2 >= vertices.size() || t.vertex3 >= vertices.size())
            continue;
        fillOne(image, vertices[t.vertex1], vertices[t.vertex2], vertices[t.vertex3]);
    }
}

} // namespace gradient
