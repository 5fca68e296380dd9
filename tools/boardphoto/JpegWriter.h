#pragma once

#include <QImage>

#include <vector>

// Encodes the photograph as the main window expects it: progressive JFIF 1.01, 150 x 150 dots per
// inch, 8-bit YCbCr with the luma sampled 2 x 2 and both chroma components 1 x 1.
class JpegWriter {
public:
    explicit JpegWriter(int quality) : quality_(quality) {}

    // Throws std::runtime_error with libjpeg's message when encoding fails.
    std::vector<unsigned char> encode(const QImage& image) const;

private:
    int quality_ = 75;
};
