// The JPEG decoder on any data: it returns a picture of the size the data declares, or raises
// EInvalidGraphic; libjpeg never ends the process and no other exception comes out.

#include "platform/Jpeg.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QImage image;
    try {
        image = DecodeJpeg(bytes);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    if (image.isNull() || image.format() != QImage::Format_RGB32) {
        std::fprintf(stderr, "DecodeJpeg returned no 32-bit picture without raising\n");
        std::abort();
    }
    return 0;
}
