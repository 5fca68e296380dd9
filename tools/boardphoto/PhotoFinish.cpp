#include "PhotoFinish.h"

#include "ImageFilters.h"
#include "Random.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

int channel(QRgb px, int c)
{
    return c == 0 ? qRed(px) : (c == 1 ? qGreen(px) : qBlue(px));
}

} // namespace

void PhotoFinish::soften(QImage& image)
{
    // A small separable kernel: the lens and the sensor's anti-aliasing filter.
    const double side = 0.16;
    const int width = image.width();
    const int height = image.height();
    std::vector<double> row(static_cast<size_t>(width) * 3);
    std::vector<double> column(static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                row[x * 3 + c] = channel(line[x], c);
        for (int x = 0; x < width; ++x) {
            double v[3];
            for (int c = 0; c < 3; ++c) {
                const double l = row[std::max(0, x - 1) * 3 + c];
                const double r = row[std::min(width - 1, x + 1) * 3 + c];
                v[c] = side * (l + r) + (1 - 2 * side) * row[x * 3 + c];
            }
            line[x] = qRgb(qRound(v[0]), qRound(v[1]), qRound(v[2]));
        }
    }
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y)
            for (int c = 0; c < 3; ++c)
                column[y * 3 + c] = channel(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x], c);
        for (int y = 0; y < height; ++y) {
            double v[3];
            for (int c = 0; c < 3; ++c) {
                const double u = column[std::max(0, y - 1) * 3 + c];
                const double d = column[std::min(height - 1, y + 1) * 3 + c];
                v[c] = side * (u + d) + (1 - 2 * side) * column[y * 3 + c];
            }
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = qRgb(qRound(v[0]), qRound(v[1]), qRound(v[2]));
        }
    }
}

void PhotoFinish::light(QImage& image)
{
    // The soft box stands above the upper left: brightest there, falling off towards the lower
    // right, with the lens's vignetting in the corners. A touch of warmth from the lamps.
    const double width = image.width();
    const double height = image.height();
    const QPointF lamp(0.28 * width, 0.12 * height);
    const double reach = std::hypot(width, height);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::hypot(x - lamp.x(), y - lamp.y()) / reach;
            const double cx = (x - width / 2) / (width / 2);
            const double cy = (y - height / 2) / (height / 2);
            const double vignette = 1.0 - 0.07 * (cx * cx + cy * cy);
            const double gain = (1.1 - 0.34 * std::pow(d, 1.3)) * vignette;
            const double rgbGain[3] = {gain * 1.015, gain, gain * 0.975};
            // The camera renders the saturated mask a little more quietly than it looks.
            const double luma = 0.299 * qRed(line[x]) + 0.587 * qGreen(line[x]) + 0.114 * qBlue(line[x]);
            int out[3];
            for (int c = 0; c < 3; ++c) {
                const double muted = luma + 0.88 * (channel(line[x], c) - luma);
                double v = muted / 255.0 * rgbGain[c];
                // Gentle shoulder so that highlights roll off rather than clip.
                v = v < 0.8 ? v : 0.8 + (1 - std::exp(-(v - 0.8) * 5)) * 0.2;
                out[c] = qBound(0, qRound(v * 255.0), 255);
            }
            line[x] = qRgb(out[0], out[1], out[2]);
        }
    }
}

QImage PhotoFinish::grain(const QImage& image)
{
    // Sensor noise, stronger in the lights than in the shadows (photon noise), mostly in luminance.
    Random random(0x5EED72);
    QImage out(image.size(), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* target = out.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const double luma = 0.299 * qRed(in[x]) + 0.587 * qGreen(in[x]) + 0.114 * qBlue(in[x]);
            const double sigma = 1.0 + 1.75 * std::sqrt(luma / 255.0);
            const double common = random.gaussian() * sigma;
            for (int c = 0; c < 3; ++c) {
                const double v = channel(in[x], c) + common + random.gaussian() * 0.9;
                target[x * 3 + c] = static_cast<uchar>(qBound(0, static_cast<int>(std::lround(v)), 255));
            }
        }
    }
    return out;
}

QImage PhotoFinish::develop(const QImage& scene) const
{
    QImage photo = ImageFilters::downsample(scene.convertToFormat(QImage::Format_RGB32), supersample_);
    soften(photo);
    light(photo);
    return grain(photo);
}
