#include "BoardFixture.h"

#include <gtest/gtest.h>

#include <QEventLoop>

#include <cmath>

namespace {

// ----- The ring --------------------------------------------------------------------------------------------

// A background whose every pixel differs, fourth byte 0xFF.
void FillGradient(TBitmap& bitmap)
{
    for (int r = 0; r < bitmap.Height(); ++r) {
        uint32_t* row = bitmap.ScanLine(r);
        for (int c = 0; c < bitmap.Width(); ++c)
            row[c] = 0xFF000000u | (100u << 16) | (static_cast<uint32_t>(r * 3 % 256) << 8) | static_cast<uint32_t>(c * 3 % 256);
    }
}

// The blend of one channel, worked out from the drawing rule: round(base · m + ring · w) in single
// precision, halves to the even neighbour.
uint32_t Mix(uint32_t base, uint32_t ring, float w)
{
    const float m = 1.0f - w;
    const float value = static_cast<float>(base) * m + static_cast<float>(ring) * w;
    return static_cast<uint32_t>(std::nearbyint(value));
}

TEST(RingBlending, CentreIsTintedAtSixteenHundredthsOfTheStrength)
{
    TBitmap bitmap;
    bitmap.SetSize(65, 65);
    FillGradient(bitmap);
    const uint32_t base = bitmap.ScanLine(32)[32];
    BlendRing(bitmap, clYellow, 0.5f, false);
    const uint32_t pixel = bitmap.ScanLine(32)[32];
    // Base blue 96, green 96, red 100; yellow is red 255, green 255, blue 0; w = 0.16 · 0.5 = 0.08.
    ASSERT_EQ(base & 0xFFFFFF, (100u << 16) | (96u << 8) | 96u);
    EXPECT_EQ(pixel & 0xFF, 88u);          // 96 · 0.92 = 88.32
    EXPECT_EQ((pixel >> 8) & 0xFF, 109u);  // 88.32 + 20.4 = 108.72
    EXPECT_EQ((pixel >> 16) & 0xFF, 112u); // 92 + 20.4 = 112.4
    EXPECT_EQ(pixel >> 24, 0xFFu);
}

TEST(RingBlending, CornersKeepTheBackgroundExactly)
{
    TBitmap bitmap;
    bitmap.SetSize(65, 65);
    FillGradient(bitmap);
    TBitmap original;
    original.Assign(&bitmap);
    BlendRing(bitmap, clYellow, 1.0f, true);
    for (auto [c, r] : {std::pair{0, 0}, {64, 0}, {0, 64}, {64, 64}})
        EXPECT_EQ(bitmap.ScanLine(r)[c], original.ScanLine(r)[c]) << c << "," << r;
}

TEST(RingBlending, WhiteCoreAtSevenEighthsOfTheRadius)
{
    TBitmap bitmap;
    bitmap.SetSize(65, 65);
    FillGradient(bitmap);
    BlendRing(bitmap, clYellow, 1.0f, true);
    // Column 4 of the middle row: x = 4/32 − 1 = −0.875, the peak of the ring: the base turns white with
    // no ring colour over it, and its fourth byte becomes 0.
    EXPECT_EQ(bitmap.ScanLine(32)[4], 0x00FFFFFFu);
    // Column 6: √q = 0.8125, w = 0.5, doubled to 1: the full ring colour over the original base.
    EXPECT_EQ(bitmap.ScanLine(32)[6] & 0xFFFFFF, 0xFFFF00u);
}

struct RingPixelCase {
    int Column;
    int Row;
    float Strength;
    bool WhiteCore;
    friend void PrintTo(const RingPixelCase& test, std::ostream* out)
    {
        *out << "(" << test.Column << "," << test.Row << ") strength " << test.Strength
             << (test.WhiteCore ? " with white core" : "");
    }
};

class RingPixels : public testing::TestWithParam<RingPixelCase> {};

TEST_P(RingPixels, MatchTheFormulaByteForByte)
{
    const RingPixelCase& test = GetParam();
    TBitmap bitmap;
    bitmap.SetSize(65, 41);
    FillGradient(bitmap);
    const uint32_t base = bitmap.ScanLine(test.Row)[test.Column];
    BlendRing(bitmap, 0xFF0000 /* blue */, test.Strength, test.WhiteCore);
    const float x = static_cast<float>(test.Column) * (2.0f / 64.0f) - 1.0f;
    const float y = static_cast<float>(test.Row) * (2.0f / 40.0f) - 1.0f;
    const float q = x * x + y * y;
    ASSERT_LT(q, 1.0f);
    ASSERT_GE(q, 0.5929f) << "a ring pixel, outside the inner ellipse";
    float w = 1.0f - 8.0f * std::fabs(std::sqrt(q) - 0.875f);
    uint32_t expectedBase = base;
    if (test.WhiteCore) {
        w *= 2.0f;
        if (w > 1.0f) {
            expectedBase = 0x00FFFFFF;
            w = 2.0f - w;
        }
    }
    w *= test.Strength;
    const uint32_t expected = (expectedBase & 0xFF000000u) | (Mix((expectedBase >> 16) & 0xFF, 0, w) << 16)
                              | (Mix((expectedBase >> 8) & 0xFF, 0, w) << 8) | Mix(expectedBase & 0xFF, 255, w);
    EXPECT_EQ(bitmap.ScanLine(test.Row)[test.Column], expected);
}

INSTANTIATE_TEST_SUITE_P(Looks, RingPixels,
                         testing::Values(RingPixelCase{5, 20, 0.25f, false}, RingPixelCase{58, 12, 0.5f, false},
                                         RingPixelCase{32, 2, 1.0f, true}, RingPixelCase{9, 30, 1.0f, true},
                                         RingPixelCase{60, 20, 1.0f, true}, RingPixelCase{20, 3, 0.75f, false}));

TEST(RingBlending, ThinCirclesAreLeftAlone)
{
    // A circle one pixel wide has no inside; the ring's scale would divide by zero.
    TBitmap bitmap;
    bitmap.SetSize(1, 20);
    FillGradient(bitmap);
    const uint32_t before = bitmap.ScanLine(10)[0];
    BlendRing(bitmap, clYellow, 1.0f, true);
    EXPECT_EQ(bitmap.ScanLine(10)[0], before);
}

// ----- Titles ----------------------------------------------------------------------------------------------

struct TitleCase {
    const char* Title;
    const char* Caption;
    const char* Stem;
};

class Titles : public testing::TestWithParam<TitleCase> {};

TEST_P(Titles, GiveCaptionAndEntryNameStem)
{
    const QString title = QString::fromUtf8(GetParam().Title);
    EXPECT_EQ(PopupCaptionOf(title), QString::fromUtf8(GetParam().Caption));
    EXPECT_EQ(EntryNameStemOf(title), QString::fromUtf8(GetParam().Stem));
    TBoardHighlight circle(nullptr);
    circle.SetTitle(title);
    EXPECT_EQ(circle.PopupCaption(), QString::fromUtf8(GetParam().Caption));
    EXPECT_EQ(circle.EntryNameStem(), QString::fromUtf8(GetParam().Stem));
}

INSTANTIATE_TEST_SUITE_P(Board, Titles,
                         testing::Values(TitleCase{"Base &Address", "Base Address", "BaseAddress"},
                                         TitleCase{"IRQ &Enable", "IRQ Enable", "IRQEnable"},
                                         TitleCase{"&Buffer Enabling", "Buffer Enabling", "BufferEnabling"},
                                         TitleCase{"&IRQ Level", "IRQ Level", "IRQLevel"},
                                         TitleCase{"Fast && Slow", "Fast  Slow", "FastSlow"},
                                         TitleCase{"3D View", "3D View", "DView"},
                                         TitleCase{"12 / 34", "12 / 34", ""}, TitleCase{"", "", ""},
                                         TitleCase{"_Plain1", "_Plain1", "_Plain1"}));

// ----- A new circle ----------------------------------------------------------------------------------------

TEST(NewCircle, IsAYellowSixtyFiveSquareWithoutTitleOrPanel)
{
    TBoardHighlight circle(nullptr);
    EXPECT_EQ(circle.Width(), 65);
    EXPECT_EQ(circle.Height(), 65);
    EXPECT_EQ(circle.HighlightType(), htSettings);
    EXPECT_EQ(circle.Style().RingColor, 0x00FFFF);
    EXPECT_FLOAT_EQ(circle.Style().PlainStrength, 0.5f);
    EXPECT_FLOAT_EQ(circle.Style().LitStrength, 0.75f);
    EXPECT_TRUE(circle.CreatePopup());
    EXPECT_TRUE(circle.Title().isEmpty());
    EXPECT_EQ(circle.RadioPanel(), nullptr);
    EXPECT_FALSE(circle.Hovered());
    EXPECT_FALSE(circle.Prepared());
}

// ----- Behaviour on a board ------------------------------------------------------------------------------

class Board : public testing::Test, protected BoardFixture {};

TEST_F(Board, LinkedCirclesLightTogetherAndShareOnePopupAndEntry)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("IEnablePanel"), -66, 239, 224, 70);
    TBoardHighlight* first = AddCircle(QStringLiteral("IEnableHighlight1"), QStringLiteral("IRQ &Enable"), panel, 71, 52, 16, 14);
    TBoardHighlight* second = AddCircle(QStringLiteral("IEnableHighlight0"), QStringLiteral("IRQ &Enable"), panel, 250, 100, 17, 19);
    Show();
    TMenuItem* settings = TypeMenu(QStringLiteral("&Settings"));
    ASSERT_NE(settings, nullptr);
    ASSERT_EQ(settings->Count(), 1);
    EXPECT_EQ(settings->Items(0)->Caption(), QStringLiteral("IRQ &Enable"));
    EXPECT_EQ(settings->Items(0)->OnClick.Data(), first);

    // Hovering the second first makes it the popup's owner; the other builds none.
    Enter(second);
    EXPECT_TRUE(first->Hovered());
    EXPECT_TRUE(second->Hovered());
    ASSERT_NE(second->Popup(), nullptr);
    EXPECT_EQ(first->Popup(), nullptr);
    EXPECT_EQ(FormsCaptioned(QStringLiteral("IRQ Enable")), 1);
    EXPECT_TRUE(second->Popup()->Visible());

    PointerAway();
    Leave(second);
    EXPECT_FALSE(second->Popup()->Visible());
    EXPECT_FALSE(first->Hovered());
    EXPECT_FALSE(second->Hovered());

    // The entry belongs to the first circle and still opens the popup the second one built.
    settings->Items(0)->Click();
    EXPECT_TRUE(second->Popup()->Visible());
    EXPECT_TRUE(second->Pinned());
    EXPECT_TRUE(settings->Items(0)->Checked());
    EXPECT_EQ(FormsCaptioned(QStringLiteral("IRQ Enable")), 1);
    settings->Items(0)->Click();
    EXPECT_FALSE(second->Popup()->Visible());
    EXPECT_FALSE(settings->Items(0)->Checked());
}

