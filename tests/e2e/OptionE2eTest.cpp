// Every option as a person sets it in its popup: the base address typed into its edit and shown by the
// switch block, the IRQ picked from its list or typed and shown by the jumper row, the buffer jumper
// clicked through its two positions, and the interrupt-enable jumper. Each drawn widget is checked pixel
// for pixel against its drawing rules, each text in its box by what it reads.

#include "tests/e2e/DrawnPictures.h"
#include "tests/e2e/ScreenText.h"
#include "tests/e2e/SettingsRun.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr auto kRepaint = 10s;
// Longer than the toolkit's double-click interval (400 ms): clicks this far apart are single clicks.
constexpr auto kBeyondDoubleClick = 700ms;

// A drawn widget of a panel, as it must show: its picture placed at the panel's point.
struct Drawn {
    QPoint At;
    ExpectedPicture Picture;
};

// The panel's controls, in the panel's coordinates as the description (and the IRQ row's rules) place them.
const QRect kBaseEdit(24, 40, 41, 21);
const QRect kBaseFeedbackLabel(8, 64, 73, 17);
const QPoint kBaseBA(88, 8);
const QRect kIRQBox(12, 13, 101, 21);
const QRect kBufferBox(15, 20, 96, 21);
const QRect kBufferJumper(139, 23, 18, 43);
const QRect kIEnableBox(13, 21, 133, 21);
const QRect kIEnableJumper(175, 30, 34, 18);

// Jumper k (1 to 11) of the IRQ row: 1 at (200, 47), 2 to 6 a column at left 140, 7 to 11 a row at top 60.
QRect IRQJumper(int k)
{
    if (k == 1)
        return QRect(200, 47, 18, 34);
    if (k <= 6)
        return QRect(140, 17 * k - 26, 34, 18);
    return QRect(206 - 17 * k, 60, 18, 34);
}

const QStringList kIRQItems{QStringLiteral("None"),  QStringLiteral("IRQ2"),  QStringLiteral("IRQ3"),
                            QStringLiteral("IRQ4"),  QStringLiteral("IRQ5"),  QStringLiteral("IRQ6"),
                            QStringLiteral("IRQ7"),  QStringLiteral("IRQ10"), QStringLiteral("IRQ11"),
                            QStringLiteral("IRQ12"), QStringLiteral("IRQ14"), QStringLiteral("IRQ15")};

// The text part of a combo box, inside its frame and clear of its arrow button.
QRect ComboText(const QRect& combo) { return QRect(combo.left() + 3, combo.top() + 3, combo.width() - 28, combo.height() - 6); }
QRect EditText(const QRect& edit) { return edit.adjusted(2, 2, -2, -2); }

class OptionTest : public testing::Test {
protected:
    void SetUp() override { FRun = std::make_unique<SettingsRun>(CurrentTestName()); }

    E2eSession& Session() { return FRun->Session(); }

    // Opens the option's popup from the "&Settings" menu; its panel's top-left corner on the screen.
    QPoint OpenFromMenu(const OptionPanel& panel)
    {
        FRun->DismissHelp();
        FRun->ChooseMenuItem(SettingsRun::SettingsMenu, panel.EntryIndex, 4);
        const std::optional<WindowId> popup = FRun->WaitForWindow(panel.Caption);
        if (!popup)
            throw std::runtime_error("the menu entry opened no popup");
        return FRun->Layout(*popup).PanelOrigin();
    }

    // Waits until the widgets show their pictures, drawn in their parent's child order (a later one
    // covers an earlier one where they overlap, as the IRQ row's jumpers do by a pixel); the shot is kept
    // as `label`.
    QImage ExpectDrawn(const QString& label, QPoint panel, const std::vector<Drawn>& widgets)
    {
        QRect bounds;
        for (const Drawn& widget : widgets)
            bounds |= QRect(widget.At, QSize(widget.Picture.Width(), widget.Picture.Height()));
        ExpectedPicture expected(bounds.width(), bounds.height());
        for (const Drawn& widget : widgets)
            expected.Draw(widget.Picture, widget.At - bounds.topLeft());
        std::string differences;
        const E2eSession::Shot shot = Session().ScreenshotWhen(
            label,
            [&](const QImage& image) {
                differences = expected.Differences(image, panel + bounds.topLeft());
                return differences.empty();
            },
            kRepaint);
        EXPECT_EQ(differences, "") << label.toStdString();
        return shot.Image;
    }

