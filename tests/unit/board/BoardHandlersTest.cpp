#include "MainWindowFixture.h"

#include <gtest/gtest.h>

namespace {

// The upright picture of a two-pin jumper is 34 × 18: its middle (17, 9) lies on the body between the
// pins, grey while open, and under the cap, maroon, while closed.
TColor JumperMiddle(const QImage& surface, const TTwoJumper& jumper)
{
    return UprightPixel(surface, jumper, 17, 9);
}

// The three-pin jumper's upright picture is 43 × 18; its left cap covers (0, 0, 27, 18), its right cap
// (15, 0, 43, 18). Near either end a pixel shows the cap there or the grey body.
struct TBufferDrawing {
    TColor TstEnd;
    TColor BenEnd;
};

TBufferDrawing BufferDrawing(const QImage& surface, const TThreeJumper& jumper)
{
    return {UprightPixel(surface, jumper, 4, 9), UprightPixel(surface, jumper, 39, 9)};
}

// The switch block (N = 6, address bits 4 to 9 from the left of its upright 102 × 61 picture): switch j
// has its slot at x = 3 + 16 j; its knob fills (x, 13, x + 14, 22) at the ON end, (x, 26, x + 14, 35) at
// the other. With OnIsOne off a 0 bit sits at ON.
QString SwitchSettings(const QImage& surface, const TBaseAddress& block)
{
    QString settings;
    for (int j = 0; j < 6; ++j) {
        const int x = 3 + 16 * j + 7;
        const bool onEnd = UprightPixel(surface, block, x, 17) == clWhite;
        const bool farEnd = UprightPixel(surface, block, x, 30) == clWhite;
        settings += onEnd && !farEnd ? u'0' : (farEnd && !onEnd ? u'1' : u'?');
    }
    return settings;
}

// The address the switches show, bits 4 to 9 from the left switch.
unsigned AddressShown(const QString& settings)
{
    unsigned address = 0;
    for (int j = 0; j < 6; ++j)
        if (settings[j] == u'1')
            address |= 1u << (4 + j);
    return address;
}

class BoardHandlers : public testing::Test, protected MainWindowFixture {};

// ----- The base address ----------------------------------------------------------------------------------

struct BaseStep {
    const char* Typed;
    const char* Stored;   // what the switch block holds afterwards
    const char* Feedback; // the feedback label
    bool EditSignalsError;
    friend void PrintTo(const BaseStep& step, std::ostream* out) { *out << "'" << step.Typed << "'"; }
};

TEST_F(BoardHandlers, TypingAnAddressSetsTheSwitchesAndTellsWhatTheyReallyGive)
{
    const BaseStep steps[] = {
        {"2a5", "2A0", "2A0", false},       {"200", "200", "", false},
        {"", "200", "200", false},          {"0200", "200", "200", false},
        {"123456789", "200", "200", true},  {" 3f0 ", "3F0", "", false},
        {"xyz", "3F0", "3F0", false},       {"FFFFFFFF", "3F0", "3F0", false},
        {"1000000000", "3F0", "3F0", true}, {"100", "100", "", false},
    };
    for (const BaseStep& step : steps) {
        SCOPED_TRACE(step.Typed);
        Type(QString::fromLatin1(step.Typed));
        EXPECT_EQ(Main->BaseBA->BaseAddressStr(), QString::fromLatin1(step.Stored));
        EXPECT_EQ(Main->BaseFeedbackLabel->Caption(), QString::fromLatin1(step.Feedback));
        // A number too large for the block: the edit takes its panel's colour; the next valid text
        // brings the window colour back.
        EXPECT_EQ(Main->BaseEdit->Color(), step.EditSignalsError ? Main->BasePanel->Color() : clWindow);
        const QImage surface = PaintSurface(*Main->BasePanel);
        EXPECT_EQ(AddressShown(SwitchSettings(surface, *Main->BaseBA)), QString::fromLatin1(step.Stored).toUInt(nullptr, 16));
    }
}

// ----- The IRQ level -------------------------------------------------------------------------------------

std::vector<int> ClosedJumpers()
{
    std::vector<int> closed;
    for (int k = 1; k <= 11; ++k)
        if (IRQJumpers[static_cast<size_t>(k)] && IRQJumpers[static_cast<size_t>(k)]->Closed())
            closed.push_back(k);
    return closed;
}

void ExpectDrawnClosed(const TRadioPanel& panel, const std::vector<int>& closed)
{
    const QImage surface = PaintSurface(const_cast<TRadioPanel&>(panel));
    for (int k = 1; k <= 11; ++k) {
        const bool isClosed = std::find(closed.begin(), closed.end(), k) != closed.end();
        EXPECT_EQ(JumperMiddle(surface, *IRQJumpers[static_cast<size_t>(k)]), isClosed ? clMaroon : clGray)
            << "jumper " << k;
    }
}

TEST_F(BoardHandlers, EnteringTheIRQPanelBuildsTheRowOfElevenJumpers)
{
    Main->IRQPanelEnter(Main->IRQPanel);
    const TRect places[] = {{}, Bounds(200, 47, 18, 34), Bounds(140, 8, 34, 18), Bounds(140, 25, 34, 18),
                            Bounds(140, 42, 34, 18), Bounds(140, 59, 34, 18), Bounds(140, 76, 34, 18),
                            Bounds(87, 60, 18, 34), Bounds(70, 60, 18, 34), Bounds(53, 60, 18, 34),
                            Bounds(36, 60, 18, 34), Bounds(19, 60, 18, 34)};
    for (int k = 1; k <= 11; ++k) {
        TTwoJumper* jumper = IRQJumpers[static_cast<size_t>(k)];
        ASSERT_NE(jumper, nullptr);
        EXPECT_EQ(jumper->Tag(), k);
        EXPECT_EQ(jumper->BoundsRect(), places[k]) << "jumper " << k;
        EXPECT_EQ(jumper->Orientation(), places[k].Width() == 18 ? otRight : otUp);
        EXPECT_EQ(jumper->Parent(), Main->IRQPanel);
        EXPECT_EQ(jumper->Owner(), Main.get());
        EXPECT_TRUE(jumper->Name().isEmpty());
    }
    EXPECT_EQ(Main->IRQBox->ItemIndex(), 0);
    // Painted, the vertical jumpers keep the size they were given.
    ExpectDrawnClosed(*Main->IRQPanel, {});
    EXPECT_EQ(IRQJumpers[1]->BoundsRect(), places[1]);
}

TEST_F(BoardHandlers, AtMostOneIRQJumperIsClosedAndTheChoiceFollowsTheClicks)
{
    Main->IRQPanelEnter(Main->IRQPanel);
    Pick(Main->IRQBox, Main->IRQBox->Items()->IndexOf(QStringLiteral("IRQ5")));
    EXPECT_EQ(ClosedJumpers(), std::vector<int>{4});
    EXPECT_EQ(IRQJumpers[4]->BoundsRect(), Bounds(140, 42, 34, 18));
    ExpectDrawnClosed(*Main->IRQPanel, {4});

    IRQJumpers[9]->Click();
    EXPECT_EQ(ClosedJumpers(), std::vector<int>{9});
    EXPECT_EQ(Main->IRQBox->Text(), QStringLiteral("IRQ12"));
    ExpectDrawnClosed(*Main->IRQPanel, {9});

    IRQJumpers[9]->Click();
    EXPECT_TRUE(ClosedJumpers().empty());
    EXPECT_EQ(Main->IRQBox->Text(), QStringLiteral("None"));
    ExpectDrawnClosed(*Main->IRQPanel, {});

    // Text typed into the box that names no item opens every jumper.
    Pick(Main->IRQBox, 11);
    Main->IRQBox->SetText(QStringLiteral("IRQ9"));
    Main->IRQBoxChange(Main->IRQBox);
    EXPECT_TRUE(ClosedJumpers().empty());
}

TEST_F(BoardHandlers, TheIRQHandlersDontFailBeforeTheRowExists)
{
    Pick(Main->IRQBox, 3);
    Main->IRQJumperClick(Main->IRQBox);
    EXPECT_TRUE(ClosedJumpers().empty());
}

TEST_F(BoardHandlers, EveryEntryIntoTheIRQPanelGivesOneFreshRowAndNone)
{
    Show();
    PointerAway();
    Main->IRQHighlight3->Perform(CM_MOUSEENTER, 0, 0);
    TForm* popup = Main->IRQHighlight3->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Main->IRQPanel->Parent(), popup);
    ASSERT_NE(IRQJumpers[1], nullptr) << "the popup gives the panel the focus, which builds the row";
    Pick(Main->IRQBox, 9);
    EXPECT_EQ(ClosedJumpers(), std::vector<int>{9});

