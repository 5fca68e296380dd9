// A person's walk through the program: the help window that opens by itself and starts the walk, the
// Previous and Next buttons around the "&Settings" menu's options, the menu entries that open and
// close the popups, the Help menu's windows, and File > Exit.

#include "tests/e2e/SettingsRun.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace std::chrono_literals;

namespace {

std::string Joined(const QStringList& list) { return list.join(QStringLiteral(", ")).toStdString(); }

// What must stay on the screen after the pointer moved: polled for a while, since only its going away
// could be seen at once.
constexpr auto kStays = 800ms;

std::vector<bool> OnlyChecked(int entry)
{
    std::vector<bool> marks(4, false);
    if (entry >= 0)
        marks[static_cast<size_t>(entry)] = true;
    return marks;
}

class WalkTest : public testing::Test {
protected:
    void SetUp() override { FRun = std::make_unique<SettingsRun>(CurrentTestName()); }

    E2eSession& Session() { return FRun->Session(); }

    // The help window once it has painted its document (on the light grey of the rich text).
    WindowGeometry WaitForPaintedHelp()
    {
        const std::optional<WindowId> help = FRun->WaitForWindow(Titles::Help);
        EXPECT_TRUE(help.has_value()) << "the help window did not open by itself";
        if (!help)
            return {};
        const WindowGeometry geometry = Session().Geometry(*help);
        const QRect document(geometry.Client.left() + 4, geometry.Client.top() + 30, geometry.Client.width() - 30, 30);
        const auto painted = [&](const QImage& shot) {
            int light = 0;
            for (int x = document.left(); x <= document.right(); ++x)
                light += shot.pixel(x, document.top()) == qRgb(0xDD, 0xDD, 0xDD) ? 1 : 0;
            return light > document.width() / 3;
        };
        EXPECT_TRUE(Session().ScreenshotWhen(QStringLiteral("help-window"), painted, 10s).Matched)
            << "the help window shows no document";
        return geometry;
    }

    // Waits for the option's popup and checks that it opened where its panel's offset from the board
    // puts it, with its panel, memo, buttons and status bar in its client area.
    std::optional<WindowId> ExpectPopupPlaced(const OptionPanel& panel)
    {
        const std::optional<WindowId> popup = FRun->WaitForWindow(panel.Caption);
        EXPECT_TRUE(popup.has_value()) << "no popup \"" << panel.Caption.toStdString() << "\"";
        if (!popup)
            return popup;
        const WindowGeometry geometry = Session().Geometry(*popup);
        const QSize frameExtra = geometry.Frame.size() - geometry.Client.size();
        EXPECT_EQ(geometry.Frame.topLeft(), FRun->PopupPlace(panel, geometry.Frame.size())) << panel.Name;
        EXPECT_EQ(geometry.Client.size(), SettingsRun::PopupClientSize(panel, frameExtra)) << panel.Name;
        return popup;
    }

    // The popup stays although the pointer has gone off it and off every circle.
    void ExpectPinned(const OptionPanel& panel)
    {
        Session().MoveMouse(FRun->BoardAwayFromCircles());
        EXPECT_TRUE(E2eSession::HoldsFor([&] { return Session().FindWindow(panel.Caption).has_value(); }, kStays))
            << "\"" << panel.Caption.toStdString() << "\" closed when the pointer moved away: it is not pinned";
    }

    std::unique_ptr<SettingsRun> FRun;
};

TEST_F(WalkTest, HelpWindowOpensByItselfCentredOverTheMainWindow)
{
    const WindowGeometry help = WaitForPaintedHelp();
    if (HasFailure())
        return;
    // Scaled for the 1024 x 768 screen by 1.28 from its designed client area of 305 x 138.
    EXPECT_EQ(help.Client.size(), QSize(390, 177));
    const QPoint offCentre = help.Frame.center() - FRun->MainGeometry().Frame.center();
    EXPECT_LE(std::abs(offCentre.x()), 1) << "help window " << help.Frame.x() << "," << help.Frame.y();
    EXPECT_LE(std::abs(offCentre.y()), 1) << "help window " << help.Frame.x() << "," << help.Frame.y();
    EXPECT_EQ(FRun->ShownPopups(), QStringList()) << Joined(FRun->ShownPopups());
}

// A way the help window starts the walk: its Start button, or the keys that act as a click on it.
struct StartWay {
    const char* Name = "";
    bool Click = false;
    const char* Keys = "";
};

void PrintTo(const StartWay& way, std::ostream* out) { *out << way.Name; }

class StartTest : public WalkTest, public testing::WithParamInterface<StartWay> {};

TEST_P(StartTest, OpensAndPinsTheBaseAddressPopup)
{
    const WindowGeometry help = WaitForPaintedHelp();
    if (HasFailure())
        return;
    if (GetParam().Click) {
        // The Start button is centred in the window, its bottom 8 pixels above the client area's.
        Session().ClickAt(QPoint(help.Client.center().x(), help.Client.bottom() - 8 - 12));
    } else {
        Session().Activate(*Session().FindWindow(Titles::Help));
        Session().PressKeys(QString::fromLatin1(GetParam().Keys));
    }
    EXPECT_TRUE(FRun->WaitForWindowGone(Titles::Help)) << "the help window stayed";
    ASSERT_TRUE(ExpectPopupPlaced(Board::BasePanel));
    Session().Screenshot(QStringLiteral("base-address-started"));
    ExpectPinned(Board::BasePanel);
    EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(0));
    EXPECT_EQ(FRun->ShownPopups(), QStringList{Titles::BaseAddress}) << Joined(FRun->ShownPopups());
}

