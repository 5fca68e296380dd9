// The program on a screen smaller than its window (the test runs once per screen size): the main window
// fills the work area, the board image centres itself, even where that puts it at a negative place, and
// shows the part of the photograph that fits; every popup is placed by its panel's designed offset and
// kept on the screen; the help window keeps its designed size.

#include "MainWindowFixture.h"

#include "platform/Jpeg.h"
#include "platform/qt/QtWindow.h"

#include <gtest/gtest.h>

#include <map>

namespace {

QWidget* WindowOf(TWinControl* control)
{
    auto* window = dynamic_cast<QtWindow*>(control->Handle());
    return window ? window->Widget() : nullptr;
}

QWidget* ClientOf(TWinControl* control)
{
    auto* window = dynamic_cast<QtWindow*>(control->Handle());
    return window ? window->Container() : nullptr;
}

QRect ToQRect(const TRect& box)
{
    return QRect(box.Left, box.Top, box.Width(), box.Height());
}

// The rule that keeps a popup on the screen, one axis at a time: a start before the screen's moves to 0,
// an end past the screen's moves back until it meets it (a window larger than the screen starts before 0).
int KeptOnScreen(int start, int length, int screenLength)
{
    if (start < 0)
        return 0;
    if (start + length > screenLength)
        return screenLength - length;
    return start;
}

class SmallScreen : public testing::Test, protected MainWindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_EQ(Screen->Width(), SMALL_SCREEN_WIDTH) << "the test runs on the screen it was given";
        ASSERT_EQ(Screen->Height(), SMALL_SCREEN_HEIGHT);
        // Each panel's place in the main window's design, before a popup takes it in.
        for (TBoardHighlight* circle : Circles())
            if (TRadioPanel* panel = circle->RadioPanel())
                DesignedPanelPlace[circle->PopupCaption()] = QPoint(panel->Left(), panel->Top());
        Show();
        PointerAway();
    }

    std::vector<TBoardHighlight*> Circles() const
    {
        std::vector<TBoardHighlight*> circles;
        for (int i = 0; i < Main->BoardImage1->ControlCount(); ++i)
            if (auto* circle = qobject_cast<TBoardHighlight*>(Main->BoardImage1->Controls(i)))
                circles.push_back(circle);
        return circles;
    }

    // What the window shows of the board image is the photograph, drawn 1:1 from the image's top-left
    // corner and cut off at the edges of the client area. The circles are left out: they tint the photo.
    void ExpectPhotographShownWhereTheImageLies()
    {
        auto* photo = qobject_cast<TJPEGImage*>(Main->BoardImage1->Picture()->Graphic());
        ASSERT_NE(photo, nullptr);
        const QImage& picture = photo->Image();
        const QImage shown = ClientOf(Main.get())->grab().toImage();
        const QRect image = ToQRect(Main->BoardImage1->BoundsRect());
        const QRect visible = image & shown.rect();
        ASSERT_FALSE(visible.isEmpty());
        std::vector<QRect> circles;
        for (TBoardHighlight* circle : Circles())
            circles.push_back(ToQRect(circle->BoundsRect()).translated(image.topLeft()));
        int compared = 0;
        int differing = 0;
        for (int y = visible.top(); y <= visible.bottom(); ++y)
            for (int x = visible.left(); x <= visible.right(); ++x) {
                const QPoint at(x, y);
                if (std::any_of(circles.begin(), circles.end(), [&](const QRect& c) { return c.contains(at); }))
                    continue;
                ++compared;
                if (shown.pixel(at) != picture.pixel(at - image.topLeft()))
                    ++differing;
            }
        EXPECT_GT(compared, visible.width() * visible.height() / 2);
        EXPECT_EQ(differing, 0) << "of " << compared << " pixels in " << visible.width() << " x " << visible.height();
    }

    std::map<QString, QPoint> DesignedPanelPlace;
};

// The suites carry the screen's size in their names, so that the runs on either screen are told apart.
class SMALL_SCREEN_SUITE : public SmallScreen {};
#define SMALL_SCREEN_JOIN(a, b) a##b
#define SMALL_SCREEN_SUITE_OF(suite, part) SMALL_SCREEN_JOIN(suite, part)