    // The IRQ row with only jumper `closed` capped (0: none).
    static std::vector<Drawn> IRQRow(int closed)
    {
        std::vector<Drawn> row;
        for (int k = 1; k <= 11; ++k) {
            const QRect box = IRQJumper(k);
            const bool vertical = box.height() > box.width();
            ExpectedPicture upright = TwoPinJumperPicture(34, 18, k == closed);
            row.push_back({box.topLeft(), upright.Turned(vertical ? Orientation::Right : Orientation::Up)});
        }
        return row;
    }

    std::unique_ptr<SettingsRun> FRun;
};

// The base-address switch block (61 x 102, turned right, six switches, 8-point labels of 11 pixels).
Drawn SwitchBlock(unsigned address)
{
    return {kBaseBA, SwitchBlockPicture(102, 61, 6, address, 11).Turned(Orientation::Right)};
}

TEST_F(OptionTest, TypedBaseAddressSetsTheSwitchesAndShowsWhatTheyHold)
{
    // The walk starts at Base Address: its popup opens pinned, with the keyboard focus on the panel.
    const std::optional<WindowId> help = FRun->WaitForWindow(Titles::Help);
    ASSERT_TRUE(help.has_value());
    const QRect helpClient = Session().Geometry(*help).Client;
    Session().ClickAt(QPoint(helpClient.center().x(), helpClient.bottom() - 20));
    const std::optional<WindowId> popup = FRun->WaitForWindow(Titles::BaseAddress);
    ASSERT_TRUE(popup.has_value());
    const QPoint panel = FRun->Layout(*popup).PanelOrigin();
    const QRect edit = EditText(kBaseEdit.translated(panel));
    const QRect label = kBaseFeedbackLabel.translated(panel);
    const QStringList labels{QString(), QStringLiteral("0"), QStringLiteral("20"), QStringLiteral("200"),
                             QStringLiteral("2A0"), QStringLiteral("30"), QStringLiteral("3F0")};
    const QStringList typed{QStringLiteral("200"), QStringLiteral("3f0"), QStringLiteral("2a5")};

    QImage shot = ExpectDrawn(QStringLiteral("address-200"), panel, {SwitchBlock(0x200)});
    EXPECT_EQ(ReadText(shot, edit, typed), QStringLiteral("200"));
    EXPECT_EQ(ReadText(shot, label, labels), QString()) << "the feedback label is not empty at start";

    // Typed as the user means it, the address needs no feedback.
    Session().ClickAt(edit.center());
    Session().PressKeys(QStringLiteral("ctrl+a"));
    Session().Type(QStringLiteral("3f0"));
    shot = ExpectDrawn(QStringLiteral("address-3f0"), panel, {SwitchBlock(0x3F0)});
    EXPECT_EQ(ReadText(shot, edit, typed), QStringLiteral("3f0"));
    EXPECT_EQ(ReadText(shot, label, labels), QString());

    // 2A5 has bits the switches cannot set: they hold 2A0, and the label says so.
    Session().PressKeys(QStringLiteral("ctrl+a"));
    Session().Type(QStringLiteral("2a5"));
    shot = ExpectDrawn(QStringLiteral("address-2a5"), panel, {SwitchBlock(0x2A0)});
    EXPECT_EQ(ReadText(shot, edit, typed), QStringLiteral("2a5"));
    EXPECT_EQ(ReadText(shot, label, labels), QStringLiteral("2A0"));
}

TEST_F(OptionTest, IRQPickedFromTheListClosesItsJumperAndAClickedJumperPicksItsIRQ)
{
    const QPoint panel = OpenFromMenu(Board::IRQPanel);
    const QRect box = kIRQBox.translated(panel);
    // Entering the panel builds the row, all open, and chooses "None".
    QImage shot = ExpectDrawn(QStringLiteral("none"), panel, IRQRow(0));
    EXPECT_EQ(ReadText(shot, ComboText(box), kIRQItems), QStringLiteral("None"));

    FRun->PickFromDropDown(box, 0, 4);
    shot = ExpectDrawn(QStringLiteral("irq5-picked"), panel, IRQRow(4));
    EXPECT_EQ(ReadText(shot, ComboText(box), kIRQItems), QStringLiteral("IRQ5"));

    const QPoint jumper9 = panel + IRQJumper(9).center();
    Session().ClickAt(jumper9);
    shot = ExpectDrawn(QStringLiteral("jumper9-clicked"), panel, IRQRow(9));
    EXPECT_EQ(ReadText(shot, ComboText(box), kIRQItems), QStringLiteral("IRQ12"));

    // The closed jumper clicked again opens: no IRQ.
    std::this_thread::sleep_for(kBeyondDoubleClick);
    Session().ClickAt(jumper9);
    shot = ExpectDrawn(QStringLiteral("jumper9-clicked-again"), panel, IRQRow(0));
    EXPECT_EQ(ReadText(shot, ComboText(box), kIRQItems), QStringLiteral("None"));
}

