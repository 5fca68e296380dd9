// The board image: where it draws the photograph, what a new picture changes, how it sizes itself,
// and how it records its designed position and centres itself in its window.

#include "components/BoardImage.h"

#include "platform/Forms.h"
#include "platform/Menus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

void PrintTo(const TRect& box, std::ostream* out)
{
    *out << "(" << box.Left << ", " << box.Top << ", " << box.Right << ", " << box.Bottom << ")";
}

namespace {

// A board image that counts its paints and the repaints it asks for, and lets a test ask its auto-size
// query. It adds no run-time type information, so its class name stays TBoardImage.
class TWatchedBoardImage : public TBoardImage {
public:
    using TBoardImage::TBoardImage;
    using TBoardImage::CanAutoSize;

    void Invalidate() override
    {
        ++Requests;
        TBoardImage::Invalidate();
    }
    void Repaint() override
    {
        ++Requests;
        TBoardImage::Repaint();
    }

    int Requests = 0;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TBoardImage::Paint();
    }
};

// A picture whose every pixel tells where it lies: red = column, green = row (both modulo 256), blue 0x80.
constexpr uint32_t PhotoPixel(int x, int y)
{
    return (0x80u << 16) | (static_cast<uint32_t>(y & 0xFF) << 8) | static_cast<uint32_t>(x & 0xFF);
}

std::unique_ptr<TBitmap> Photo(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->ScanLine(y)[x] = 0xFF000000u | PhotoPixel(x, y);
    return bitmap;
}

void SetPhoto(TBoardImage& image, int width, int height)
{
    image.Picture()->SetGraphic(Photo(width, height).get());
}

// A control's own paint into a surface of its size, first filled with a colour no rule draws.
constexpr TColor kUnpainted = 0xFF00FF;

QImage Painted(TControl& control)
{
    QImage surface(control.Width(), control.Height(), QImage::Format_RGB32);
    surface.fill(ColorToQColor(kUnpainted));
    TPaintStruct paint{&surface, surface.rect()};
    control.Perform(WM_PAINT, 0, reinterpret_cast<intptr_t>(&paint));
    return surface;
}

TColor At(const QImage& surface, int x, int y)
{
    return QColorToColor(QColor::fromRgb(surface.pixel(x, y)));
}