TEST_F(SMALL_SCREEN_SUITE, TheMainWindowFillsTheWorkArea)
{
    EXPECT_EQ(Main->WindowState(), wsMaximized);
    const QRect workArea = ToQRect(Screen->WorkAreaRect());
    EXPECT_EQ(WindowOf(Main.get())->frameGeometry(), workArea);
    EXPECT_EQ(QRect(Main->Left(), Main->Top(), Main->Width(), Main->Height()), workArea);
}

TEST_F(SMALL_SCREEN_SUITE, TheBoardImageCentresItselfInTheWindowAndShowsWhatFits)
{
    TBoardImage* board = Main->BoardImage1;
    EXPECT_EQ(board->Left(), Div(Main->Width() - board->Width(), 2));
    EXPECT_EQ(board->Top(), Div(Main->Height() - board->Height(), 2));
    EXPECT_EQ(WindowOf(board)->geometry(), ToQRect(board->BoundsRect()));
    ExpectPhotographShownWhereTheImageLies();
}

// A window smaller than the photograph puts the image at a negative place; the window shows its middle.
TEST_F(SMALL_SCREEN_SUITE, AWindowSmallerThanThePhotographShowsItsMiddle)
{
    Main->SetWindowState(wsNormal);
    Main->SetBounds(10, 10, 400, 300);
    Flush();
    Main->BoardImage1->Repaint();
    Flush();
    TBoardImage* board = Main->BoardImage1;
    EXPECT_EQ(board->Left(), Div(400 - 600, 2));
    EXPECT_EQ(board->Top(), Div(300 - 401, 2)) << "div truncates toward zero";
    EXPECT_EQ(WindowOf(board)->geometry(), ToQRect(board->BoundsRect()));
    ExpectPhotographShownWhereTheImageLies();
}

TEST_F(SMALL_SCREEN_SUITE, EveryPopupOpenedFromTheSettingsMenuIsPlacedByItsPanelAndKeptOnTheScreen)
{
    TBoardImage* board = Main->BoardImage1;
    TMenuItem* settings = Main->BaseHighlight->MenuEntry()->Parent();
    ASSERT_EQ(settings->Caption(), QStringLiteral("&Settings"));
    ASSERT_EQ(settings->Count(), 4);
    const QRect screen(0, 0, Screen->Width(), Screen->Height());
    for (int i = 0; i < settings->Count(); ++i) {
        TMenuItem* entry = settings->Items(i);
        SCOPED_TRACE(entry->Caption().toStdString());
        entry->Click();
        Flush();
        TPopupForm* popup = nullptr;
        for (TBoardHighlight* circle : Circles())
            if (circle->Title() == entry->Caption() && circle->Popup())
                popup = circle->Popup();
        ASSERT_NE(popup, nullptr);
        ASSERT_TRUE(popup->Visible());

        const QPoint panel = DesignedPanelPlace.at(popup->Caption());
        const int left = board->Left() - (board->DesignedLeft() - panel.x());
        const int top = board->Top() - (board->DesignedTop() - panel.y());
        EXPECT_EQ(popup->Left(), KeptOnScreen(left, popup->Width(), Screen->Width())) << "placed at " << left;
        EXPECT_EQ(popup->Top(), KeptOnScreen(top, popup->Height(), Screen->Height())) << "placed at " << top;
        const QRect window = WindowOf(popup)->frameGeometry();
        EXPECT_EQ(window, QRect(popup->Left(), popup->Top(), popup->Width(), popup->Height()));
        EXPECT_TRUE(screen.contains(window)) << "every popup of the board fits on this screen";
        popup->Close();
    }
}

// The help window, shown by the program's own Help command, is never scaled below its designed size.
TEST(SMALL_SCREEN_SUITE_OF(SMALL_SCREEN_SUITE, Help), KeepsItsDesignedSizeAndFitsOnTheScreen)
{
    Application->CreateForm(MainForm);
    MainForm->Show();
    MainWindowFixture::Flush();
    MainForm->Howtousethisprogram1->Click();
    MainWindowFixture::Flush();
    TForm* help = MainForm->SetSup->HelpForm();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->Visible());
    EXPECT_EQ(help->ClientWidth(), 305);
    EXPECT_EQ(help->ClientHeight(), 138);
    const QRect screen(0, 0, Screen->Width(), Screen->Height());
    EXPECT_TRUE(screen.contains(WindowOf(help)->frameGeometry()));
    delete MainForm;
}

} // namespace