TEST_F(Board, LeavingIntoThePopupKeepsItUntilThePointerLeavesThePopup)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BasePanel"), 390, 0, 161, 116);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BaseHighlight"), QStringLiteral("Base &Address"), panel, 468, 9, 52, 30);
    Show();
    Enter(circle);
    TPopupForm* popup = circle->Popup();
    ASSERT_NE(popup, nullptr);
    PointerInside(popup);
    Leave(circle);
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(circle->Pinned());
    EXPECT_TRUE(popup->CloseOnLeave());
    // Moving from one control of the popup to another doesn't close it.
    popup->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(popup->Visible());
    PointerAway();
    popup->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(popup->Visible());
    EXPECT_FALSE(circle->Hovered());
    EXPECT_FALSE(popup->CloseOnLeave());
    // Shown again from hidden, the popup is not pinned.
    Enter(circle);
    EXPECT_TRUE(popup->Visible());
    EXPECT_FALSE(circle->Pinned());
}

TEST_F(Board, AClickPinsThePopupAndDoneOrTheCloseBoxCloseIt)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BufferPanel"), 733, 230, 172, 91);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BufferHighlight"), QStringLiteral("&Buffer Enabling"), panel, 423, 52, 33, 25);
    Show();
    TMenuItem* entry = TypeMenu(QStringLiteral("&Settings"))->Items(0);
    Enter(circle);
    circle->Click();
    PointerAway();
    Leave(circle);
    TPopupForm* popup = circle->Popup();
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(entry->Checked());
    EXPECT_TRUE(circle->Hovered());
    popup->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(popup->Visible()) << "pinned by a click, the popup stays when the pointer leaves it";

    Button(popup, "DoneButton")->Click();
    EXPECT_FALSE(popup->Visible());
    EXPECT_FALSE(entry->Checked());
    EXPECT_FALSE(circle->Hovered());

    entry->Click();
    EXPECT_TRUE(popup->Visible());
    popup->Perform(WM_CLOSE, 0, 0);
    EXPECT_FALSE(popup->Visible());
    EXPECT_FALSE(entry->Checked());
}