TEST_F(OptionTest, IRQTypedIntoTheComboBoxClosesItsJumper)
{
    const QPoint panel = OpenFromMenu(Board::IRQPanel);
    const QRect box = kIRQBox.translated(panel);
    ExpectDrawn(QStringLiteral("none"), panel, IRQRow(0));
    Session().ClickAt(ComboText(box).center());
    Session().PressKeys(QStringLiteral("ctrl+a"));
    Session().Type(QStringLiteral("IRQ5"));
    const QImage shot = ExpectDrawn(QStringLiteral("irq5-typed"), panel, IRQRow(4));
    EXPECT_EQ(ReadText(shot, ComboText(box), kIRQItems), QStringLiteral("IRQ5"));
}

// Clicks on the buffer jumper in bursts: `Gap` apart within a burst, bursts beyond a double click apart.
struct ClickRhythm {
    const char* Name = "";
    std::chrono::milliseconds Gap{0};
    std::vector<int> Bursts;
};

void PrintTo(const ClickRhythm& rhythm, std::ostream* out) { *out << rhythm.Name; }

class BufferJumperTest : public OptionTest, public testing::WithParamInterface<ClickRhythm> {};

TEST_P(BufferJumperTest, EveryClickMovesTheCapBetweenTstAndBenAndTheComboBoxFollows)
{
    const QPoint panel = OpenFromMenu(Board::BufferPanel);
    const QRect box = ComboText(kBufferBox.translated(panel));
    const QStringList items{QStringLiteral("Software Enabled"), QStringLiteral("Always Enabled")};
    // Turned right, the upright left end is the top: the cap on the upper two pins is "TST", on the lower
    // two "BEN".
    const auto jumper = [&](CapPosition cap) {
        return std::vector<Drawn>{{kBufferJumper.topLeft(), ThreePinJumperPicture(43, 18, cap).Turned(Orientation::Right)}};
    };
    QImage shot = ExpectDrawn(QStringLiteral("tst"), panel, jumper(CapPosition::Left));
    EXPECT_EQ(ReadText(shot, box, items), QStringLiteral("Software Enabled"));

    int clicks = 0;
    Session().MoveMouse(panel + kBufferJumper.center());
    for (int burst : GetParam().Bursts) {
        SCOPED_TRACE(testing::Message() << "after " << clicks + burst << " clicks");
        Session().Clicks(burst, GetParam().Gap);
        clicks += burst;
        const bool ben = clicks % 2 == 1;
        shot = ExpectDrawn(QStringLiteral("after-%1-clicks").arg(clicks), panel,
                           jumper(ben ? CapPosition::Right : CapPosition::Left));
        EXPECT_EQ(ReadText(shot, box, items), ben ? items[1] : items[0]);
        std::this_thread::sleep_for(kBeyondDoubleClick);
    }
}

INSTANTIATE_TEST_SUITE_P(Rhythms, BufferJumperTest,
                         testing::Values(ClickRhythm{"OneByOne", 50ms, {1, 1, 1, 1}},
                                         ClickRhythm{"DoubleAndTripleClicks", 60ms, {2, 3, 4}}),
                         [](const testing::TestParamInfo<ClickRhythm>& info) { return std::string(info.param.Name); });

TEST_F(OptionTest, EnabledClosesTheInterruptEnableJumperAndAClickOpensItAgain)
{
    const QPoint panel = OpenFromMenu(Board::IEnablePanel);
    const QRect box = kIEnableBox.translated(panel);
    const QStringList items{QStringLiteral("Disabled"), QStringLiteral("Enabled")};
    const auto jumper = [&](bool closed) {
        return std::vector<Drawn>{{kIEnableJumper.topLeft(), TwoPinJumperPicture(34, 18, closed)}};
    };
    QImage shot = ExpectDrawn(QStringLiteral("disabled"), panel, jumper(false));
    EXPECT_EQ(ReadText(shot, ComboText(box), items), QStringLiteral("Disabled"));

    FRun->PickFromDropDown(box, 0, 1);
    shot = ExpectDrawn(QStringLiteral("enabled"), panel, jumper(true));
    EXPECT_EQ(ReadText(shot, ComboText(box), items), QStringLiteral("Enabled"));

    Session().ClickAt(panel + kIEnableJumper.center());
    shot = ExpectDrawn(QStringLiteral("clicked"), panel, jumper(false));
    EXPECT_EQ(ReadText(shot, ComboText(box), items), QStringLiteral("Disabled"));
}

} // namespace
