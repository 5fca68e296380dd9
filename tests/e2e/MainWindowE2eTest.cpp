// The main window as a person meets it: it opens maximized with its menu bar, shows the board photograph
// where the board image centres itself, and closes the program from the menu and from the title bar.

#include "tests/e2e/SettingsRun.h"

#include <gtest/gtest.h>

#include <QColor>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <ostream>

using namespace std::chrono_literals;

namespace {

// The main window's colour (0xFFFFFF), which shows wherever nothing is drawn over the client area.
const QRgb kFormColour = qRgb(255, 255, 255);
constexpr int kPhotoWidth = 600;
constexpr int kPhotoHeight = 401;

// Pixels dark enough to be text (menu captions are drawn in the window-text colour).
int DarkPixels(const QImage& shot, const QRect& box)
{
    int dark = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            dark += qGray(shot.pixel(x, y)) < 96 ? 1 : 0;
    }
    return dark;
}

// Mean difference per colour channel between `box` of the screen and the same box of the photograph,
// the photograph's top-left corner lying at `origin` on the screen.
double MeanDifference(const QImage& shot, QPoint origin, const QImage& photo, const QRect& box)
{
    long total = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb seen = shot.pixel(origin.x() + x, origin.y() + y);
            const QRgb expected = photo.pixel(x, y);
            total += std::abs(qRed(seen) - qRed(expected)) + std::abs(qGreen(seen) - qGreen(expected))
                     + std::abs(qBlue(seen) - qBlue(expected));
        }
    }
    return double(total) / (3.0 * box.width() * box.height());
}

// How much a box of the photograph differs from itself moved by one pixel in any direction: a box
// that tells a photograph one pixel off from the right place must differ clearly.
double SmallestShiftDifference(const QImage& photo, const QRect& box)
{
    double smallest = -1;
    for (QPoint shift : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        const double difference = MeanDifference(photo, shift, photo, box);
        smallest = smallest < 0 ? difference : std::min(smallest, difference);
    }
    return smallest;
}

// Boxes of the photograph (in its own pixels) on detailed parts of the board, chosen well away from
// the seven highlight circles, which are drawn over the photograph, and from the middle of the screen,
// where the help window opens over the main window.
const QRect kSampleBoxes[] = {
    QRect(QPoint(12, 12), QPoint(41, 31)),    // top-left corner of the board
    QRect(QPoint(362, 12), QPoint(391, 31)),  // top row of chips
    QRect(QPoint(520, 72), QPoint(549, 91)),  // beside the I/O connector
    QRect(QPoint(52, 162), QPoint(81, 181)),  // left column of chips
    QRect(QPoint(52, 262), QPoint(81, 281)),  // lower left
    QRect(QPoint(230, 308), QPoint(259, 327)), // below the card's name
    QRect(QPoint(425, 330), QPoint(454, 349)), // lower right chip
    QRect(QPoint(555, 277), QPoint(584, 296)), // by the mounting bracket
};
// A drawing is the photograph when each box differs from it by less than this; JPEG decoding is exact,
// so this only allows for the screen's colour handling.
constexpr double kTolerance = 3.0;

// The program running on a private display, its main window mapped with its menu bar painted.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        FRun = std::make_unique<SettingsRun>(CurrentTestName());
        FSession = &FRun->Session();
        FWindow = FRun->MainWindow();
        FGeometry = FRun->MainGeometry();
        FSession->Screenshot(QStringLiteral("start"));
        // Let the start settle: the windows that the first idle moment brings come up now.
        ASSERT_TRUE(FRun->WaitForWindow(Titles::Help)) << "the help window did not open by itself";
    }

    // The client area as the program places its controls: below the menu bar.
    QPoint ClientOrigin() const { return FRun->ClientOrigin(); }

    // Presses keys that drop down a menu; the menu once it is shown.
    std::optional<WindowGeometry> DropDownWith(const QString& keys)
    {
        const std::vector<WindowId> before = FSession->ProgramWindows();
        FSession->PressKeys(keys);
        return FRun->WaitForMenu(before);
    }

    std::unique_ptr<SettingsRun> FRun;
    E2eSession* FSession = nullptr;
    WindowId FWindow = 0;
    WindowGeometry FGeometry;
};