// Done from the keyboard closes the popup while the pointer stays on the circle, so no new enter comes.
// A click there shows the popup again before pinning it: the check mark never marks a hidden popup.
TEST_F(Board, AClickAfterThePopupClosedUnderThePointerShowsItPinned)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BufferPanel"), 733, 230, 172, 91);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BufferHighlight"), QStringLiteral("&Buffer Enabling"), panel, 423, 52, 33, 25);
    Show();
    TMenuItem* entry = TypeMenu(QStringLiteral("&Settings"))->Items(0);
    Enter(circle);
    TPopupForm* popup = circle->Popup();
    ASSERT_NE(popup, nullptr);
    Button(popup, "DoneButton")->Click();
    ASSERT_FALSE(popup->Visible());

    circle->Click();
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(circle->Pinned());
    EXPECT_TRUE(circle->Hovered());
    EXPECT_TRUE(entry->Checked());
}

// The pointer rests on a circle whose popup opens elsewhere. Each window that shows or hides makes the
// window system announce the pointer to the main window again, from its top window down to the board
// image; that is no leave of the circle, or the popup would close and open again without end.
TEST_F(Board, APopupStaysOpenWhileThePointerRestsOnItsCircle)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BufferPanel"), 733, 230, 172, 91);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BufferHighlight"), QStringLiteral("&Buffer Enabling"), panel, 423, 52, 33, 25);
    Show();
    PointerAway();
    Flush();
    Mouse->SetCursorPos(circle->ClientToScreen(TPoint{circle->Width() / 2, circle->Height() / 2}));
    QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
    TPopupForm* popup = circle->Popup();
    ASSERT_NE(popup, nullptr) << "the pointer on the circle opens its popup";
    int shown = 0;
    // Moving the pointer away ends an endless close and open, so that the test fails instead of hanging.
    popup->OnShow = TNotifyEvent(popup, [&shown](TObject*) {
        if (++shown == 3)
            PointerAway();
    }, 1);

    TForm other(nullptr);
    other.SetBounds(0, 0, 100, 80);
    other.Show();
    Flush();
    other.Hide();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 300);
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(circle->Hovered());
    EXPECT_EQ(shown, 0) << "the popup closed and opened again";
    popup->OnShow = TNotifyEvent();
    PointerAway();
}

