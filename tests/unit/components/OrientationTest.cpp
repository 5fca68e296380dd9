#include "WidgetPainting.h"

#include "components/SettingWidgets.h"

#include "platform/Forms.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {
// Widgets in a state whose picture is not symmetric, so that a wrong turn shows.
enum class WidgetKind { TwoPin, ThreePin, SwitchBlock };

QSize UprightSizeOf(WidgetKind kind)
{
    switch (kind) {
    case WidgetKind::TwoPin: return QSize(34, 18);
    case WidgetKind::ThreePin: return QSize(43, 18);
    case WidgetKind::SwitchBlock: return QSize(102, 61);
    }
    return QSize();
}

TOrientedWidget* AddWidget(PanelBench& bench, WidgetKind kind, TOrientationType orientation, int left, int top)
{
    const QSize upright = UprightSizeOf(kind);
    const bool vertical = IsVerticalOrientation(orientation);
    const int width = vertical ? upright.height() : upright.width();
    const int height = vertical ? upright.width() : upright.height();
    switch (kind) {
    case WidgetKind::TwoPin: {
        auto* jumper = bench.Add<TTwoJumper>(width, height, orientation, left, top);
        jumper->SetClosed(true);
        return jumper;
    }
    case WidgetKind::ThreePin: {
        auto* jumper = bench.Add<TThreeJumper>(width, height, orientation, left, top);
        jumper->SetJumperState(jsLeft);
        return jumper;
    }
    case WidgetKind::SwitchBlock: {
        auto* block = bench.Add<TBaseAddress>(width, height, orientation, left, top);
        block->SetNumSwitches(6);
        block->SetBaseAddressStr(QStringLiteral("2A0"));
        return block;
    }
    }
    return nullptr;
}

const char* NameOf(WidgetKind kind)
{
    switch (kind) {
    case WidgetKind::TwoPin: return "TwoPin";
    case WidgetKind::ThreePin: return "ThreePin";
    case WidgetKind::SwitchBlock: return "SwitchBlock";
    }
    return "";
}

const char* NameOf(TOrientationType orientation)
{
    switch (orientation) {
    case otUp: return "Up";
    case otDown: return "Down";
    case otLeft: return "Left";
    case otRight: return "Right";
    }
    return "";
}

// Every pixel (x, y) of the upright picture, as an otUp widget shows it, lands where the orientation
// table puts it on the turned widget.
void ExpectTurnedPicture(const QImage& surface, const TOrientedWidget& upright, const TOrientedWidget& turned)
{
    const int w = upright.Width();
    const int h = upright.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TPoint at = ScreenPointOf(turned.Orientation(), x, y, w, h);
            ASSERT_EQ(PixelAt(surface, turned.Left() + at.X, turned.Top() + at.Y),
                      PixelAt(surface, upright.Left() + x, upright.Top() + y))
                << "upright pixel (" << x << ", " << y << ")";
        }
}

struct TurnCase {
    WidgetKind Kind;
    TOrientationType Orientation;
};

class TurnedPicture : public testing::TestWithParam<TurnCase> {};

TEST_P(TurnedPicture, MapsEveryUprightPixelByTheOrientationTable)
{
    const TurnCase& c = GetParam();
    PanelBench bench;
    TOrientedWidget* upright = AddWidget(bench, c.Kind, otUp, 0, 0);
    TOrientedWidget* turned = AddWidget(bench, c.Kind, c.Orientation, 110, 0);
    const QImage surface = bench.Paint();
    ExpectTurnedPicture(surface, *upright, *turned);
}

std::vector<TurnCase> AllTurns()
{
    std::vector<TurnCase> cases;
    for (WidgetKind kind : {WidgetKind::TwoPin, WidgetKind::ThreePin, WidgetKind::SwitchBlock})
        for (TOrientationType orientation : {otUp, otDown, otLeft, otRight})
            cases.push_back({kind, orientation});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllOrientations, TurnedPicture, testing::ValuesIn(AllTurns()),
                         [](const testing::TestParamInfo<TurnCase>& info) {
                             return std::string(NameOf(info.param.Kind)) + NameOf(info.param.Orientation);
                         });

