#include "WidgetPainting.h"

#include "components/RadioPanel.h"
#include "components/SettingWidgets.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <QVariant>

namespace {
// A press and a release of the left button over a control, delivered to its parent as the window
// delivers them; a double click arrives as a second press reported as WM_LBUTTONDBLCLK.
void Click(TControl& control)
{
    const intptr_t at = MakePointParam(control.Left() + 2, control.Top() + 2);
    control.Parent()->Perform(WM_LBUTTONDOWN, ssLeft, at);
    control.Parent()->Perform(WM_LBUTTONUP, 0, at);
}

void DoubleClick(TControl& control)
{
    const intptr_t at = MakePointParam(control.Left() + 2, control.Top() + 2);
    control.Parent()->Perform(WM_LBUTTONDOWN, ssLeft, at);
    control.Parent()->Perform(WM_LBUTTONUP, 0, at);
    control.Parent()->Perform(WM_LBUTTONDBLCLK, ssLeft, at);
    control.Parent()->Perform(WM_LBUTTONUP, 0, at);
}

// Records the events of a test in the order they fire.
class EventLog : public QObject {
public:
    TNotifyEvent Recorder(const QString& event)
    {
        return TNotifyEvent(this, [this, event](TObject* sender) { Entries.append(event + ':' + sender->objectName()); },
                            static_cast<uintptr_t>(qHash(event)));
    }
    QStringList Entries;
};

// A jumper named for the log, which shows senders by name.
template <typename Jumper>
Jumper* Named(Jumper* jumper, const char* name)
{
    jumper->SetName(QString::fromLatin1(name));
    return jumper;
}

// ---------------------------------------------------------------------------------------------------------

TEST(TwoJumperClick, TogglesTheCapThenFiresOnClick)
{
    PanelBench bench;
    EventLog log;
    auto* jumper = Named(bench.Add<TTwoJumper>(34, 18), "J");
    bool closedSeenByHandler = false;
    jumper->OnClick = TNotifyEvent(&log, [&](TObject*) { closedSeenByHandler = jumper->Closed(); }, 1);
    Click(*jumper);
    EXPECT_TRUE(jumper->Closed());
    EXPECT_TRUE(closedSeenByHandler) << "OnClick runs after the change";
    Click(*jumper);
    EXPECT_FALSE(jumper->Closed());
}

// The board is set by clicking quickly: a second click within the double-click time toggles again.
TEST(TwoJumperClick, AFastSecondClickCountsAsAClick)
{
    PanelBench bench;
    EventLog log;
    auto* jumper = Named(bench.Add<TTwoJumper>(34, 18), "J");
    jumper->OnClick = log.Recorder(QStringLiteral("Click"));
    DoubleClick(*jumper);
    EXPECT_FALSE(jumper->Closed()) << "toggled twice";
    EXPECT_EQ(log.Entries, QStringList({QStringLiteral("Click:J"), QStringLiteral("Click:J")}));
}

TEST(TwoJumperClick, ADisabledJumperIgnoresClicks)
{
    PanelBench bench;
    auto* jumper = bench.Add<TTwoJumper>(34, 18);
    jumper->SetEnabled(false);
    Click(*jumper);
    EXPECT_FALSE(jumper->Closed());
}

TEST(WidgetProperties, SettingFromCodeFiresNoEvent)
{
    PanelBench bench;
    EventLog log;
    auto* two = bench.Add<TTwoJumper>(34, 18);
    auto* three = bench.Add<TThreeJumper>(43, 18, otUp, 60, 20);
    two->OnClick = log.Recorder(QStringLiteral("Two"));
    three->OnClick = log.Recorder(QStringLiteral("Three"));
    bench.Panel->SetRadioEnabled(true);
    bench.Panel->OnRadioChange = log.Recorder(QStringLiteral("Radio"));
    two->SetClosed(true);
    three->SetJumperState(jsRight);
    three->SetAllowOpen(false);
    EXPECT_TRUE(log.Entries.isEmpty()) << log.Entries.join(' ').toStdString();
}

// ---------------------------------------------------------------------------------------------------------

TEST(ThreeJumperClick, MovesTheCapOpenLeftRightOpen)
{
    PanelBench bench;
    EventLog log;
    auto* jumper = Named(bench.Add<TThreeJumper>(43, 18), "B");
    TJumperState seen = jsOpen;
    jumper->OnClick = TNotifyEvent(&log, [&](TObject*) { seen = jumper->JumperState(); }, 1);
    for (TJumperState expected : {jsLeft, jsRight, jsOpen}) {
        Click(*jumper);
        EXPECT_EQ(jumper->JumperState(), expected);
        EXPECT_EQ(seen, expected) << "OnClick runs after the move";
    }
}

TEST(ThreeJumperClick, WithoutOpenGoesLeftRightLeft)
{
    PanelBench bench;
    auto* jumper = bench.Add<TThreeJumper>(43, 18);
    jumper->SetJumperState(jsRight);
    jumper->SetAllowOpen(false);
    EXPECT_EQ(jumper->JumperState(), jsRight) << "a closed cap stays where it is";
    Click(*jumper);
    EXPECT_EQ(jumper->JumperState(), jsLeft);
    Click(*jumper);
    EXPECT_EQ(jumper->JumperState(), jsRight);
    DoubleClick(*jumper);
    EXPECT_EQ(jumper->JumperState(), jsRight) << "two moves: left, right";
}

TEST(ThreeJumperState, OpenIsRefusedWhileNotAllowed)
{
    PanelBench bench;
    auto* jumper = bench.Add<TThreeJumper>(43, 18);
    jumper->SetAllowOpen(false);
    EXPECT_EQ(jumper->JumperState(), jsLeft) << "turning AllowOpen off moves an open cap left";
    const QImage before = bench.Paint();
    jumper->SetJumperState(jsOpen);
    EXPECT_EQ(jumper->JumperState(), jsLeft);
    EXPECT_TRUE(bench.Paint() == before);
    jumper->SetAllowOpen(true);
    jumper->SetJumperState(jsOpen);
    EXPECT_EQ(jumper->JumperState(), jsOpen);
}

// A description stores JumperState before AllowOpen: a stored AllowOpen False over the default jsOpen
// ends on the left.
TEST(ThreeJumperState, StoredOrderEndsOnTheLeft)
{
    TThreeJumper jumper(nullptr);
    ASSERT_TRUE(jumper.setProperty("JumperState", QVariant::fromValue(jsOpen)));
    ASSERT_TRUE(jumper.setProperty("AllowOpen", false));
    EXPECT_EQ(jumper.JumperState(), jsLeft);
}

// ---------------------------------------------------------------------------------------------------------
// The radio selection of a panel with RadioEnabled: the clicked two-pin jumper ends closed, its sibling
// two-pin jumpers open, and OnRadioChange reports a change inside the selection.

class RadioSelection : public testing::Test {
protected:
    void SetUp() override
    {
        bench.Panel->SetRadioEnabled(true);
        bench.Panel->OnRadioChange = log.Recorder(QStringLiteral("Radio"));
        for (int i = 0; i < 3; ++i) {
            jumpers[i] = Named(bench.Add<TTwoJumper>(34, 18, otUp, 10 + 40 * i, 20), Names[i]);
            jumpers[i]->OnClick = log.Recorder(QStringLiteral("Click"));
        }
    }