// The colour of a picture pixel as a platform colour (0x00BBGGRR).
TColor PhotoColor(int x, int y)
{
    const uint32_t pixel = PhotoPixel(x, y);
    return static_cast<TColor>(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}

const TColor kFace = ColorToRGB(clBtnFace);

void Flush()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// ----- Construction ----------------------------------------------------------------------------------------

TEST(BoardImage, StartsWithItsOwnDefaults)
{
    TBoardImage image(nullptr);
    EXPECT_EQ(image.ClassName(), "TBoardImage");
    EXPECT_EQ(image.Width(), 105);
    EXPECT_EQ(image.Height(), 105);
    EXPECT_TRUE(image.AutoSize());
    EXPECT_TRUE(image.Scale());
    EXPECT_TRUE(image.CenterOnForm());
    EXPECT_FALSE(image.Stretch());
    EXPECT_FALSE(image.Center());
    EXPECT_FALSE(image.Transparent());
    EXPECT_DOUBLE_EQ(image.AspectRatio(), 1.0);
    EXPECT_EQ(image.First(), nullptr);
    EXPECT_EQ(image.Menu(), nullptr);
    EXPECT_FALSE(image.PositionRecorded());
    EXPECT_EQ(image.Picture()->Graphic(), nullptr);
    EXPECT_EQ(image.Color(), clBtnFace);
}

TEST(BoardImage, WithoutAPictureShowsOnlyTheButtonFace)
{
    TBoardImage image(nullptr);
    const QImage surface = Painted(image);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            ASSERT_EQ(At(surface, x, y), kFace) << "pixel " << x << "," << y << ": no caption, bevel or stale pixel";
}

// ----- Where the picture goes ------------------------------------------------------------------------------

struct PlacementCase {
    const char* Name;
    bool Stretch;
    bool Center;
    int Width, Height;             // the control
    int PictureWidth, PictureHeight;
    TRect Dest;
};

void PrintTo(const PlacementCase& placement, std::ostream* out) { *out << placement.Name; }

// Pictures drawn at their own size.
const PlacementCase kUnscaled[] = {
    {"CentreOfASmallerPicture", false, true, 100, 80, 30, 20, Rect(35, 30, 65, 50)},
    {"CentreRoundsTowardZero", false, true, 101, 81, 30, 20, Rect(35, 30, 65, 50)},
    // (100 - 151) div 2 = -25 and (80 - 121) div 2 = -20: truncated toward zero, not down to -26 and -21.
    {"CentreOfALargerPicture", false, true, 100, 80, 151, 121, Rect(-25, -20, 126, 101)},
    {"CentreOfAWiderPicture", false, true, 100, 80, 131, 20, Rect(-15, 30, 116, 50)},
    {"PlainAtTheTopLeft", false, false, 100, 80, 30, 20, Rect(0, 0, 30, 20)},
    {"PlainLargerPictureIsCut", false, false, 100, 80, 151, 121, Rect(0, 0, 151, 121)},
    {"PlainWithoutAPicture", false, false, 100, 80, 0, 0, Rect(0, 0, 0, 0)},
    {"StretchWithoutAPicture", true, false, 100, 80, 0, 0, Rect(0, 0, 100, 80)},
};

// How a stretched picture is scaled is the platform's choice; only where it goes is fixed.
const PlacementCase kStretched[] = {
    {"StretchFillsTheControl", true, false, 100, 80, 30, 20, Rect(0, 0, 100, 80)},
    {"StretchWinsOverCentre", true, true, 100, 80, 30, 20, Rect(0, 0, 100, 80)},
};

class PlacementTest : public testing::TestWithParam<PlacementCase> {
protected:
    void SetUp() override
    {
        const PlacementCase& c = GetParam();
        Image.SetAutoSize(false);
        Image.SetBounds(0, 0, c.Width, c.Height);
        if (c.PictureWidth > 0)
            SetPhoto(Image, c.PictureWidth, c.PictureHeight);
        Image.SetStretch(c.Stretch);
        Image.SetCenter(c.Center);
    }

    TBoardImage Image{nullptr};
};

TEST_P(PlacementTest, DestinationRectangle)
{
    EXPECT_EQ(Image.DestRect(), GetParam().Dest);
}

auto CaseName = [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.Name); };
INSTANTIATE_TEST_SUITE_P(Unscaled, PlacementTest, testing::ValuesIn(kUnscaled), CaseName);
INSTANTIATE_TEST_SUITE_P(Stretched, PlacementTest, testing::ValuesIn(kStretched), CaseName);

class UnscaledDrawingTest : public PlacementTest {};

// Every pixel of the control is either the picture's pixel at its offset in the destination rectangle or
// the button face.
TEST_P(UnscaledDrawingTest, DrawsThePictureAtItsPlaceOverTheButtonFace)
{
    const TRect dest = GetParam().Dest;
    const QImage surface = Painted(Image);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const bool inPicture = dest.Contains(TPoint{x, y}) && GetParam().PictureWidth > 0;
            const TColor expected = inPicture ? PhotoColor(x - dest.Left, y - dest.Top) : kFace;
            ASSERT_EQ(At(surface, x, y), expected) << "pixel " << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Unscaled, UnscaledDrawingTest, testing::ValuesIn(kUnscaled), CaseName);

TEST(BoardImage, StretchDrawsTheWholePictureOverTheWholeControl)
{
    TBoardImage image(nullptr);
    image.SetAutoSize(false);
    image.SetBounds(0, 0, 100, 80);
    // Four quadrants, each of one colour.
    TBitmap quadrants;
    quadrants.SetSize(2, 2);
    const TColor colours[2][2] = {{clRed, clLime}, {clBlue, clYellow}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            quadrants.Canvas()->Brush()->SetColor(colours[y][x]);
            quadrants.Canvas()->FillRect(Bounds(x, y, 1, 1));
        }
    quadrants.Canvas()->ReleasePainter();
    image.Picture()->SetGraphic(&quadrants);
    image.SetStretch(true);

    const QImage surface = Painted(image);
    EXPECT_EQ(At(surface, 0, 0), clRed);
    EXPECT_EQ(At(surface, 24, 19), clRed);
    EXPECT_EQ(At(surface, 75, 19), clLime);
    EXPECT_EQ(At(surface, 99, 0), clLime);
    EXPECT_EQ(At(surface, 24, 60), clBlue);
    EXPECT_EQ(At(surface, 0, 79), clBlue);
    EXPECT_EQ(At(surface, 75, 60), clYellow);
    EXPECT_EQ(At(surface, 99, 79), clYellow);
}

