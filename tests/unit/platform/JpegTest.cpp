// The JPEG decoder: the board photograph decodes; damaged data of every kind is refused with
// EInvalidGraphic, never by ending the process, and leaves the image that was loaded before.

#include "platform/Jpeg.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

QByteArray BoardPhoto()
{
    const char* source = std::getenv("SETTINGS_SOURCE_DIR");
    QFile file(QString::fromLocal8Bit(source ? source : ".") + QStringLiteral("/resources/board.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Where each scan's header starts (the SOS marker FF DA; inside a scan's data an FF is always followed by
// 00 or a restart number, so the pair marks scans only).
std::vector<qsizetype> ScanStarts(const QByteArray& jpeg)
{
    std::vector<qsizetype> starts;
    for (qsizetype i = 0; i + 1 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == 0xDA)
            starts.push_back(i);
    return starts;
}

// The same bytes every run.
QByteArray Noise(int size, unsigned seed)
{
    QByteArray bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 16);
    }
    return bytes;
}

class JpegTest : public testing::Test {
protected:
    void SetUp() override
    {
        Photo = BoardPhoto();
        ASSERT_FALSE(Photo.isEmpty()) << "resources/board.jpg not found; SETTINGS_SOURCE_DIR names the source folder";
    }

    QByteArray Photo;
};

TEST_F(JpegTest, ThePhotographDecodesToItsFullSize)
{
    const QImage image = DecodeJpeg(Photo);
    EXPECT_EQ(image.width(), 600);
    EXPECT_EQ(image.height(), 401);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(ScanStarts(Photo).size(), 4u) << "progressive: a DC scan, then an AC scan per component";
}

// Every pixel matches the toolkit's own JPEG reader, up to the rounding of the two decoders' colour
// conversion: the channels are in the right order and no line is missing or shifted.
TEST_F(JpegTest, DecodedPixelsMatchAnIndependentDecoder)
{
    const QImage decoded = DecodeJpeg(Photo);
    QBuffer buffer(&Photo);
    QImageReader reader(&buffer, "jpeg");
    const QImage reference = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull()) << reader.errorString().toStdString();
    ASSERT_EQ(decoded.size(), reference.size());
    int worst = 0;
    for (int y = 0; y < decoded.height(); ++y) {
        const auto* ours = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        const auto* theirs = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        for (int x = 0; x < decoded.width(); ++x) {
            worst = std::max({worst, std::abs(qRed(ours[x]) - qRed(theirs[x])),
                              std::abs(qGreen(ours[x]) - qGreen(theirs[x])),
                              std::abs(qBlue(ours[x]) - qBlue(theirs[x]))});
            EXPECT_EQ(qAlpha(ours[x]), 255);
        }
    }
    EXPECT_LE(worst, 2);
}

struct DamageCase {
    const char* Name;
    QByteArray (*Make)(const QByteArray& photo);
};

void PrintTo(const DamageCase& damage, std::ostream* out) { *out << damage.Name; }

QByteArray Cut(const QByteArray& photo, qsizetype size) { return photo.left(size); }

// The middle of the data of the scan that starts at the given SOS marker.
QByteArray CutInScan(const QByteArray& photo, size_t scan)
{
    const std::vector<qsizetype> starts = ScanStarts(photo);
    const qsizetype begin = starts.at(scan);
    const qsizetype end = scan + 1 < starts.size() ? starts[scan + 1] : photo.size() - 2;
    return photo.left(begin + (end - begin) / 2);
}

// The frame header (SOF2) claims 65535 x 65535 pixels.
QByteArray HugeFrame(const QByteArray& photo)
{
    QByteArray data = photo;
    const qsizetype frame = data.indexOf(QByteArray("\xFF\xC2", 2));
    for (qsizetype i = frame + 5; i < frame + 9; ++i)
        data[i] = '\xFF';
    return data;
}