INSTANTIATE_TEST_SUITE_P(Ways, StartTest,
                         testing::Values(StartWay{"StartButton", true, ""}, StartWay{"Escape", false, "Escape"},
                                         StartWay{"Enter", false, "Return"}),
                         [](const testing::TestParamInfo<StartWay>& info) { return std::string(info.param.Name); });

// Previous or Next, clicked in each popup in turn, around the whole "&Settings" menu.
struct WalkDirection {
    const char* Name = "";
    int Step = 1;
};

void PrintTo(const WalkDirection& direction, std::ostream* out) { *out << direction.Name; }

class WalkAroundTest : public WalkTest, public testing::WithParamInterface<WalkDirection> {};

TEST_P(WalkAroundTest, ClosesEachPopupAndOpensTheNextPinned)
{
    WaitForPaintedHelp();
    const QRect help = Session().Geometry(*Session().FindWindow(Titles::Help)).Client;
    Session().ClickAt(QPoint(help.center().x(), help.bottom() - 8 - 12));
    std::optional<WindowId> popup = FRun->WaitForWindow(Titles::BaseAddress);
    ASSERT_TRUE(popup.has_value()) << "Start opened no popup";

    int entry = 0;
    for (int step = 1; step <= 4; ++step) {
        const OptionPanel& from = *Board::Walk[entry];
        entry = (entry + GetParam().Step + 4) % 4;
        const OptionPanel& to = *Board::Walk[entry];
        SCOPED_TRACE(from.Caption.toStdString() + " to " + to.Caption.toStdString());
        const PopupLayout layout = FRun->Layout(*popup);
        Session().ClickAt(GetParam().Step > 0 ? layout.Next() : layout.Previous());
        EXPECT_TRUE(FRun->WaitForWindowGone(from.Caption)) << "the popup left behind stayed";
        popup = ExpectPopupPlaced(to);
        ASSERT_TRUE(popup.has_value());
        Session().Screenshot(QStringLiteral("walk-%1").arg(step));
        ExpectPinned(to);
        EXPECT_EQ(FRun->ShownPopups(), QStringList{to.Caption}) << Joined(FRun->ShownPopups());
        EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(entry));
    }
    EXPECT_EQ(entry, 0) << "the walk came back to Base Address";
}

INSTANTIATE_TEST_SUITE_P(Directions, WalkAroundTest,
                         testing::Values(WalkDirection{"Next", 1}, WalkDirection{"Previous", -1}),
                         [](const testing::TestParamInfo<WalkDirection>& info) { return std::string(info.param.Name); });

TEST_F(WalkTest, SettingsEntriesOpenPinnedAndCloseWhenChosenAgain)
{
    FRun->DismissHelp();
    EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(-1));
    for (const OptionPanel* panel : Board::Walk) {
        SCOPED_TRACE(panel->Caption.toStdString());
        FRun->ChooseMenuItem(SettingsRun::SettingsMenu, panel->EntryIndex, 4);
        ASSERT_TRUE(ExpectPopupPlaced(*panel));
        ExpectPinned(*panel);
        EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(panel->EntryIndex));

        FRun->ChooseMenuItem(SettingsRun::SettingsMenu, panel->EntryIndex, 4);
        EXPECT_TRUE(FRun->WaitForWindowGone(panel->Caption)) << "choosing the checked entry left its popup open";
        EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(-1));
    }
}