// ----- A new picture ---------------------------------------------------------------------------------------

TEST(BoardImage, TheAspectRatioIsHeightOverWidthAndSurvivesAnEmptyPicture)
{
    TBoardImage image(nullptr);
    image.SetAutoSize(false);
    SetPhoto(image, 600, 401);
    EXPECT_DOUBLE_EQ(image.AspectRatio(), 401.0 / 600.0);
    image.Picture()->SetGraphic(nullptr);
    EXPECT_DOUBLE_EQ(image.AspectRatio(), 401.0 / 600.0);
    EXPECT_FALSE(image.ControlStyle() & csOpaque) << "nothing covers the control";
}

TEST(BoardImage, AutoSizeTakesThePicturesSizeAtTheSamePlace)
{
    TBoardImage image(nullptr);
    image.SetBounds(7, 9, 105, 105);
    SetPhoto(image, 30, 20);
    EXPECT_EQ(image.BoundsRect(), Bounds(7, 9, 30, 20));

    TBoardImage fixed(nullptr);
    fixed.SetAutoSize(false);
    fixed.SetBounds(7, 9, 105, 105);
    SetPhoto(fixed, 30, 20);
    EXPECT_EQ(fixed.BoundsRect(), Bounds(7, 9, 105, 105));
}

TEST(BoardImage, SettingAPictureCopiesIt)
{
    TBoardImage image(nullptr);
    TPicture picture;
    picture.SetGraphic(Photo(30, 20).get());
    image.SetPicture(&picture);
    EXPECT_NE(image.Picture(), &picture);
    EXPECT_NE(image.Picture()->Graphic(), picture.Graphic());
    EXPECT_EQ(image.Picture()->Width(), 30);
    EXPECT_EQ(image.BoundsRect(), Bounds(0, 0, 30, 20)) << "the copy is a new picture: the image sizes itself to it";
    picture.SetGraphic(nullptr);
    EXPECT_EQ(image.Picture()->Width(), 30);
}

struct OpaqueCase {
    const char* Name;
    bool AutoSize;
    bool Stretch;
    bool Transparent;
    int PictureWidth, PictureHeight; // the control is 105 x 105 unless it sizes itself
    bool Opaque;
};

void PrintTo(const OpaqueCase& opaque, std::ostream* out) { *out << opaque.Name; }

class OpaqueTest : public testing::TestWithParam<OpaqueCase> {};

TEST_P(OpaqueTest, MarksTheControlOpaqueOnlyWhenThePictureCoversIt)
{
    const OpaqueCase& c = GetParam();
    TBoardImage image(nullptr);
    image.SetAutoSize(c.AutoSize);
    image.SetStretch(c.Stretch);
    image.SetTransparent(c.Transparent);
    SetPhoto(image, c.PictureWidth, c.PictureHeight);
    EXPECT_EQ(image.Picture()->Graphic()->Transparent(), c.Transparent) << "the graphic follows Transparent";
    EXPECT_EQ((image.ControlStyle() & csOpaque) != 0, c.Opaque);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, OpaqueTest,
    testing::Values(OpaqueCase{"LargerPicture", false, false, false, 120, 130, true},
                    OpaqueCase{"PictureOfTheSameSize", false, false, false, 105, 105, true},
                    OpaqueCase{"WiderButLowerPicture", false, false, false, 120, 80, false},
                    OpaqueCase{"HigherButNarrowerPicture", false, false, false, 80, 120, false},
                    OpaqueCase{"StretchedSmallPicture", false, true, false, 10, 10, true},
                    OpaqueCase{"TransparentStretchedPicture", false, true, true, 10, 10, false},
                    OpaqueCase{"TransparentLargerPicture", false, false, true, 120, 130, false},
                    OpaqueCase{"SmallPictureTheControlSizesTo", true, false, false, 30, 20, true}),
    [](const testing::TestParamInfo<OpaqueCase>& info) { return std::string(info.param.Name); });