TEST_F(Board, BoardStartOpensAndPinsTheFirstCircle)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BasePanel"), 390, 0, 161, 116);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BaseHighlight"), QStringLiteral("Base &Address"), panel, 468, 9, 52, 30);
    Show();
    PointerAway();
    const int forms = Screen->FormCount();
    Image->Perform(WM_BOARDSTART, 0, 0);
    EXPECT_EQ(Screen->FormCount(), forms) << "without First, nothing happens";
    EXPECT_EQ(circle->Popup(), nullptr);

    Image->SetFirst(circle);
    Image->Perform(WM_BOARDSTART, 0, 0);
    ASSERT_NE(circle->Popup(), nullptr);
    EXPECT_TRUE(circle->Popup()->Visible());
    EXPECT_TRUE(circle->Pinned());
    EXPECT_TRUE(TypeMenu(QStringLiteral("&Settings"))->Items(0)->Checked());
}

TEST_F(Board, PreviousAndNextWalkTheTypeMenuAndWrap)
{
    TRadioPanel* base = AddPanel(QStringLiteral("BasePanel"), 390, 0, 161, 116);
    TRadioPanel* buffer = AddPanel(QStringLiteral("BufferPanel"), 733, 230, 172, 91);
    TRadioPanel* irq = AddPanel(QStringLiteral("IRQPanel"), 376, 467, 236, 118);
    TBoardHighlight* a = AddCircle(QStringLiteral("A"), QStringLiteral("Base &Address"), base, 468, 9, 52, 30);
    TBoardHighlight* b = AddCircle(QStringLiteral("B"), QStringLiteral("&Buffer Enabling"), buffer, 423, 52, 33, 25);
    TBoardHighlight* c = AddCircle(QStringLiteral("C"), QStringLiteral("&IRQ Level"), irq, 155, 299, 42, 17);
    Show();
    PointerAway();
    TMenuItem* settings = TypeMenu(QStringLiteral("&Settings"));
    ASSERT_EQ(settings->Count(), 3);
    EXPECT_EQ(settings->Items(0)->Name(), QStringLiteral("BaseAddress1"));
    EXPECT_EQ(settings->Items(1)->Name(), QStringLiteral("BufferEnabling1"));
    EXPECT_EQ(settings->Items(2)->Name(), QStringLiteral("IRQLevel1"));

    settings->Items(0)->Click();
    Button(a->Popup(), "PreviousButton")->Click();
    EXPECT_FALSE(a->Popup()->Visible());
    ASSERT_NE(c->Popup(), nullptr);
    EXPECT_TRUE(c->Popup()->Visible());
    EXPECT_TRUE(c->Pinned());
    EXPECT_TRUE(settings->Items(2)->Checked());
    EXPECT_FALSE(settings->Items(0)->Checked());

    Button(c->Popup(), "NextButton")->Click();
    EXPECT_FALSE(c->Popup()->Visible());
    EXPECT_TRUE(a->Popup()->Visible());
    Button(a->Popup(), "NextButton")->Click();
    ASSERT_NE(b->Popup(), nullptr);
    EXPECT_TRUE(b->Popup()->Visible());
}