    // Leave through Next, and click into the combo box again later.
    qobject_cast<TButton*>(popup->FindComponent(QStringLiteral("NextButton")))->Click();
    EXPECT_FALSE(popup->Visible());
    Main->IRQHighlight3->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_TRUE(popup->Visible());
    popup->FocusControl(qobject_cast<TButton*>(popup->FindComponent(QStringLiteral("DoneButton"))));
    popup->FocusControl(Main->IRQBox);
    int jumpers = 0;
    for (int i = 0; i < Main->IRQPanel->ControlCount(); ++i)
        if (qobject_cast<TTwoJumper*>(Main->IRQPanel->Controls(i)))
            ++jumpers;
    EXPECT_EQ(jumpers, 11);
    EXPECT_TRUE(ClosedJumpers().empty());
    EXPECT_EQ(Main->IRQBox->ItemIndex(), 0);
    EXPECT_EQ(Main->IRQBox->Text(), QStringLiteral("None"));
}

// ----- Buffer enabling -----------------------------------------------------------------------------------

TEST_F(BoardHandlers, ClickingTheBufferJumperAlternatesTstAndBenAndTheBoxFollows)
{
    Main->BufferPanelEnter(Main->BufferPanel);
    ASSERT_EQ(Main->BufferJumper->JumperState(), jsLeft);
    const struct {
        TJumperState State;
        const char* Choice;
    } clicks[] = {{jsRight, "Always Enabled"}, {jsLeft, "Software Enabled"}, {jsRight, "Always Enabled"},
                  {jsLeft, "Software Enabled"}};
    for (const auto& expected : clicks) {
        Main->BufferJumper->Click();
        EXPECT_EQ(Main->BufferJumper->JumperState(), expected.State);
        EXPECT_EQ(Main->BufferBox->Text(), QString::fromLatin1(expected.Choice));
        const TBufferDrawing drawing = BufferDrawing(PaintSurface(*Main->BufferPanel), *Main->BufferJumper);
        EXPECT_EQ(drawing.TstEnd, expected.State == jsLeft ? clMaroon : clGray);
        EXPECT_EQ(drawing.BenEnd, expected.State == jsRight ? clMaroon : clGray);
    }
}