TEST(BoardImage, TransparentFollowsIntoTheGraphicBothWays)
{
    TBoardImage image(nullptr);
    SetPhoto(image, 30, 20);
    image.SetTransparent(true);
    EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
    image.SetTransparent(false);
    EXPECT_FALSE(image.Picture()->Graphic()->Transparent());
}

// ----- The auto-size query ---------------------------------------------------------------------------------

struct AutoSizeCase {
    const char* Name;
    TAlign Align;
    bool Designing;
    int PictureWidth, PictureHeight;
    int Width, Height; // the answer, asked with 7 x 9
};

void PrintTo(const AutoSizeCase& autoSize, std::ostream* out) { *out << autoSize.Name; }

class AutoSizeQueryTest : public testing::TestWithParam<AutoSizeCase> {};

TEST_P(AutoSizeQueryTest, WantsThePicturesSizeOnTheSidesItsAlignmentLeavesFree)
{
    const AutoSizeCase& c = GetParam();
    TWatchedBoardImage image(nullptr);
    image.SetAutoSize(false);
    if (c.PictureWidth > 0)
        SetPhoto(image, c.PictureWidth, c.PictureHeight);
    image.SetAlign(c.Align);
    image.SetDesigning(c.Designing);
    int width = 7, height = 9;
    EXPECT_TRUE(image.CanAutoSize(width, height));
    EXPECT_EQ(width, c.Width);
    EXPECT_EQ(height, c.Height);
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, AutoSizeQueryTest,
    testing::Values(AutoSizeCase{"None", alNone, false, 30, 20, 30, 20},
                    AutoSizeCase{"Left", alLeft, false, 30, 20, 30, 9},
                    AutoSizeCase{"Right", alRight, false, 30, 20, 30, 9},
                    AutoSizeCase{"Top", alTop, false, 30, 20, 7, 20},
                    AutoSizeCase{"Bottom", alBottom, false, 30, 20, 7, 20},
                    AutoSizeCase{"Client", alClient, false, 30, 20, 7, 9},
                    AutoSizeCase{"EmptyPictureAtRunTime", alNone, false, 0, 0, 0, 0},
                    AutoSizeCase{"EmptyPictureInDesignMode", alNone, true, 0, 0, 7, 9},
                    AutoSizeCase{"PictureInDesignMode", alNone, true, 30, 20, 30, 20}),
    [](const testing::TestParamInfo<AutoSizeCase>& info) { return std::string(info.param.Name); });

// ----- In its window ---------------------------------------------------------------------------------------

// The main window's arrangement: a window with a menu bar, and the photograph at its designed place.
class BoardInWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        Menu = new TMainMenu(Form.get());
        auto* file = new TMenuItem(Form.get());
        file->SetCaption(QStringLiteral("&File"));
        Menu->Items()->Add(file);
        Form->SetMenu(Menu);
        Form->SetClientSize(823, 602);
        Image = new TWatchedBoardImage(Form.get());
        Image->SetParent(Form.get());
        Image->SetAutoSize(false);
        Image->SetBounds(162, 122, 600, 401);
        SetPhoto(*Image, 600, 401);
        Image->SetStretch(true);
    }

    void TearDown() override
    {
        Form.reset();
        Flush();
    }

    void ShowAndPaint()
    {
        Form->Show();
        Flush();
        ASSERT_GT(Image->Paints, 0) << "the window was shown but the image never painted";
    }

    int CentredLeft() const { return Div(Form->Width() - Image->Width(), 2); }
    int CentredTop() const { return Div(Form->Height() - Image->Height(), 2); }

    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TMainMenu* Menu = nullptr;
    TWatchedBoardImage* Image = nullptr;
};

TEST_F(BoardInWindowTest, RecordsItsDesignedPositionAtTheFirstPaintThenCentresOnTheWindowsOuterSize)
{
    EXPECT_FALSE(Image->PositionRecorded());
    ShowAndPaint();

    EXPECT_TRUE(Image->PositionRecorded());
    EXPECT_EQ(Image->DesignedLeft(), 162);
    EXPECT_EQ(Image->DesignedTop(), 122);
    EXPECT_EQ(Image->Left(), CentredLeft());
    EXPECT_EQ(Image->Top(), CentredTop());
    // The menu bar makes the outer height larger than the client height, so the two centres differ.
    ASSERT_GE(Form->Height() - Form->ClientHeight(), 2);
    EXPECT_NE(Image->Top(), Div(Form->ClientHeight() - Image->Height(), 2));
    EXPECT_NE(Image->Left(), 162);
}

