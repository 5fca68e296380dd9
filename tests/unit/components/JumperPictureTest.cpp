#include "WidgetPainting.h"

#include "components/RadioPanel.h"
#include "components/SettingWidgets.h"

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {
constexpr TColor Background = PanelBench::PanelColor;

// ---------------------------------------------------------------------------------------------------------
// Two-pin jumper: background, then the open body (rounded, inset by one) or the cap (the whole control),
// then two pins of radius r = min(q div 3, round(h / 4)), q = round(w / 3.5), at x = q + 1 and w - q - 1.

struct TwoPinCase {
    const char* Name;
    int Width;
    int Height;
    TOrientationType Orientation;
    bool Closed;
    TBorderStyle Border;
    TProbes Probes;
};

// The open body of a 34 x 18 frame, (1, 1, 33, 17) with 9 x 9 corners, around the pins (8, 6, 14, 12)
// and (20, 6, 26, 12).
TProbes OpenTwoPin34x18(TColor outline)
{
    TProbes probes = EdgeProbes(Rect(1, 1, 33, 17), outline);
    Append(probes, AroundProbes(Rect(1, 1, 33, 17), Background));
    Append(probes, {{1, 1, Background}, {32, 16, Background}, {17, 9, clGray}, {4, 9, clGray}});
    Append(probes, DiscProbes(Rect(8, 6, 14, 12), clYellow, clGray));
    Append(probes, DiscProbes(Rect(20, 6, 26, 12), clYellow, clGray));
    return probes;
}

TProbes ClosedTwoPin34x18(TColor outline)
{
    TProbes probes = EdgeProbes(Rect(0, 0, 34, 18), outline);
    Append(probes, {{0, 0, outline}, {1, 1, clMaroon}, {17, 9, clMaroon}, {4, 9, clMaroon}, {30, 15, clMaroon}});
    Append(probes, DiscProbes(Rect(8, 6, 14, 12), clYellow, clMaroon));
    Append(probes, DiscProbes(Rect(20, 6, 26, 12), clYellow, clMaroon));
    return probes;
}

// 70 x 18: q = 20, a = 21, r = min(6, round(4.5)) = 4 (the tie goes to the even 4, not 5), cy = 9.
TProbes OpenTwoPin70x18()
{
    TProbes probes = EdgeProbes(Rect(1, 1, 69, 17), clBlack);
    Append(probes, DiscProbes(Rect(17, 5, 25, 13), clYellow, clGray));
    Append(probes, DiscProbes(Rect(45, 5, 53, 13), clYellow, clGray));
    return probes;
}

class TwoPinPicture : public testing::TestWithParam<TwoPinCase> {};

TEST_P(TwoPinPicture, ShowsItsBoxesInTheirColours)
{
    const TwoPinCase& c = GetParam();
    PanelBench bench;
    auto* jumper = bench.Add<TTwoJumper>(c.Width, c.Height, c.Orientation);
    jumper->SetClosed(c.Closed);
    jumper->SetBorderStyle(c.Border);
    const QImage surface = bench.Paint();
    ExpectProbes(surface, *jumper, c.Probes);
    // Nothing is drawn beyond the control.
    EXPECT_EQ(PixelAt(surface, jumper->Left() - 1, jumper->Top()), ColorToRGB(Background));
    EXPECT_EQ(PixelAt(surface, jumper->Left() + jumper->Width(), jumper->Top() + jumper->Height()),
              ColorToRGB(Background));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TwoPinPicture,
    testing::Values(TwoPinCase{"DefaultOpen", 34, 18, otUp, false, bsSingle, OpenTwoPin34x18(clBlack)},
                    TwoPinCase{"DefaultClosed", 34, 18, otUp, true, bsSingle, ClosedTwoPin34x18(clBlack)},
                    TwoPinCase{"OpenWithoutBorder", 34, 18, otUp, false, bsNone, OpenTwoPin34x18(clGray)},
                    TwoPinCase{"ClosedWithoutBorder", 34, 18, otUp, true, bsNone, ClosedTwoPin34x18(clMaroon)},
                    TwoPinCase{"VerticalPinsOneAboveTheOther", 18, 34, otRight, false, bsSingle,
                               OpenTwoPin34x18(clBlack)},
                    TwoPinCase{"TieOfRoundGoesToEven", 70, 18, otUp, false, bsSingle, OpenTwoPin70x18()}),
    [](const testing::TestParamInfo<TwoPinCase>& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------------------------
// Three-pin jumper: background, the body in every state, the cap over the left or right pair out to the
// control's edge (always outlined in black), then three pins at x = a, w div 2 and w - a.

struct ThreePinCase {
    const char* Name;
    int Width;
    int Height;
    TOrientationType Orientation;
    TJumperState State;
    TBorderStyle Border;
    TProbes Probes;
};

// The default 43 x 18 frame: body (1, 1, 42, 17) with 9 x 9 corners, pins (7, 6, 13, 12), (18, 6, 24, 12),
// (30, 6, 36, 12); left cap (0, 0, 27, 18), right cap (15, 0, 43, 18).
TProbes Pins43x18(TColor besideLeft, TColor besideMiddle, TColor besideRight)
{
    TProbes probes = DiscProbes(Rect(7, 6, 13, 12), clYellow, besideLeft);
    Append(probes, DiscProbes(Rect(18, 6, 24, 12), clYellow, besideMiddle));
    Append(probes, DiscProbes(Rect(30, 6, 36, 12), clYellow, besideRight));
    return probes;
}

TProbes OpenThreePin43x18(TColor outline)
{
    TProbes probes = EdgeProbes(Rect(1, 1, 42, 17), outline);
    Append(probes, AroundProbes(Rect(1, 1, 42, 17), Background));
    Append(probes, {{1, 1, Background}, {41, 16, Background}, {15, 9, clGray}, {27, 9, clGray}});
    Append(probes, Pins43x18(clGray, clGray, clGray));
    return probes;
}

TProbes LeftCap43x18(TColor bodyOutline)
{
    TProbes probes = EdgeProbes(Rect(0, 0, 27, 18), clBlack);
    Append(probes, {{0, 0, clBlack}, {14, 9, clMaroon}, {25, 9, clMaroon}, {3, 3, clMaroon}});
    // Beyond the cap the body shows.
    Append(probes, {{27, 9, clGray}, {35, 1, bodyOutline}, {35, 0, Background}, {42, 9, Background}});
    Append(probes, Pins43x18(clMaroon, clMaroon, clGray));
    return probes;
}

TProbes RightCap43x18(TColor bodyOutline)
{
    TProbes probes = EdgeProbes(Rect(15, 0, 43, 18), clBlack);
    Append(probes, {{42, 0, clBlack}, {16, 9, clMaroon}, {27, 9, clMaroon}, {39, 14, clMaroon}});
    Append(probes, {{14, 9, clGray}, {7, 1, bodyOutline}, {7, 0, Background}, {0, 9, Background}});
    // The middle pin's left neighbour (17, 9) lies under the cap, the left pin's neighbours on the body.
    Append(probes, DiscProbes(Rect(7, 6, 13, 12), clYellow, clGray));
    Append(probes, DiscProbes(Rect(18, 6, 24, 12), clYellow, clMaroon));
    Append(probes, DiscProbes(Rect(30, 6, 36, 12), clYellow, clMaroon));
    return probes;
}

// 70 x 20: q = round(68 / 4.5) = 15, a = 16, r = min(5, round(4.5)) = 4 (not 5), cy = 10, cx = 35.
TProbes OpenThreePin70x20()
{
    TProbes probes = EdgeProbes(Rect(1, 1, 69, 19), clBlack);
    Append(probes, DiscProbes(Rect(12, 6, 20, 14), clYellow, clGray));
    Append(probes, DiscProbes(Rect(31, 6, 39, 14), clYellow, clGray));
    Append(probes, DiscProbes(Rect(50, 6, 58, 14), clYellow, clGray));
    return probes;
}

class ThreePinPicture : public testing::TestWithParam<ThreePinCase> {};

TEST_P(ThreePinPicture, ShowsItsBoxesInTheirColours)
{
    const ThreePinCase& c = GetParam();
    PanelBench bench;
    auto* jumper = bench.Add<TThreeJumper>(c.Width, c.Height, c.Orientation);
    jumper->SetJumperState(c.State);
    jumper->SetBorderStyle(c.Border);
    ASSERT_EQ(jumper->JumperState(), c.State);
    ExpectProbes(bench.Paint(), *jumper, c.Probes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ThreePinPicture,
    testing::Values(ThreePinCase{"DefaultOpen", 43, 18, otUp, jsOpen, bsSingle, OpenThreePin43x18(clBlack)},
                    ThreePinCase{"DefaultLeft", 43, 18, otUp, jsLeft, bsSingle, LeftCap43x18(clBlack)},
                    ThreePinCase{"DefaultRight", 43, 18, otUp, jsRight, bsSingle, RightCap43x18(clBlack)},
                    ThreePinCase{"OpenWithoutBorder", 43, 18, otUp, jsOpen, bsNone, OpenThreePin43x18(clGray)},
                    ThreePinCase{"CapKeepsItsOutlineWithoutBorder", 43, 18, otUp, jsLeft, bsNone,
                                 LeftCap43x18(clGray)},
                    ThreePinCase{"BufferJumperLeft", 18, 43, otRight, jsLeft, bsSingle, LeftCap43x18(clBlack)},
                    ThreePinCase{"BufferJumperRight", 18, 43, otRight, jsRight, bsSingle, RightCap43x18(clBlack)},
                    ThreePinCase{"TieOfRoundGoesToEven", 70, 20, otUp, jsOpen, bsSingle, OpenThreePin70x20()}),
    [](const testing::TestParamInfo<ThreePinCase>& info) { return std::string(info.param.Name); });

// On the buffer jumper (otRight) jsLeft covers the upper two pins: on screen the cap spans the rows of
// the top and the middle pin, and the bottom pin sits on the body.
TEST(BufferJumper, LeftCapCoversTheUpperTwoPinsOnScreen)
{
    PanelBench bench;
    auto* jumper = bench.Add<TThreeJumper>(18, 43, otRight, 0, 0);
    jumper->SetJumperState(jsLeft);
    const QImage surface = bench.Paint();
    // Screen column 4 lies beside the pins (x 6..11) inside the cap's outline; the cap ends at row 26.
    EXPECT_EQ(PixelAt(surface, 4, 14), ColorToRGB(clMaroon));
    EXPECT_EQ(PixelAt(surface, 4, 25), ColorToRGB(clMaroon));
    EXPECT_EQ(PixelAt(surface, 4, 26), ColorToRGB(clBlack));
    EXPECT_EQ(PixelAt(surface, 4, 30), ColorToRGB(clGray));
    for (int pinRow : {10, 21, 33})
        EXPECT_EQ(PixelAt(surface, 8, pinRow), ColorToRGB(clYellow)) << pinRow;
}

// ---------------------------------------------------------------------------------------------------------
// The background comes from a parent whose class is exactly TRadioPanel; any other parent gives the
// button face, whatever its own colour.

class TDerivedRadioPanel : public TRadioPanel {
    Q_OBJECT
public:
    using TRadioPanel::TRadioPanel;
};

enum class ParentKind { RadioPanel, DerivedRadioPanel, Panel, Form };

struct BackgroundCase {
    const char* Name;
    ParentKind Parent;
    TColor Expected;
};

std::unique_ptr<TWinControl> MakeParent(ParentKind kind)
{
    switch (kind) {
    case ParentKind::RadioPanel: return std::make_unique<TRadioPanel>(nullptr);
    case ParentKind::DerivedRadioPanel: return std::make_unique<TDerivedRadioPanel>(nullptr);
    case ParentKind::Panel: {
        auto panel = std::make_unique<TPanel>(nullptr);
        panel->SetBevelOuter(bvNone);
        return panel;
    }
    case ParentKind::Form: return std::make_unique<TForm>(nullptr);
    }
    return nullptr;
}

class WidgetBackground : public testing::TestWithParam<BackgroundCase> {};

TEST_P(WidgetBackground, ComesFromTheOptionPanelOnly)
{
    const BackgroundCase& c = GetParam();
    std::unique_ptr<TWinControl> parent = MakeParent(c.Parent);
    parent->SetColor(Background);
    parent->SetBounds(0, 0, 200, 100);
    if (auto* form = qobject_cast<TForm*>(parent.get()))
        form->SetClientSize(200, 100);
    std::vector<TOrientedWidget*> widgets{new TTwoJumper(parent.get()), new TThreeJumper(parent.get())};
    widgets[0]->SetLeft(10);
    widgets[1]->SetLeft(60);
    for (TOrientedWidget* widget : widgets) {
        widget->SetTop(10);
        widget->SetParent(parent.get());
    }
    const QImage surface = PaintSurface(*parent);
    EXPECT_EQ(PixelAt(surface, 5, 5), ColorToRGB(Background)) << "the parent's own colour";
    for (TOrientedWidget* widget : widgets) {
        EXPECT_EQ(UprightPixel(surface, *widget, 0, 0), ColorToRGB(c.Expected)) << widget->ClassName().toStdString();
        EXPECT_EQ(UprightPixel(surface, *widget, 1, 1), ColorToRGB(c.Expected)) << "outside the rounded corner";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parents, WidgetBackground,
    testing::Values(BackgroundCase{"RadioPanel", ParentKind::RadioPanel, Background},
                    BackgroundCase{"DerivedRadioPanel", ParentKind::DerivedRadioPanel, clBtnFace},
                    BackgroundCase{"Panel", ParentKind::Panel, clBtnFace},
                    BackgroundCase{"Form", ParentKind::Form, clBtnFace}),
    [](const testing::TestParamInfo<BackgroundCase>& info) { return std::string(info.param.Name); });

// Tiny sizes leave shapes without room; painting them must neither fail nor draw outside the control.
TEST(TinyWidgets, PaintInsideTheirBoxWithoutFailing)
{
    PanelBench bench;
    int left = 10;
    for (int size : {0, 1, 2, 3}) {
        bench.Add<TTwoJumper>(size, size, otUp, left, 10);
        bench.Add<TThreeJumper>(size, size + 1, otRight, left, 30);
        bench.Add<TBaseAddress>(size + 1, size, otDown, left, 50);
        left += 10;
    }
    const QImage surface = bench.Paint();
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            if (bench.Panel->ControlAtPos(TPoint{x, y}, true) == nullptr) {
                ASSERT_EQ(PixelAt(surface, x, y), ColorToRGB(Background)) << x << ", " << y;
            }
        }
}
} // namespace

#include "JumperPictureTest.moc"