class DamagedJpegTest : public JpegTest, public testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedJpegTest, IsRefusedWithInvalidGraphic)
{
    const QByteArray data = GetParam().Make(Photo);
    ASSERT_NE(data, Photo);
    try {
        DecodeJpeg(data);
        ADD_FAILURE() << "decoded without an error";
    } catch (const EInvalidGraphic& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("JPEG error: "))) << error.Message().toStdString();
        EXPECT_GT(error.Message().size(), 12) << "the error names libjpeg's reason";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, DamagedJpegTest,
    testing::Values(
        DamageCase{"Empty", [](const QByteArray&) { return QByteArray(); }},
        DamageCase{"OnlyTheFirstByte", [](const QByteArray& p) { return Cut(p, 1); }},
        DamageCase{"OnlyTheStartMarker", [](const QByteArray& p) { return Cut(p, 2); }},
        DamageCase{"CutInTheApplicationHeader", [](const QByteArray& p) { return Cut(p, 12); }},
        DamageCase{"CutInTheQuantisationTables", [](const QByteArray& p) { return Cut(p, 60); }},
        DamageCase{"CutInTheFrameHeader", [](const QByteArray& p) { return Cut(p, p.indexOf("\xFF\xC2") + 8); }},
        DamageCase{"CutInTheFirstScanHeader", [](const QByteArray& p) { return Cut(p, ScanStarts(p).front() + 6); }},
        DamageCase{"CutInTheFirstScan", [](const QByteArray& p) { return CutInScan(p, 0); }},
        DamageCase{"CutInTheThirdScan", [](const QByteArray& p) { return CutInScan(p, 2); }},
        DamageCase{"CutInTheSecondScan", [](const QByteArray& p) { return CutInScan(p, 1); }},
        DamageCase{"CutInTheLastScan", [](const QByteArray& p) { return CutInScan(p, ScanStarts(p).size() - 1); }},
        DamageCase{"CutBeforeTheLastScan", [](const QByteArray& p) { return Cut(p, ScanStarts(p).back()); }},
        DamageCase{"WithoutTheEndMarker", [](const QByteArray& p) { return Cut(p, p.size() - 2); }},
        DamageCase{"HalfTheEndMarker", [](const QByteArray& p) { return Cut(p, p.size() - 1); }},
        DamageCase{"Garbage", [](const QByteArray&) { return Noise(4096, 7); }},
        DamageCase{"GarbageAfterAStartMarker",
                   [](const QByteArray&) { return QByteArray("\xFF\xD8", 2) + Noise(4096, 11); }},
        DamageCase{"GarbageInTheScans",
                   [](const QByteArray& p) {
                       const qsizetype from = ScanStarts(p).at(1) + 20;
                       return p.left(from) + Noise(2000, 3) + p.mid(from + 2000);
                   }},
        DamageCase{"PngSignature", [](const QByteArray&) { return QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16); }},
        DamageCase{"BitmapFile",
                   [](const QByteArray&) {
                       TBitmap bitmap;
                       bitmap.SetSize(4, 4);
                       return bitmap.SaveToData();
                   }},
        DamageCase{"Text", [](const QByteArray&) { return QByteArray("object MainForm: TMainForm\nend\n"); }},
        DamageCase{"HugeFrame", HugeFrame}),
    [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.Name); });

TEST_F(JpegTest, AFailedLoadLeavesTheImageAsItWas)
{
    TJPEGImage jpeg;
    int changes = 0;
    jpeg.OnChange = TNotifyEvent(&jpeg, [&changes](TObject*) { ++changes; }, 1);
    jpeg.LoadFromData(Photo);
    ASSERT_EQ(changes, 1);
    const QImage before = jpeg.Image();

    for (const QByteArray& bad : {Cut(Photo, Photo.size() / 2), Noise(512, 5), QByteArray()}) {
        EXPECT_THROW(jpeg.LoadFromData(bad), EInvalidGraphic);
        EXPECT_EQ(jpeg.Width(), 600);
        EXPECT_EQ(jpeg.Height(), 401);
        EXPECT_EQ(jpeg.Image(), before);
        EXPECT_EQ(jpeg.SaveToData(), Photo) << "the stored data stays the photograph's";
    }
    EXPECT_EQ(changes, 1) << "a failed load tells no one of a change";
}

TEST_F(JpegTest, APictureKeepsItsGraphicWhenNewDataIsDamaged)
{
    TPicture picture;
    const QByteArray header("\x0ATJPEGImage");
    picture.SetData(header + Photo);
    const TGraphic* graphic = picture.Graphic();
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->ClassName(), "TJPEGImage");
    int changes = 0;
    picture.OnChange = TNotifyEvent(&picture, [&changes](TObject*) { ++changes; }, 1);

    EXPECT_THROW(picture.SetData(header + Cut(Photo, 5000)), EInvalidGraphic);

    EXPECT_EQ(picture.Graphic(), graphic);
    EXPECT_EQ(picture.Width(), 600);
    EXPECT_EQ(picture.Height(), 401);
    EXPECT_EQ(picture.Data(), header + Photo);
    EXPECT_EQ(changes, 0);
}

} // namespace
