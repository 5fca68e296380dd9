#include "ImageFilters.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace {

// One box pass over `count` pixels, `stride` pixels apart, starting at `line`; edges repeat.
void boxPass(std::uint32_t* line, int count, int stride, int radius, std::vector<std::uint32_t>& scratch)
{
    scratch.resize(count);
    for (int i = 0; i < count; ++i)
        scratch[i] = line[i * stride];
    const int window = 2 * radius + 1;
    int sum[4] = {0, 0, 0, 0};
    auto add = [&sum](std::uint32_t px, int sign) {
        for (int c = 0; c < 4; ++c)
            sum[c] += sign * static_cast<int>((px >> (8 * c)) & 0xFF);
    };
    auto at = [&scratch, count](int i) { return scratch[qBound(0, i, count - 1)]; };
    for (int i = -radius; i <= radius; ++i)
        add(at(i), 1);
    for (int i = 0; i < count; ++i) {
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c)
            out |= static_cast<std::uint32_t>((sum[c] + window / 2) / window) << (8 * c);
        line[i * stride] = out;
        add(at(i + radius + 1), 1);
        add(at(i - radius), -1);
    }
}

} // namespace

namespace ImageFilters {

void blur(QImage& image, int radius)
{
    if (radius <= 0)
        return;
    std::vector<std::uint32_t> scratch;
    const int width = image.width();
    const int height = image.height();
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* pixels = reinterpret_cast<std::uint32_t*>(image.bits());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            boxPass(pixels + y * stride, width, 1, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxPass(pixels + x, height, stride, radius, scratch);
    }
}

QImage downsample(const QImage& image, int factor)
{
    QImage out(image.width() / factor, image.height() / factor, image.format());
    const int area = factor * factor;
    for (int y = 0; y < out.height(); ++y) {
        auto* target = reinterpret_cast<std::uint32_t*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            int sum[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < factor; ++dy) {
                const auto* source = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const std::uint32_t px = source[x * factor + dx];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += static_cast<int>((px >> (8 * c)) & 0xFF);
                }
            }
            std::uint32_t px = 0;
            for (int c = 0; c < 4; ++c)
                px |= static_cast<std::uint32_t>((sum[c] + area / 2) / area) << (8 * c);
            target[x] = px;
        }
    }
    return out;
}

} // namespace ImageFilters