TEST_F(MainWindowTest, OpensMaximizedFillingTheWorkArea)
{
    EXPECT_EQ(FGeometry.Frame, FSession->WorkArea());
    const QStringList state = FSession->Property(FWindow, QStringLiteral("_NET_WM_STATE"));
    EXPECT_TRUE(state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT"))) << state.join(u' ').toStdString();
    EXPECT_TRUE(state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"))) << state.join(u' ').toStdString();
}

TEST_F(MainWindowTest, MenuBarDropsDownFileAtTheLeftAndHelpAfterIt)
{
    FSession->Activate(FWindow);
    const std::optional<WindowGeometry> file = DropDownWith(QStringLiteral("alt+f"));
    ASSERT_TRUE(file.has_value()) << "Alt+F dropped down no menu";
    const QImage fileShot = FSession->Screenshot(QStringLiteral("file-menu"));
    // A menu drops down from its title, just below the menu bar; File's is the first title.
    EXPECT_EQ(file->Client.top(), ClientOrigin().y());
    EXPECT_LT(file->Client.left() - FGeometry.Client.left(), 20);
    EXPECT_GT(DarkPixels(fileShot, file->Client), 10) << "the File menu shows no item";

    FSession->PressKeys(QStringLiteral("Escape"));
    FSession->PressKeys(QStringLiteral("Escape"));
    ASSERT_TRUE(FRun->WaitForMenuClosed());

    const std::optional<WindowGeometry> help = DropDownWith(QStringLiteral("alt+h"));
    ASSERT_TRUE(help.has_value()) << "Alt+H dropped down no menu";
    const QImage helpShot = FSession->Screenshot(QStringLiteral("help-menu"));
    EXPECT_EQ(help->Client.top(), ClientOrigin().y());
    EXPECT_GT(help->Client.left(), file->Client.left() + 20) << "Help stands right of File";
    EXPECT_GT(DarkPixels(helpShot, help->Client), 10) << "the Help menu shows no item";
    FSession->PressKeys(QStringLiteral("Escape"));
}

TEST_F(MainWindowTest, PhotographIsCentredByTheWindowsOuterSize)
{
    const QImage& photo = Board::Photo();
    ASSERT_EQ(photo.size(), QSize(kPhotoWidth, kPhotoHeight));
    // The board image centres itself by the window's outer size, in client coordinates.
    const QPoint origin = ClientOrigin()
                          + QPoint((FGeometry.Frame.width() - kPhotoWidth) / 2,
                                   (FGeometry.Frame.height() - kPhotoHeight) / 2);

    // Each box must show the photograph there, and would not with the photograph one pixel off.
    for (const QRect& box : kSampleBoxes) {
        ASSERT_GT(SmallestShiftDifference(photo, box), 2 * kTolerance)
            << "box at " << box.x() << "," << box.y() << " has too little detail";
    }
    QImage shot;
    const auto allBoxesMatch = [&] {
        shot = FSession->Screenshot(QStringLiteral("board"));
        for (const QRect& box : kSampleBoxes) {
            if (MeanDifference(shot, origin, photo, box) > kTolerance)
                return false;
        }
        return true;
    };
    E2eSession::WaitUntil(allBoxesMatch, 10s, 500ms);
    for (const QRect& box : kSampleBoxes) {
        EXPECT_LE(MeanDifference(shot, origin, photo, box), kTolerance)
            << "photograph box at " << box.x() << "," << box.y() << " expected on the screen at "
            << origin.x() + box.x() << "," << origin.y() + box.y();
    }

    // Just outside the photograph the window's own colour shows, on all four sides.
    const QPoint outside[] = {{-1, 20}, {kPhotoWidth, 20}, {20, -1}, {kPhotoWidth - 20, -1},
                              {20, kPhotoHeight}, {kPhotoWidth - 20, kPhotoHeight}};
    for (QPoint point : outside) {
        EXPECT_EQ(QColor(shot.pixel(origin + point)).name().toStdString(), QColor(kFormColour).name().toStdString())
            << "at " << point.x() << "," << point.y() << " of the photograph";
    }
}

class ClosingTest;

// A way a person ends the program.
struct CloseWay {
    const char* Name = "";
    std::function<void(ClosingTest&)> Act;
};

void PrintTo(const CloseWay& way, std::ostream* out) { *out << way.Name; }

class ClosingTest : public MainWindowTest, public testing::WithParamInterface<CloseWay> {
public:
    // File > Exit with the pointer: a click on "File", at the left of the menu bar, then on its one item.
    void ExitWithThePointer()
    {
        const std::optional<WindowGeometry> file = FRun->OpenMenu(SettingsRun::FileMenu);
        ASSERT_TRUE(file.has_value()) << "a click on File dropped down no menu";
        FSession->Screenshot(QStringLiteral("file-menu"));
        FSession->ClickAt(file->Client.center());
    }

    // File > Exit with the keyboard: Alt+F, then the item's accelerator E.
    void ExitWithTheKeyboard()
    {
        FSession->Activate(FWindow);
        ASSERT_TRUE(DropDownWith(QStringLiteral("alt+f")).has_value()) << "Alt+F dropped down no menu";
        FSession->PressKeys(QStringLiteral("e"));
    }

    // The title bar's close box, which the window manager also offers as Alt+F4.
    void CloseBox()
    {
        FSession->Activate(FWindow);
        FSession->PressKeys(QStringLiteral("alt+F4"));
    }
};

TEST_P(ClosingTest, EndsTheProgramWithExitCodeZero)
{
    GetParam().Act(*this);
    if (HasFatalFailure())
        return;
    const std::optional<int> exitCode = FSession->WaitForExit(15s);
    ASSERT_TRUE(exitCode.has_value()) << "the program did not end by itself";
    EXPECT_EQ(*exitCode, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTest,
                         testing::Values(CloseWay{"FileExitWithThePointer", &ClosingTest::ExitWithThePointer},
                                         CloseWay{"FileExitWithTheKeyboard", &ClosingTest::ExitWithTheKeyboard},
                                         CloseWay{"CloseBox", &ClosingTest::CloseBox}),
                         [](const testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.Name); });

} // namespace