TEST_F(Board, WithASingleEntryPreviousAndNextReopenTheSamePopupPinned)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BasePanel"), 390, 0, 161, 116);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BaseHighlight"), QStringLiteral("Base &Address"), panel, 468, 9, 52, 30);
    Show();
    PointerAway();
    Enter(circle);
    TPopupForm* popup = circle->Popup();
    Button(popup, "NextButton")->Click();
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(circle->Pinned());
    Button(popup, "PreviousButton")->Click();
    EXPECT_TRUE(popup->Visible());
    EXPECT_TRUE(circle->Pinned());
    EXPECT_EQ(FormsCaptioned(QStringLiteral("Base Address")), 1);
}

TEST_F(Board, ActivationLightsTheCircleAndItsLinkedCirclesAndBringsThemToTheFront)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("IRQPanel"), 376, 467, 236, 118);
    TBoardHighlight* one = AddCircle(QStringLiteral("IRQHighlight3"), QStringLiteral("&IRQ Level"), panel, 155, 299, 42, 17);
    AddCircle(QStringLiteral("Other"), QStringLiteral("Base &Address"), nullptr, 468, 9, 52, 30);
    TBoardHighlight* two = AddCircle(QStringLiteral("IRQHighlight2"), QStringLiteral("&IRQ Level"), panel, 395, 205, 20, 40);
    TBoardHighlight* three = AddCircle(QStringLiteral("IRQHighlight1"), QStringLiteral("&IRQ Level"), panel, 472, 261, 13, 43);
    Show();
    PointerAway();
    Enter(one);
    one->Popup()->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
    for (TBoardHighlight* circle : {one, two, three})
        EXPECT_TRUE(circle->Active());
    // Each linked circle moved to the end once; the other circle is now first.
    EXPECT_EQ(Image->Controls(0)->Name(), QStringLiteral("Other"));
    EXPECT_EQ(Image->ControlCount(), 4);
    one->Popup()->Perform(WM_ACTIVATE, WA_INACTIVE, 0);
    for (TBoardHighlight* circle : {one, two, three})
        EXPECT_FALSE(circle->Active());
}

