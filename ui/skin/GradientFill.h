// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

// Triangle gradient fill: each triangle is shaded by linear interpolation of its three
// corner colours. Channels are 16-bit (the 8-bit value times 256).
namespace gradient {

struct Vertex {
    std::int32_t x, y;
    std::uint16_t red, green, blue, alpha;
};

struct Triangle {
    std::uint32_t vertex1, vertex2, vertex3;
};

// Fills the triangles on the image (in its logical pixels); pixels outside every
// triangle are left alone.
void fillTriangles(QImage &image, const std::vector<Vertex> &vertices, const std::vector<Triangle> &triangles);

} // namespace gradient