TEST_F(BoardHandlers, ChoosingTheBufferSettingMovesTheCap)
{
    const struct {
        int Index;
        TJumperState State;
    } choices[] = {{1, jsRight}, {0, jsLeft}, {-1, jsRight}};
    for (const auto& choice : choices) {
        Pick(Main->BufferBox, choice.Index);
        EXPECT_EQ(Main->BufferJumper->JumperState(), choice.State) << choice.Index;
    }
}

TEST_F(BoardHandlers, EnteringAPanelStartsAtItsFirstChoiceWithTheDrawingToMatch)
{
    Pick(Main->BufferBox, 1);
    Pick(Main->IEnableBox, 1);
    ASSERT_EQ(Main->BufferJumper->JumperState(), jsRight);
    ASSERT_TRUE(Main->IEnableJumper->Closed());
    Main->BufferPanelEnter(Main->BufferPanel);
    Main->IEnablePanelEnter(Main->IEnablePanel);
    EXPECT_EQ(Main->BufferBox->Text(), QStringLiteral("Software Enabled"));
    EXPECT_EQ(Main->BufferJumper->JumperState(), jsLeft);
    EXPECT_EQ(Main->IEnableBox->Text(), QStringLiteral("Disabled"));
    EXPECT_FALSE(Main->IEnableJumper->Closed());
}

// ----- Interrupt enable ----------------------------------------------------------------------------------

TEST_F(BoardHandlers, TheInterruptEnableJumperAndItsChoiceFollowEachOther)
{
    Main->IEnablePanelEnter(Main->IEnablePanel);
    Pick(Main->IEnableBox, 1);
    EXPECT_TRUE(Main->IEnableJumper->Closed());
    EXPECT_EQ(JumperMiddle(PaintSurface(*Main->IEnablePanel), *Main->IEnableJumper), clMaroon);
    Main->IEnableJumper->Click();
    EXPECT_FALSE(Main->IEnableJumper->Closed());
    EXPECT_EQ(Main->IEnableBox->Text(), QStringLiteral("Disabled"));
    EXPECT_EQ(JumperMiddle(PaintSurface(*Main->IEnablePanel), *Main->IEnableJumper), clGray);
    Main->IEnableJumper->Click();
    EXPECT_EQ(Main->IEnableBox->Text(), QStringLiteral("Enabled"));
    // Typed text that names no item: the jumper opens, and the text stays as typed.
    Main->IEnableBox->SetText(QStringLiteral("Maybe"));
    Main->IEnableBoxChange(Main->IEnableBox);
    EXPECT_FALSE(Main->IEnableJumper->Closed());
    EXPECT_EQ(Main->IEnableBox->Text(), QStringLiteral("Maybe"));
}

} // namespace
