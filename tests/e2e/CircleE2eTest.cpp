// The highlight circles under the pointer: each lights up and opens its option's popup where the
// option's panel belongs, linked circles light together and share one window, leaving closes it unless
// the pointer went into the popup or a click pinned it. The circles' looks are the ring blended over the
// board photograph, computed here from the photograph's pixels.

#include "tests/e2e/DrawnPictures.h"
#include "tests/e2e/SettingsRun.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace std::chrono_literals;

namespace {

constexpr auto kStays = 800ms;
constexpr auto kRepaint = 10s;

// The three looks of a setting circle: its yellow ring at 0.5, at 0.75 while hovered or while its popup
// is the active window, and at full strength with a white core while both.
enum class Look { Plain, Lit, Bright };

QImage ExpectedLook(const BoardCircle& circle, Look look)
{
    const QImage under = Board::Photo().copy(circle.Bounds);
    switch (look) {
    case Look::Plain: return BlendedRing(under, Colours::Yellow, 0.5f, false);
    case Look::Lit: return BlendedRing(under, Colours::Yellow, 0.75f, false);
    case Look::Bright: return BlendedRing(under, Colours::Yellow, 1.0f, true);
    }
    return under;
}

const char* LookName(Look look)
{
    switch (look) {
    case Look::Plain: return "plain";
    case Look::Lit: return "lit";
    case Look::Bright: return "bright";
    }
    return "";
}

class CircleTest : public testing::Test {
protected:
    void SetUp() override
    {
        FRun = std::make_unique<SettingsRun>(CurrentTestName());
        FRun->DismissHelp();
    }

    E2eSession& Session() { return FRun->Session(); }

    // How the circles differ from the looks asked for: `lookOf` gives each circle's look.
    std::string LookDifferences(const QImage& shot, const std::function<Look(const BoardCircle&)>& lookOf) const
    {
        std::string differences;
        for (const BoardCircle& circle : Board::Circles) {
            const Look look = lookOf(circle);
            const std::string differing =
                ImageDifferences(shot, FRun->CircleOnScreen(circle).topLeft(), ExpectedLook(circle, look));
            if (!differing.empty())
                differences += std::string(circle.Name) + " is not " + LookName(look) + ": " + differing + "\n";
        }
        return differences;
    }

    // Waits for the screen to show the looks; saves the shot as `label`.
    void ExpectLooks(const QString& label, const std::function<Look(const BoardCircle&)>& lookOf)
    {
        std::string differences;
        Session().ScreenshotWhen(
            label,
            [&](const QImage& shot) {
                differences = LookDifferences(shot, lookOf);
                return differences.empty();
            },
            kRepaint);
        EXPECT_EQ(differences, "");
    }

    void ExpectAllPlain(const QString& label)
    {
        ExpectLooks(label, [](const BoardCircle&) { return Look::Plain; });
    }

