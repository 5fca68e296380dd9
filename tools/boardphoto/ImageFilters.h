#pragma once

#include <QImage>

// Pixel operations on 32-bit images (RGB32 or premultiplied ARGB32), all channels alike.
namespace ImageFilters {

// Three box passes in each direction: close to a Gaussian of deviation about `radius`.
void blur(QImage& image, int radius);

// Averages each factor x factor block into one pixel.
QImage downsample(const QImage& image, int factor);

} // namespace ImageFilters
