#pragma once

#include "platform/Graphics.h"

// A JPEG picture, decoded with libjpeg when its data is loaded. Corrupt or truncated data raises
// EInvalidGraphic and leaves the image as it was; it never ends the process.
class TJPEGImage : public TGraphic {
    Q_OBJECT
public:
    TJPEGImage() = default;

    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void Draw(TCanvas* canvas, const TRect& dest) const override;
    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override { return FData; }
    void Assign(const TPersistent* source) override;
    // The decoded pixels, 32 bits per pixel.
    const QImage& Image() const { return FImage; }

private:
    QByteArray FData;
    QImage FImage;
};

// Decodes JPEG data into a 32-bit image; raises EInvalidGraphic with libjpeg's reason on failure.
QImage DecodeJpeg(const QByteArray& data);
