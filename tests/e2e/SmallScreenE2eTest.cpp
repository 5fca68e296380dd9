// The program on a screen smaller than its designed window, under a real window manager: the main
// window fills the work area, the help window opens at its designed size, every popup opened from the
// Settings menu lies wholly on the screen, frame included, and the program still ends normally.

#include "tests/e2e/E2eSession.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace std::chrono_literals;

namespace {

const QString kMainWindowTitle = QStringLiteral("Setup");
const QString kHelpWindowTitle = QStringLiteral("Instructions for Settings utility");

// The first circle's popup, which the help window's Start opens (Escape acts as Start).
const QString kFirstPopupTitle = QStringLiteral("Base Address");
// The other Settings-menu entries: the accelerator key and the caption of the popup each opens.
struct TPopupEntry {
    const char* Key;
    const char* Caption;
};
const TPopupEntry kSettingsEntries[] = {{"e", "IRQ Enable"}, {"b", "Buffer Enabling"}, {"i", "IRQ Level"}};

class SmallScreenTest : public testing::TestWithParam<QSize> {
protected:
    void SetUp() override
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        FSession = std::make_unique<E2eSession>(QString::fromUtf8(test->name()), GetParam());
        FScreen = QRect(QPoint(0, 0), GetParam());
        FSession->MoveMouse(QPoint(4, GetParam().height() - 4));
        FSession->StartProgram(QStringLiteral(SETTINGS_PROGRAM));
        const std::optional<WindowId> window = FSession->WaitForWindow(kMainWindowTitle, 30s);
        ASSERT_TRUE(window.has_value()) << "no window \"Setup\" appeared";
        FMain = *window;
    }

    // Drops the Settings menu down from the main window and picks an entry by its accelerator, once the
    // menu is there to take the key. (The menu is a new window of the program each time it drops down;
    // its window type tells it only the first time.)
    std::optional<WindowId> OpenFromSettingsMenu(const TPopupEntry& entry)
    {
        FSession->Activate(FMain);
        const std::vector<WindowId> before = FSession->ProgramWindows();
        FSession->PressKeys(QStringLiteral("alt+s"));
        if (!FSession->WaitForNewWindow(before, 10s))
            return std::nullopt;
        FSession->PressKeys(QString::fromLatin1(entry.Key));
        return FSession->WaitForWindow(QString::fromLatin1(entry.Caption), 10s);
    }

    // The window manager frames a window after it is mapped; the frame is what must fit on the screen.
    void ExpectFramedOnTheScreen(WindowId window)
    {
        WindowGeometry geometry;
        E2eSession::WaitUntil(
            [&] {
                geometry = FSession->Geometry(window);
                return geometry.Frame != geometry.Client;
            },
            5s);
        EXPECT_TRUE(FScreen.contains(geometry.Frame))
            << "frame " << geometry.Frame.x() << "," << geometry.Frame.y() << " " << geometry.Frame.width() << "x"
            << geometry.Frame.height();
    }

    std::unique_ptr<E2eSession> FSession;
    QRect FScreen;
    WindowId FMain = 0;
};

TEST_P(SmallScreenTest, WindowsFitTheScreenAndTheProgramEndsNormally)
{
    const WindowGeometry main = FSession->Geometry(FMain);
    EXPECT_EQ(main.Frame, FSession->WorkArea()) << "the main window is maximized to the work area";

    const std::optional<WindowId> help = FSession->WaitForWindow(kHelpWindowTitle, 30s);
    ASSERT_TRUE(help.has_value()) << "the help window did not open by itself";
    const WindowGeometry helpGeometry = FSession->Geometry(*help);
    EXPECT_EQ(helpGeometry.Client.size(), QSize(305, 138)) << "a small screen leaves the help window unscaled";
    EXPECT_TRUE(FScreen.contains(helpGeometry.Frame));
    FSession->Screenshot(QStringLiteral("help"));
    FSession->Activate(*help);
    FSession->PressKeys(QStringLiteral("Escape"));
    ASSERT_TRUE(FSession->WaitForWindowGone(kHelpWindowTitle, 10s));
    const std::optional<WindowId> first = FSession->WaitForWindow(kFirstPopupTitle, 10s);
    ASSERT_TRUE(first.has_value()) << "Start opened no popup";
    ExpectFramedOnTheScreen(*first);
    FSession->Screenshot(QStringLiteral("start"));

    for (const TPopupEntry& entry : kSettingsEntries) {
        SCOPED_TRACE(entry.Caption);
        const std::optional<WindowId> popup = OpenFromSettingsMenu(entry);
        ASSERT_TRUE(popup.has_value()) << "the Settings menu opened no popup";
        ExpectFramedOnTheScreen(*popup);
        FSession->Screenshot(QString::fromLatin1(entry.Key));
    }
    ASSERT_TRUE(FSession->ProgramRunning());

    FSession->Activate(FMain);
    FSession->PressKeys(QStringLiteral("alt+F4"));
    EXPECT_EQ(FSession->WaitForExit(15s), std::optional<int>(0));
}

INSTANTIATE_TEST_SUITE_P(Screens, SmallScreenTest, testing::Values(QSize(800, 600), QSize(640, 480)),
                         [](const testing::TestParamInfo<QSize>& info) {
                             return std::to_string(info.param.width()) + "x" + std::to_string(info.param.height());
                         });

} // namespace