    std::unique_ptr<SettingsRun> FRun;
};

// The circles of one option: one circle, or the linked circles that share its panel and popup.
struct CircleGroup {
    const char* Name = "";
    const OptionPanel* Panel = nullptr;
};

void PrintTo(const CircleGroup& group, std::ostream* out) { *out << group.Name; }

class HoverTest : public CircleTest, public testing::WithParamInterface<CircleGroup> {};

TEST_P(HoverTest, EachCircleLightsItsOptionAndOpensItsOnePopupUntilThePointerLeaves)
{
    const OptionPanel& panel = *GetParam().Panel;
    const auto inGroup = [&](const BoardCircle& circle) { return circle.Panel == &panel; };
    ExpectAllPlain(QStringLiteral("plain"));
    std::optional<WindowId> shared;
    for (const BoardCircle& circle : Board::Circles) {
        if (!inGroup(circle))
            continue;
        SCOPED_TRACE(circle.Name);
        Session().MoveMouse(FRun->CircleCentre(circle));
        const std::optional<WindowId> popup = FRun->WaitForWindow(panel.Caption);
        ASSERT_TRUE(popup.has_value()) << "hovering opened no popup \"" << panel.Caption.toStdString() << "\"";
        if (shared) {
            EXPECT_EQ(*popup, *shared) << "linked circles opened a second window";
        }
        shared = popup;
        EXPECT_EQ(FRun->ShownPopups(), QStringList{panel.Caption});
        const WindowGeometry geometry = Session().Geometry(*popup);
        EXPECT_EQ(geometry.Frame.topLeft(), FRun->PopupPlace(panel, geometry.Frame.size()));
        EXPECT_TRUE(QRect(QPoint(0, 0), E2eSession::ScreenSize()).contains(geometry.Frame))
            << "the popup reaches past the screen";
        // The popup is the active window: the hovered circles show the bright look, the others plain.
        ExpectLooks(QStringLiteral("hovered-%1").arg(QLatin1String(circle.Name)),
                    [&](const BoardCircle& c) { return inGroup(c) ? Look::Bright : Look::Plain; });

        Session().MoveMouse(FRun->BoardAwayFromCircles());
        EXPECT_TRUE(FRun->WaitForWindowGone(panel.Caption)) << "leaving the circle left its popup open";
        ExpectAllPlain(QStringLiteral("left-%1").arg(QLatin1String(circle.Name)));
    }
}

INSTANTIATE_TEST_SUITE_P(Options, HoverTest,
                         testing::Values(CircleGroup{"BaseAddress", &Board::BasePanel},
                                         CircleGroup{"IRQEnable", &Board::IEnablePanel},
                                         CircleGroup{"BufferEnabling", &Board::BufferPanel},
                                         CircleGroup{"IRQLevel", &Board::IRQPanel}),
                         [](const testing::TestParamInfo<CircleGroup>& info) { return std::string(info.param.Name); });

TEST_F(CircleTest, MovingFromACircleIntoItsPopupKeepsItUntilThePointerLeavesThePopup)
{
    const BoardCircle& circle = Board::Circles[5]; // IRQHighlight2, linked with two more
    Session().MoveMouse(FRun->CircleCentre(circle));
    const std::optional<WindowId> popup = FRun->WaitForWindow(Titles::IRQLevel);
    ASSERT_TRUE(popup.has_value());
    const PopupLayout layout = FRun->Layout(*popup);
    const auto shown = [&] { return Session().FindWindow(Titles::IRQLevel).has_value(); };

    Session().MoveMouse(layout.Memo());
    EXPECT_TRUE(E2eSession::HoldsFor(shown, kStays)) << "moving into the popup closed it";
    // From one control of the popup to another: still inside.
    Session().MoveMouse(layout.PanelOrigin() + QPoint(60, 100));
    EXPECT_TRUE(E2eSession::HoldsFor(shown, kStays)) << "moving inside the popup closed it";
    Session().MoveMouse(layout.Done() + QPoint(-10, 0));
    EXPECT_TRUE(E2eSession::HoldsFor(shown, kStays)) << "moving onto Done closed it";

    Session().MoveMouse(FRun->BoardAwayFromCircles());
    EXPECT_TRUE(FRun->WaitForWindowGone(Titles::IRQLevel)) << "leaving the popup left it open";
    ExpectAllPlain(QStringLiteral("closed"));
}

TEST_F(CircleTest, AClickOnACirclePinsItsPopupAndChecksItsEntry)
{
    const BoardCircle& circle = Board::Circles[3]; // BufferHighlight
    Session().MoveMouse(FRun->CircleCentre(circle));
    ASSERT_TRUE(FRun->WaitForWindow(Titles::BufferEnabling));
    Session().Click();
    Session().MoveMouse(FRun->BoardAwayFromCircles());
    EXPECT_TRUE(E2eSession::HoldsFor([&] { return Session().FindWindow(Titles::BufferEnabling).has_value(); }, kStays))
        << "the clicked circle's popup closed when the pointer left";
    EXPECT_EQ(FRun->SettingsCheckMarks(), (std::vector<bool>{false, false, true, false}));
    // With the main window active, the pinned circle stays lit: hovered, its popup not the active window.
    ExpectLooks(QStringLiteral("pinned"),
                [&](const BoardCircle& c) { return &c == &circle ? Look::Lit : Look::Plain; });
}

} // namespace