TEST_F(WalkTest, DoneAndTheCloseBoxCloseAPopupAndUncheckItsEntry)
{
    FRun->DismissHelp();
    FRun->ChooseMenuItem(SettingsRun::SettingsMenu, Board::BufferPanel.EntryIndex, 4);
    std::optional<WindowId> popup = FRun->WaitForWindow(Titles::BufferEnabling);
    ASSERT_TRUE(popup.has_value());
    Session().ClickAt(FRun->Layout(*popup).Done());
    EXPECT_TRUE(FRun->WaitForWindowGone(Titles::BufferEnabling)) << "Done left the popup open";
    EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(-1));

    // Shown again, the popup is the same window, where it was.
    FRun->ChooseMenuItem(SettingsRun::SettingsMenu, Board::BufferPanel.EntryIndex, 4);
    const std::optional<WindowId> again = FRun->WaitForWindow(Titles::BufferEnabling);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(*again, *popup);
    FRun->CloseWithCloseBox(Titles::BufferEnabling);
    EXPECT_EQ(FRun->SettingsCheckMarks(), OnlyChecked(-1));
}

// A window of the Help menu, and how Esc leaves it.
struct HelpEntry {
    const char* Name = "";
    int Index = 0;
    const char* Accelerator = "";
    QString Title;
    QSize Client;
    // Esc in the help window acts as its Start button, which opens the Base Address popup.
    bool EscapeStartsTheWalk = false;
};

void PrintTo(const HelpEntry& entry, std::ostream* out) { *out << entry.Name; }

class HelpMenuTest : public WalkTest, public testing::WithParamInterface<HelpEntry> {};

TEST_P(HelpMenuTest, ShowsItsWindowAndEscapeHidesIt)
{
    const HelpEntry& entry = GetParam();
    FRun->DismissHelp();
    FRun->ChooseMenuItem(SettingsRun::HelpMenu, entry.Index, 2);
    const std::optional<WindowId> window = FRun->WaitForWindow(entry.Title);
    ASSERT_TRUE(window.has_value()) << "no window \"" << entry.Title.toStdString() << "\"";
    EXPECT_EQ(Session().Geometry(*window).Client.size(), entry.Client);
    Session().Screenshot(QStringLiteral("shown"));
    // Chosen again, the entry leaves the one window shown. (With the keyboard: the support window may
    // have opened over the menu bar, where the window manager places it.)
    Session().Activate(FRun->MainWindow());
    Session().PressKeys(QStringLiteral("alt+h"));
    Session().PressKeys(QString::fromLatin1(entry.Accelerator));
    EXPECT_TRUE(E2eSession::HoldsFor([&] { return Session().FindWindow(entry.Title) == window; }, kStays));

    Session().Activate(*window);
    Session().PressKeys(QStringLiteral("Escape"));
    EXPECT_TRUE(FRun->WaitForWindowGone(entry.Title)) << "Esc left the window shown";
    if (entry.EscapeStartsTheWalk)
        EXPECT_TRUE(FRun->WaitForWindow(Titles::BaseAddress)) << "Esc in the help window did not start the walk";
    else
        EXPECT_TRUE(E2eSession::HoldsFor([&] { return FRun->ShownPopups().isEmpty(); }, kStays));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, HelpMenuTest,
    testing::Values(HelpEntry{"HowToUseThisProgram", 0, "o", Titles::Help, QSize(390, 177), true},
                    HelpEntry{"TechnicalSupport", 1, "t", Titles::TechnicalSupport, QSize(305, 122), false}),
    [](const testing::TestParamInfo<HelpEntry>& info) { return std::string(info.param.Name); });

TEST_F(WalkTest, FileExitWithPopupsOpenEndsTheProgramWithExitCodeZero)
{
    FRun->DismissHelp();
    FRun->ChooseMenuItem(SettingsRun::SettingsMenu, Board::IRQPanel.EntryIndex, 4);
    ASSERT_TRUE(FRun->WaitForWindow(Titles::IRQLevel));
    FRun->ChooseMenuItem(SettingsRun::HelpMenu, 1, 2);
    ASSERT_TRUE(FRun->WaitForWindow(Titles::TechnicalSupport));
    // The support window may open over the menu bar (the window manager places it): the keyboard
    // reaches File > Exit all the same.
    Session().Activate(FRun->MainWindow());
    Session().PressKeys(QStringLiteral("alt+f"));
    Session().PressKeys(QStringLiteral("e"));
    const std::optional<int> exitCode = Session().WaitForExit(15s);
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end by itself";
    EXPECT_EQ(*exitCode, 0);
}

} // namespace
