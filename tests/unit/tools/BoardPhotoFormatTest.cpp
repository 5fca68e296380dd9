// The committed board photograph and application icons must have the format the main window and the
// desktop expect; they are produced by tools/boardphoto and tools/appicon and committed as files.

#include <gtest/gtest.h>

#include <QImage>
#include <QSet>
#include <QString>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

std::string sourcePath(const char* relative)
{
    const char* root = std::getenv("SETTINGS_SOURCE_DIR");
    return root ? std::string(root) + "/" + relative : std::string(relative);
}

// What libjpeg reports about the photograph: its header, and whether every line decodes.
struct PhotoFacts {
    bool opened = false;
    char error[JMSG_LENGTH_MAX] = {};
    bool sawJfif = false;
    int jfifMajor = 0;
    int jfifMinor = 0;
    int densityUnit = 0;
    int xDensity = 0;
    int yDensity = 0;
    bool progressive = false;
    unsigned width = 0;
    unsigned height = 0;
    int components = 0;
    J_COLOR_SPACE colorSpace = JCS_UNKNOWN;
    int precision = 0;
    int hSampling[3] = {};
    int vSampling[3] = {};
    unsigned decodedLines = 0;
    long warnings = 0;
};

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf recovery;
};

[[noreturn]] void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->recovery, 1);
}

// Kept free of objects with destructors: a longjmp out of libjpeg lands in it.
void inspect(const unsigned char* data, unsigned long size, PhotoFacts* facts)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jumpBack;
    errors.base.output_message = [](j_common_ptr) {}; // warnings are counted, not printed
    if (setjmp(errors.recovery)) {
        (*info.err->format_message)(reinterpret_cast<j_common_ptr>(&info), facts->error);
        jpeg_destroy_decompress(&info);
        return;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);

    facts->opened = true;
    facts->sawJfif = info.saw_JFIF_marker;
    facts->jfifMajor = info.JFIF_major_version;
    facts->jfifMinor = info.JFIF_minor_version;
    facts->densityUnit = info.density_unit;
    facts->xDensity = info.X_density;
    facts->yDensity = info.Y_density;
    facts->progressive = info.progressive_mode;
    facts->width = info.image_width;
    facts->height = info.image_height;
    facts->components = info.num_components;
    facts->colorSpace = info.jpeg_color_space;
    facts->precision = info.data_precision;
    for (int c = 0; c < info.num_components && c < 3; ++c) {
        facts->hSampling[c] = info.comp_info[c].h_samp_factor;
        facts->vSampling[c] = info.comp_info[c].v_samp_factor;
    }

    jpeg_start_decompress(&info);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                 info.output_width * info.output_components, 1);
    while (info.output_scanline < info.output_height)
        facts->decodedLines += jpeg_read_scanlines(&info, row, 1);
    jpeg_finish_decompress(&info);
    facts->warnings = errors.base.num_warnings;
    jpeg_destroy_decompress(&info);
}

const PhotoFacts& committedPhoto()
{
    static const PhotoFacts facts = [] {
        PhotoFacts f;
        std::ifstream in(sourcePath("resources/board.jpg"), std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (bytes.empty())
            std::snprintf(f.error, sizeof f.error, "resources/board.jpg is missing or empty");
        else
            inspect(bytes.data(), bytes.size(), &f);
        return f;
    }();
    return facts;
}

class BoardPhotoFormat : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(committedPhoto().opened) << committedPhoto().error; }
    const PhotoFacts& photo = committedPhoto();
};

TEST_F(BoardPhotoFormat, CarriesAJfif101MarkerAt150DotsPerInch)
{
    EXPECT_TRUE(photo.sawJfif);
    EXPECT_EQ(photo.jfifMajor, 1);
    EXPECT_EQ(photo.jfifMinor, 1);
    EXPECT_EQ(photo.densityUnit, 1) << "1 means dots per inch";
    EXPECT_EQ(photo.xDensity, 150);
    EXPECT_EQ(photo.yDensity, 150);
}

TEST_F(BoardPhotoFormat, IsAProgressive8BitYCbCrImageOf600By401)
{
    EXPECT_TRUE(photo.progressive);
    EXPECT_EQ(photo.width, 600u);
    EXPECT_EQ(photo.height, 401u);
    EXPECT_EQ(photo.components, 3);
    EXPECT_EQ(photo.colorSpace, JCS_YCbCr);
    EXPECT_EQ(photo.precision, 8);
}

TEST_F(BoardPhotoFormat, SamplesLumaTwoByTwoAndBothChromaOneByOne)
{
    struct Sampling {
        int component;
        int horizontal;
        int vertical;
    };
    const Sampling expected[] = {{0, 2, 2}, {1, 1, 1}, {2, 1, 1}};
    for (const Sampling& s : expected) {
        SCOPED_TRACE(testing::Message() << "component " << s.component);
        EXPECT_EQ(photo.hSampling[s.component], s.horizontal);
        EXPECT_EQ(photo.vSampling[s.component], s.vertical);
    }
}

TEST_F(BoardPhotoFormat, DecodesToItsLastLineWithoutWarnings)
{
    // A truncated or damaged file still has a good header; libjpeg only complains while decoding.
    EXPECT_EQ(photo.decodedLines, photo.height);
    EXPECT_EQ(photo.warnings, 0);
}

QImage committedIcon(const char* relative)
{
    return QImage(QString::fromStdString(sourcePath(relative)));
}

TEST(AppIconFormat, ProgramIconIs32By32WithAtMost16Colours)
{
    const QImage icon = committedIcon("resources/settings-32.png");
    ASSERT_FALSE(icon.isNull()) << "resources/settings-32.png is missing or unreadable";
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.format(), QImage::Format_Indexed8) << "stored with a palette";
    EXPECT_LE(icon.colorCount(), 16);
    QSet<QRgb> used;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            used.insert(icon.pixel(x, y));
    EXPECT_LE(used.size(), 16);
    EXPECT_GT(used.size(), 2) << "a picture, not a blank";
}

TEST(AppIconFormat, DesktopIconIs128By128)
{
    const QImage icon = committedIcon("resources/settings-128.png");
    ASSERT_FALSE(icon.isNull()) << "resources/settings-128.png is missing or unreadable";
    EXPECT_EQ(icon.size(), QSize(128, 128));
    EXPECT_TRUE(icon.hasAlphaChannel()) << "the desktop draws it over its own background";
}

} // namespace