TEST_F(Board, APanelHeldByACircleOfAnotherTitleIsRefused)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BasePanel"), 390, 0, 161, 116);
    AddCircle(QStringLiteral("BaseHighlight"), QStringLiteral("Base &Address"), panel);
    TBoardHighlight* buffer = AddCircle(QStringLiteral("BufferHighlight"), QStringLiteral("&Buffer Enabling"), nullptr);
    buffer->SetRadioPanel(panel);
    EXPECT_EQ(buffer->RadioPanel(), nullptr);
    TBoardHighlight* linked = AddCircle(QStringLiteral("BaseHighlight2"), QStringLiteral("Base &Address"), nullptr);
    linked->SetRadioPanel(panel);
    EXPECT_EQ(linked->RadioPanel(), panel);
}

// ----- The popup's layout and place ------------------------------------------------------------------------

TEST_F(Board, PopupLayoutFollowsTheMemoHeight)
{
    TRadioPanel* panel = AddPanel(QStringLiteral("BasePanel"), 390, 0, 161, 116);
    TBoardHighlight* circle = AddCircle(QStringLiteral("BaseHighlight"), QStringLiteral("Base &Address"), panel, 468, 9, 52, 30);
    Show();
    Enter(circle);
    TPopupForm* popup = circle->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Caption(), QStringLiteral("Base Address"));
    EXPECT_EQ(popup->Tag(), 1);
    EXPECT_EQ(popup->BorderStyle(), bsSizeToolWin);
    EXPECT_EQ(popup->FormStyle(), fsStayOnTop);
    EXPECT_EQ(panel->Parent(), popup);
    EXPECT_EQ(panel->Left(), 0);
    EXPECT_EQ(panel->Top(), 0);
    EXPECT_TRUE(panel->Visible());
    EXPECT_TRUE(panel->InPopup());
    const int width = popup->ClientWidth();
    const int height = popup->ClientHeight();
    EXPECT_EQ(height, 225);
    EXPECT_GE(popup->Width(), 194);
    EXPECT_EQ(popup->Constraints()->MinWidth(), popup->Width());
    EXPECT_EQ(popup->Constraints()->MinHeight(), popup->Height());
    auto bounds = [popup](const char* name) {
        return static_cast<TControl*>(popup->FindComponent(QString::fromLatin1(name)))->BoundsRect();
    };
    EXPECT_EQ(bounds("StatusMemo"), Bounds(6, 117, width - 12, 58));
    EXPECT_EQ(bounds("PreviousButton"), Bounds(6, 181, 58, 25));
    EXPECT_EQ(bounds("NextButton"), Bounds((width - 58) / 2, 181, 58, 25));
    EXPECT_EQ(bounds("DoneButton"), Bounds(width - 64, 181, 58, 25));
    EXPECT_EQ(bounds("PopupStatus"), Bounds(0, 206, width, 19));
    ASSERT_NE(popup->PopupStatus, nullptr);
    EXPECT_EQ(popup->PopupStatus->Name(), QStringLiteral("PopupStatus"));
    auto* memo = qobject_cast<TMemo*>(popup->FindComponent(QStringLiteral("StatusMemo")));
    EXPECT_EQ(memo->Lines()->ToStringList(), panel->Lines()->ToStringList());
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(popup->FocusedControl(), panel);

    // Enlarging the window carries the controls along by their anchors.
    popup->SetClientSize(width + 40, height + 30);
    EXPECT_EQ(bounds("StatusMemo"), Bounds(6, 117, width + 40 - 12, 88));
    EXPECT_EQ(bounds("DoneButton"), Bounds(width + 40 - 64, 211, 58, 25));
    EXPECT_EQ(bounds("PreviousButton"), Bounds(6, 211, 58, 25));
    EXPECT_EQ(bounds("PopupStatus"), Bounds(0, 236, width + 40, 19));
}