// ---------------------------------------------------------------------------------------------------------
// The size exchange: a turn across the horizontal and vertical pairs swaps Width and Height at the end of
// the next paint, but only on a widget painted before.

class SizeExchange : public testing::TestWithParam<WidgetKind> {};

TEST_P(SizeExchange, APaintedWidgetTurnedUprightToLeftSwapsAtItsNextPaint)
{
    PanelBench bench;
    TOrientedWidget* upright = AddWidget(bench, GetParam(), otUp, 0, 0);
    TOrientedWidget* widget = AddWidget(bench, GetParam(), otUp, 110, 0);
    const QSize size(widget->Width(), widget->Height());
    bench.Paint();
    widget->SetOrientation(otLeft);
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size) << "not before it is painted";
    bench.Paint();
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size.transposed());
    // Painted again in its new shape, it shows the upright picture turned a quarter counter-clockwise.
    const QImage surface = bench.Paint();
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size.transposed()) << "swapped once only";
    ExpectTurnedPicture(surface, *upright, *widget);
}

TEST_P(SizeExchange, AHalfTurnKeepsTheSize)
{
    PanelBench bench;
    TOrientedWidget* widget = AddWidget(bench, GetParam(), otUp, 0, 0);
    const QSize size(widget->Width(), widget->Height());
    bench.Paint();
    widget->SetOrientation(otDown);
    bench.Paint();
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size);
}

TEST_P(SizeExchange, AWidgetGivenItsTurnAndSizeBeforeItsFirstPaintKeepsThem)
{
    PanelBench bench;
    TOrientedWidget* widget = AddWidget(bench, GetParam(), otRight, 0, 0);
    const QSize size(widget->Width(), widget->Height());
    ASSERT_GT(size.height(), size.width());
    for (int paint = 0; paint < 3; ++paint) {
        bench.Paint();
        EXPECT_EQ(QSize(widget->Width(), widget->Height()), size) << "paint " << paint;
    }
    // Between the two vertical directions the size stays too.
    widget->SetOrientation(otLeft);
    bench.Paint();
    bench.Paint();
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size);
}

// Turned across and back before it is painted again, the widget ends where it started.
TEST_P(SizeExchange, ATurnThereAndBackBeforeAPaintKeepsTheSize)
{
    PanelBench bench;
    TOrientedWidget* widget = AddWidget(bench, GetParam(), otUp, 0, 0);
    const QSize size(widget->Width(), widget->Height());
    bench.Paint();
    widget->SetOrientation(otLeft);
    widget->SetOrientation(otDown);
    bench.Paint();
    bench.Paint();
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size);
    widget->SetOrientation(otRight);
    widget->SetOrientation(otLeft);
    bench.Paint();
    bench.Paint();
    EXPECT_EQ(QSize(widget->Width(), widget->Height()), size.transposed());
}

INSTANTIATE_TEST_SUITE_P(Widgets, SizeExchange,
                         testing::Values(WidgetKind::TwoPin, WidgetKind::ThreePin, WidgetKind::SwitchBlock),
                         [](const testing::TestParamInfo<WidgetKind>& info) { return std::string(NameOf(info.param)); });

void Flush()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// On a shown window the platform's own paint cycle does the same: the turn lands at the next paint.
TEST(SizeExchangeOnScreen, FollowsTheWindowsPaint)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(200, 120);
    auto* jumper = new TTwoJumper(form.get());
    jumper->SetBounds(20, 20, 34, 18);
    jumper->SetParent(form.get());
    form->Show();
    Flush();
    jumper->SetOrientation(otLeft);
    EXPECT_EQ(jumper->Width(), 34);
    Flush();
    EXPECT_EQ(jumper->Width(), 18);
    EXPECT_EQ(jumper->Height(), 34);
    Flush();
    EXPECT_EQ(jumper->Width(), 18) << "swapped once only";
    form.reset();
    Flush();
}
} // namespace