    std::vector<bool> States() const
    {
        return {jumpers[0]->Closed(), jumpers[1]->Closed(), jumpers[2]->Closed()};
    }

    static constexpr const char* Names[3] = {"J1", "J2", "J3"};
    PanelBench bench;
    EventLog log;
    TTwoJumper* jumpers[3] = {};
};

TEST_F(RadioSelection, ClickingAnotherJumperMovesTheSelection)
{
    jumpers[1]->SetClosed(true);
    Click(*jumpers[2]);
    EXPECT_EQ(States(), std::vector<bool>({false, false, true}));
    EXPECT_EQ(log.Entries, QStringList({QStringLiteral("Radio:J3"), QStringLiteral("Click:J3")}));
    // Clicked again, the closed jumper opens and the selection closes it again: that is a change too.
    Click(*jumpers[2]);
    EXPECT_EQ(States(), std::vector<bool>({false, false, true}));
    EXPECT_EQ(log.Entries.count(QStringLiteral("Radio:J3")), 2);
    EXPECT_EQ(log.Entries.last(), QStringLiteral("Click:J3"));
}

TEST_F(RadioSelection, ClickingTheClosedJumperKeepsItClosed)
{
    jumpers[0]->SetClosed(true);
    jumpers[2]->SetClosed(true);
    Click(*jumpers[0]);
    EXPECT_EQ(States(), std::vector<bool>({true, false, false}));
    EXPECT_EQ(log.Entries, QStringList({QStringLiteral("Radio:J1"), QStringLiteral("Click:J1")}));
}

TEST_F(RadioSelection, ClosingTheOnlyClosedJumperChangesNothingElse)
{
    Click(*jumpers[1]);
    EXPECT_EQ(States(), std::vector<bool>({false, true, false}));
    EXPECT_EQ(log.Entries, QStringList({QStringLiteral("Click:J2")})) << "no change inside the selection";
}

TEST_F(RadioSelection, LeavesOtherWidgetsOfThePanelAlone)
{
    auto* threePin = bench.Add<TThreeJumper>(43, 18, otUp, 10, 60);
    threePin->SetJumperState(jsRight);
    jumpers[0]->SetClosed(true);
    Click(*jumpers[1]);
    EXPECT_EQ(States(), std::vector<bool>({false, true, false}));
    EXPECT_EQ(threePin->JumperState(), jsRight);
}

TEST_F(RadioSelection, APanelWithoutRadioEnabledLetsJumpersToggleAlone)
{
    bench.Panel->SetRadioEnabled(false);
    Click(*jumpers[0]);
    Click(*jumpers[2]);
    EXPECT_EQ(States(), std::vector<bool>({true, false, true}));
    Click(*jumpers[2]);
    EXPECT_EQ(States(), std::vector<bool>({true, false, false}));
    EXPECT_EQ(log.Entries.filter(QStringLiteral("Radio")).size(), 0);
}

TEST_F(RadioSelection, SelectingDirectlyReportsOnlyRealChanges)
{
    jumpers[2]->SetClosed(true);
    bench.Panel->SelectRadioJumper(jumpers[2]);
    EXPECT_TRUE(log.Entries.isEmpty());
    bench.Panel->SelectRadioJumper(jumpers[0]);
    EXPECT_EQ(States(), std::vector<bool>({true, false, false}));
    EXPECT_EQ(log.Entries, QStringList({QStringLiteral("Radio:J1")}));
}

// A class derived from the option panel is not an option panel to the jumpers.
class TDerivedRadioPanel : public TRadioPanel {
    Q_OBJECT
public:
    using TRadioPanel::TRadioPanel;
};

class TDerivedTwoJumper : public TTwoJumper {
    Q_OBJECT
public:
    using TTwoJumper::TTwoJumper;
};

TEST(RadioSelectionByName, ADerivedPanelSelectsNothing)
{
    TDerivedRadioPanel panel(nullptr);
    EventLog log;
    panel.SetRadioEnabled(true);
    panel.OnRadioChange = log.Recorder(QStringLiteral("Radio"));
    auto* first = new TTwoJumper(&panel);
    auto* second = new TTwoJumper(&panel);
    second->SetLeft(40);
    for (TTwoJumper* jumper : {first, second})
        jumper->SetParent(&panel);
    Click(*first);
    Click(*second);
    EXPECT_TRUE(first->Closed());
    EXPECT_TRUE(second->Closed());
    EXPECT_TRUE(log.Entries.isEmpty());
}

TEST(RadioSelectionByName, ADerivedJumperIsLeftAlone)
{
    PanelBench bench;
    bench.Panel->SetRadioEnabled(true);
    auto* plain = bench.Add<TTwoJumper>(34, 18);
    auto* derived = bench.Add<TDerivedTwoJumper>(34, 18, otUp, 60, 20);
    derived->SetClosed(true);
    Click(*plain);
    EXPECT_TRUE(plain->Closed());
    EXPECT_TRUE(derived->Closed());
    // Its own click toggles it and, as it sits in an option panel, runs the selection, which opens the
    // two-pin jumpers but passes over the derived one.
    Click(*derived);
    EXPECT_FALSE(derived->Closed());
    EXPECT_FALSE(plain->Closed());
}
} // namespace

#include "JumperClickTest.moc"