TEST_F(Board, PopupIsPlacedByThePanelsDesignedOffsetAndKeptOnTheScreen)
{
    Image->SetCenterOnForm(false);
    TRadioPanel* left = AddPanel(QStringLiteral("LeftPanel"), -20, 300, 150, 60);
    TRadioPanel* wide = AddPanel(QStringLiteral("WidePanel"), 100, 100, 1100, 60);
    TRadioPanel* placed = AddPanel(QStringLiteral("PlacedPanel"), 300, 200, 150, 60);
    TBoardHighlight* a = AddCircle(QStringLiteral("A"), QStringLiteral("&Left"), left, 10, 10);
    TBoardHighlight* b = AddCircle(QStringLiteral("B"), QStringLiteral("&Wide"), wide, 60, 10);
    TBoardHighlight* c = AddCircle(QStringLiteral("C"), QStringLiteral("&Placed"), placed, 110, 10);
    Show();
    ASSERT_TRUE(Image->PositionRecorded());
    for (TBoardHighlight* circle : {a, b, c})
        Enter(circle);
    // Left: 162 − (162 − (−20)) = −20, moved onto the screen.
    EXPECT_EQ(a->Popup()->Left(), 0);
    EXPECT_EQ(a->Popup()->Top(), 300);
    // Wider than the screen: its right edge meets the screen's, its left goes negative.
    EXPECT_EQ(b->Popup()->Left(), Screen->Width() - b->Popup()->Width());
    EXPECT_LT(b->Popup()->Left(), 0);
    EXPECT_EQ(c->Popup()->Left(), 300);
    EXPECT_EQ(c->Popup()->Top(), 200);
}

TEST_F(Board, APopupWithoutPanelSitsBelowTheBoardImageWithTheFocusOnDone)
{
    Image->SetCenterOnForm(false);
    TBoardHighlight* circle = AddCircle(QStringLiteral("Info"), QStringLiteral("&Info"), nullptr, 10, 10);
    Show();
    Enter(circle);
    TPopupForm* popup = circle->Popup();
    EXPECT_EQ(popup->Width(), 194);
    EXPECT_EQ(popup->Height(), 141);
    EXPECT_EQ(popup->Left(), 162);
    EXPECT_EQ(popup->Top(), 122 + 401 + 38);
    EXPECT_EQ(popup->FocusedControl(), Button(popup, "DoneButton"));
}

// ----- Menus -------------------------------------------------------------------------------------------------

struct MenuOrderCase {
    std::vector<THighlightType> Order;
    friend void PrintTo(const MenuOrderCase& test, std::ostream* out)
    {
        for (THighlightType type : test.Order)
            *out << static_cast<int>(type) << " ";
    }
};

class MenuOrder : public testing::TestWithParam<MenuOrderCase>, protected BoardFixture {};