TEST_F(BoardInWindowTest, CentresAgainAtEveryPaintButRecordsItsPositionOnlyOnce)
{
    ShowAndPaint();
    Form->SetClientSize(700, 500);
    Image->SetBounds(3, 4, 600, 401);
    Image->Repaint();
    Flush();

    EXPECT_EQ(Image->Left(), CentredLeft());
    EXPECT_EQ(Image->Top(), CentredTop());
    EXPECT_EQ(Image->DesignedLeft(), 162);
    EXPECT_EQ(Image->DesignedTop(), 122);
}

TEST_F(BoardInWindowTest, StaysWhereItIsWithoutCenterOnForm)
{
    Image->SetCenterOnForm(false);
    ShowAndPaint();
    EXPECT_EQ(Image->BoundsRect(), Bounds(162, 122, 600, 401));
    EXPECT_TRUE(Image->PositionRecorded());
}

TEST_F(BoardInWindowTest, InDesignModeKeepsItsPlaceAndTakesTheHeightOfItsWidthAtThePicturesRatio)
{
    SetPhoto(*Image, 8, 5); // aspect ratio 0.625, exactly
    struct {
        int Width;
        int Height;
    } cases[] = {{12, 8} /* 7.5 to even */, {20, 12} /* 12.5 to even */, {16, 10}, {100, 62} /* 62.5 */};
    Form->SetDesigning(true);
    ShowAndPaint();
    for (const auto& c : cases) {
        Image->SetBounds(162, 122, c.Width, 50);
        Image->Repaint();
        Flush();
        EXPECT_EQ(Image->BoundsRect(), Bounds(162, 122, c.Width, c.Height)) << "width " << c.Width;
    }
}

struct SetterCase {
    const char* Name;
    bool (*Get)(const TBoardImage&);
    void (*Set)(TBoardImage&, bool);
};

void PrintTo(const SetterCase& setter, std::ostream* out) { *out << setter.Name; }

class SetterRepaintTest : public BoardInWindowTest, public testing::WithParamInterface<SetterCase> {};

TEST_P(SetterRepaintTest, RepaintsOnlyWhenTheValueChanges)
{
    const SetterCase& c = GetParam();
    ShowAndPaint();
    const bool value = c.Get(*Image);
    Image->Requests = 0;
    Image->Paints = 0;

    c.Set(*Image, value);
    Flush();
    EXPECT_EQ(Image->Requests, 0);
    EXPECT_EQ(Image->Paints, 0);

    c.Set(*Image, !value);
    Flush();
    EXPECT_EQ(c.Get(*Image), !value);
    EXPECT_GE(Image->Requests, 1);
    EXPECT_GE(Image->Paints, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, SetterRepaintTest,
    testing::Values(SetterCase{"Stretch", [](const TBoardImage& i) { return i.Stretch(); },
                               [](TBoardImage& i, bool v) { i.SetStretch(v); }},
                    SetterCase{"Center", [](const TBoardImage& i) { return i.Center(); },
                               [](TBoardImage& i, bool v) { i.SetCenter(v); }},
                    SetterCase{"Transparent", [](const TBoardImage& i) { return i.Transparent(); },
                               [](TBoardImage& i, bool v) { i.SetTransparent(v); }},
                    SetterCase{"Scale", [](const TBoardImage& i) { return i.Scale(); },
                               [](TBoardImage& i, bool v) { i.SetScale(v); }}),
    [](const testing::TestParamInfo<SetterCase>& info) { return std::string(info.param.Name); });

TEST_F(BoardInWindowTest, StartingTheWalkWithoutAFirstCircleDoesNothing)
{
    ShowAndPaint();
    const int forms = Screen->FormCount();
    const int components = Form->ComponentCount();
    const TRect bounds = Image->BoundsRect();
    Image->Requests = 0;

    EXPECT_NO_THROW(EXPECT_EQ(Image->Perform(WM_BOARDSTART, 0, 0), 0));
    Flush();

    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_EQ(Form->ComponentCount(), components);
    EXPECT_EQ(Image->ControlCount(), 0);
    EXPECT_EQ(Image->BoundsRect(), bounds);
    EXPECT_EQ(Image->Requests, 0);
}

} // namespace
