#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <iterator>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace {

// libjpeg's default error handler ends the process; this one jumps back to the encoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf recovery;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->recovery, 1);
}

// Progressive by spectral selection alone: the DC coefficients of the three components first, then all
// AC coefficients of each component in one scan. Without successive approximation the decoder reads
// every coefficient once; the program decodes the photograph at every start, and this order makes that
// about a third cheaper than libjpeg's standard progression, for the very same pixels.
const jpeg_scan_info kScans[] = {
    {3, {0, 1, 2, 0}, 0, 0, 0, 0},
    {1, {0, 0, 0, 0}, 1, 63, 0, 0},
    {1, {1, 0, 0, 0}, 1, 63, 0, 0},
    {1, {2, 0, 0, 0}, 1, 63, 0, 0},
};

// Appends the compressed data to a byte vector.
struct VectorDestination {
    jpeg_destination_mgr base;
    std::vector<unsigned char>* bytes;
    JOCTET buffer[16384];
};

void startDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    dest->base.next_output_byte = dest->buffer;
    dest->base.free_in_buffer = sizeof dest->buffer;
}

boolean flushFullBuffer(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    dest->bytes->insert(dest->bytes->end(), dest->buffer, dest->buffer + sizeof dest->buffer);
    dest->base.next_output_byte = dest->buffer;
    dest->base.free_in_buffer = sizeof dest->buffer;
    return TRUE;
}

void finishDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<VectorDestination*>(info->dest);
    const size_t used = sizeof dest->buffer - dest->base.free_in_buffer;
    dest->bytes->insert(dest->bytes->end(), dest->buffer, dest->buffer + used);
}

// Kept free of objects with destructors: a longjmp out of libjpeg lands in it.
bool compress(const QImage& rgb, int quality, std::vector<unsigned char>* bytes, char* message)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    VectorDestination destination;

    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    if (setjmp(errors.recovery)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }
    jpeg_create_compress(&info);

    destination.base.init_destination = startDestination;
    destination.base.empty_output_buffer = flushFullBuffer;
    destination.base.term_destination = finishDestination;
    destination.bytes = bytes;
    info.dest = &destination.base;

    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);

    info.write_JFIF_header = TRUE;
    info.JFIF_major_version = 1;
    info.JFIF_minor_version = 1;
    info.density_unit = 1; // dots per inch
    info.X_density = 150;
    info.Y_density = 150;

    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    info.scan_info = kScans;
    info.num_scans = static_cast<int>(std::size(kScans));

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

std::vector<unsigned char> JpegWriter::encode(const QImage& image) const
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<unsigned char> bytes;
    char message[JMSG_LENGTH_MAX] = {};
    if (!compress(rgb, quality_, &bytes, message))
        throw std::runtime_error(std::string("JPEG encoding failed: ") + message);
    return bytes;
}
