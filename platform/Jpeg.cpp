#include "platform/Jpeg.h"

#include <QPainter>

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace {
// Larger pictures are refused rather than decoded, so that hostile data cannot exhaust memory.
constexpr long long MaxPixels = 64LL * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr Base{};
    std::jmp_buf Escape{};
    char Message[JMSG_LENGTH_MAX]{};
};

// libjpeg's own error_exit ends the process; this one returns to the decoder with the reason.
[[noreturn]] void ExitWithError(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->Message);
    std::longjmp(errors->Escape, 1);
}

// Warnings mean corrupt or truncated data (libjpeg would pad a truncated file and go on); the picture
// is product data, so anything short of a clean decode is an error.
void EmitMessage(j_common_ptr info, int level)
{
    if (level < 0)
        ExitWithError(info);
}

// Runs the decoder; returns false with the reason in errors.Message. Only trivially destructible
// objects live in this frame after setjmp, so that the longjmp from libjpeg is safe.
bool Decode(const QByteArray& data, QImage& image, ErrorManager& errors)
{
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = ExitWithError;
    errors.Base.emit_message = EmitMessage;
    if (setjmp(errors.Escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (static_cast<long long>(info.image_width) * info.image_height > MaxPixels) {
        std::snprintf(errors.Message, sizeof errors.Message, "JPEG image of %ux%u pixels is too large",
                      info.image_width, info.image_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Blue, green, red and a fourth byte of 0xFF: the byte order of a 32-bit pixel on this machine.
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB32);
    if (image.isNull()) {
        std::snprintf(errors.Message, sizeof errors.Message, "Not enough memory for the JPEG image");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
} // namespace

QImage DecodeJpeg(const QByteArray& data)
{
    if (data.isEmpty())
        throw EInvalidGraphic(QStringLiteral("JPEG error: empty data"));
    QImage image;
    ErrorManager errors;
    if (!Decode(data, image, errors))
        throw EInvalidGraphic(QStringLiteral("JPEG error: %1").arg(QString::fromLatin1(errors.Message)));
    return image;
}

void TJPEGImage::LoadFromData(const QByteArray& data)
{
    QImage image = DecodeJpeg(data);
    FData = data;
    FImage = std::move(image);
    Changed();
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& dest) const
{
    QPainter& painter = canvas->Painter();
    if (dest.Width() == FImage.width() && dest.Height() == FImage.height()) {
        painter.drawImage(QPoint(dest.Left, dest.Top), FImage);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), FImage);
    painter.restore();
}

void TJPEGImage::Assign(const TPersistent* source)
{
    auto* jpeg = qobject_cast<const TJPEGImage*>(source);
    if (!jpeg) {
        TGraphic::Assign(source);
        return;
    }
    FData = jpeg->FData;
    FImage = jpeg->FImage;
    Changed();
}

[[maybe_unused]] static const bool TJPEGImage_registered
    = (RegisterGraphicClass(TJPEGImage::staticMetaObject, []() -> TGraphic* { return new TJPEGImage; }), true);