TEST_P(MenuOrder, TypeMenusStandBeforeHelpInTheirOrder)
{
    int n = 0;
    for (THighlightType type : GetParam().Order) {
        AddCircle(QStringLiteral("C%1").arg(n), QStringLiteral("Circle &%1").arg(n), nullptr, 10 + 40 * n, 10, 30, 20, type);
        ++n;
    }
    Show();
    EXPECT_EQ(MenuBarCaptions(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Settings"), QStringLiteral("&Calibration"),
                                              QStringLiteral("&Options"), QStringLiteral("&Help")}));
    EXPECT_EQ(TypeMenu(QStringLiteral("&Settings"))->Name(), QStringLiteral("Settings1"));
    EXPECT_EQ(TypeMenu(QStringLiteral("&Calibration"))->Name(), QStringLiteral("Calibration1"));
    EXPECT_EQ(TypeMenu(QStringLiteral("&Options"))->Name(), QStringLiteral("Options1"));
}

INSTANTIATE_TEST_SUITE_P(AnyOrder, MenuOrder,
                         testing::Values(MenuOrderCase{{htOptions, htCalibration, htSettings}},
                                         MenuOrderCase{{htSettings, htOptions, htCalibration}},
                                         MenuOrderCase{{htCalibration, htSettings, htOptions}}));

TEST_F(Board, TypeMenuNamesSkipNamesTheOwnerHas)
{
    auto* taken = new TMenuItem(Main.get());
    taken->SetName(QStringLiteral("Settings1"));
    auto* takenEntry = new TMenuItem(Main.get());
    takenEntry->SetName(QStringLiteral("BaseAddress1"));
    AddCircle(QStringLiteral("BaseHighlight"), QStringLiteral("Base &Address"), nullptr);
    Show();
    EXPECT_EQ(TypeMenu(QStringLiteral("&Settings"))->Name(), QStringLiteral("Settings2"));
    EXPECT_EQ(TypeMenu(QStringLiteral("&Settings"))->Items(0)->Name(), QStringLiteral("BaseAddress2"));
}

TEST_F(Board, WithoutHelpTheTypeMenusAreAppended)
{
    delete Menu->Items()->Items(1);
    AddCircle(QStringLiteral("A"), QStringLiteral("&A"), nullptr, 10, 10, 30, 20, htOptions);
    AddCircle(QStringLiteral("B"), QStringLiteral("&B"), nullptr, 60, 10, 30, 20, htSettings);
    Show();
    EXPECT_EQ(MenuBarCaptions(), (QStringList{QStringLiteral("&File"), QStringLiteral("&Settings"), QStringLiteral("&Options")}));
}

TEST_F(Board, ASameTitleOfAnotherTypeGetsItsOwnEntry)
{
    AddCircle(QStringLiteral("A"), QStringLiteral("&Port"), nullptr, 10, 10, 30, 20, htSettings);
    AddCircle(QStringLiteral("B"), QStringLiteral("&Port"), nullptr, 60, 10, 30, 20, htOptions);
    AddCircle(QStringLiteral("E"), QString(), nullptr, 110, 10, 30, 20, htCalibration);
    Show();
    EXPECT_EQ(TypeMenu(QStringLiteral("&Settings"))->Count(), 1);
    EXPECT_EQ(TypeMenu(QStringLiteral("&Options"))->Count(), 1);
    // An empty title makes its type menu but no entry.
    ASSERT_NE(TypeMenu(QStringLiteral("&Calibration")), nullptr);
    EXPECT_EQ(TypeMenu(QStringLiteral("&Calibration"))->Count(), 0);
}

TEST_F(Board, AnEntryOutlivesNoCircle)
{
    TBoardHighlight* first = AddCircle(QStringLiteral("A"), QStringLiteral("&Port"), nullptr, 10, 10);
    TBoardHighlight* second = AddCircle(QStringLiteral("B"), QStringLiteral("&Port"), nullptr, 60, 10);
    Show();
    TMenuItem* settings = TypeMenu(QStringLiteral("&Settings"));
    ASSERT_EQ(settings->Count(), 1);
    delete first;
    ASSERT_EQ(settings->Count(), 1);
    EXPECT_EQ(settings->Items(0)->OnClick.Data(), second);
    delete second;
    EXPECT_EQ(settings->Count(), 0);
}

} // namespace
