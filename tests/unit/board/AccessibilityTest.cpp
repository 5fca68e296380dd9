#include "MainWindowFixture.h"

#include "platform/qt/QtWindow.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <map>

namespace {

// The widget that paints a windowed control and its windowless children.
QWidget* SurfaceOf(TWinControl* control)
{
    auto* window = dynamic_cast<QtWindow*>(control->Handle());
    return window ? window->Container() : nullptr;
}

QAccessibleInterface* AccessibleOf(TWinControl* control)
{
    QWidget* surface = SurfaceOf(control);
    return surface ? QAccessible::queryAccessibleInterface(surface) : nullptr;
}

// The children that the surface answers for itself: those without a widget of their own.
std::vector<QAccessibleInterface*> WindowlessChildren(QAccessibleInterface* surface)
{
    std::vector<QAccessibleInterface*> children;
    for (int i = 0, count = surface->childCount(); i < count; ++i)
        if (QAccessibleInterface* child = surface->child(i); child && !child->object())
            children.push_back(child);
    return children;
}

QAccessibleInterface* ChildNamed(QAccessibleInterface* surface, const QString& name)
{
    for (QAccessibleInterface* child : WindowlessChildren(surface))
        if (child->text(QAccessible::Name) == name)
            return child;
    return nullptr;
}

QRect ScreenBox(const TControl& control)
{
    const TPoint origin = control.Parent()->ClientToScreen(TPoint{control.Left(), control.Top()});
    return QRect(origin.X, origin.Y, control.Width(), control.Height());
}

class Accessibility : public testing::Test, protected MainWindowFixture {
protected:
    void SetUp() override
    {
        Show();
        PointerAway();
    }

    // Opens the option's popup through its "&Settings" menu entry, as a user without a mouse would.
    static void OpenThroughMenu(TBoardHighlight* circle)
    {
        TMenuItem* entry = circle->MenuEntry();
        ASSERT_NE(entry, nullptr) << circle->Title().toStdString();
        entry->Click();
        Flush();
    }
};

TEST_F(Accessibility, TheBoardImageListsItsSevenCirclesByPopupCaptionWithTheirBoxes)
{
    QAccessibleInterface* board = AccessibleOf(Main->BoardImage1);
    ASSERT_NE(board, nullptr);
    std::vector<QAccessibleInterface*> listed = WindowlessChildren(board);
    const std::vector<TBoardHighlight*> circles{Main->BaseHighlight,   Main->IEnableHighlight1, Main->IEnableHighlight0,
                                                Main->BufferHighlight, Main->IRQHighlight3,     Main->IRQHighlight2,
                                                Main->IRQHighlight1};
    ASSERT_EQ(listed.size(), circles.size());
    const std::map<TBoardHighlight*, QString> names{
        {Main->BaseHighlight, QStringLiteral("Base Address")},   {Main->IEnableHighlight1, QStringLiteral("IRQ Enable")},
        {Main->IEnableHighlight0, QStringLiteral("IRQ Enable")}, {Main->BufferHighlight, QStringLiteral("Buffer Enabling")},
        {Main->IRQHighlight3, QStringLiteral("IRQ Level")},      {Main->IRQHighlight2, QStringLiteral("IRQ Level")},
        {Main->IRQHighlight1, QStringLiteral("IRQ Level")}};
    // In the order the board image paints them.
    for (int i = 0; i < Main->BoardImage1->ControlCount(); ++i) {
        auto* circle = qobject_cast<TBoardHighlight*>(Main->BoardImage1->Controls(i));
        ASSERT_NE(circle, nullptr);
        QAccessibleInterface* child = listed[static_cast<size_t>(i)];
        SCOPED_TRACE(circle->objectName().toStdString());
        EXPECT_EQ(child->text(QAccessible::Name), names.at(circle));
        EXPECT_EQ(child->role(), QAccessible::Button);
        EXPECT_TRUE(child->state().hasPopup);
        EXPECT_TRUE(child->state().collapsed);
        EXPECT_EQ(child->rect(), ScreenBox(*circle));
        EXPECT_EQ(child->parent(), board);
        EXPECT_EQ(board->indexOfChild(child), board->childCount() - static_cast<int>(listed.size()) + i);
        EXPECT_EQ(board->childAt(child->rect().center().x(), child->rect().center().y()), child);
    }
}

TEST_F(Accessibility, ACircleIsExpandedWhileItsPopupIsOpen)
{
    OpenThroughMenu(Main->IEnableHighlight1);
    QAccessibleInterface* board = AccessibleOf(Main->BoardImage1);
    int expanded = 0;
    for (QAccessibleInterface* child : WindowlessChildren(board))
        if (child->state().expanded) {
            ++expanded;
            EXPECT_EQ(child->text(QAccessible::Name), QStringLiteral("IRQ Enable"));
        }
    EXPECT_EQ(expanded, 2) << "both linked circles stand for the open popup";
    Main->IEnableHighlight1->ClosePopup();
    for (QAccessibleInterface* child : WindowlessChildren(board))
        EXPECT_FALSE(child->state().expanded) << child->text(QAccessible::Name).toStdString();
}

TEST_F(Accessibility, AJumpersNameAndCheckedStateFollowItsCap)
{
    OpenThroughMenu(Main->IEnableHighlight1);
    QAccessibleInterface* panel = AccessibleOf(Main->IEnablePanel);
    ASSERT_NE(panel, nullptr);
    QAccessibleInterface* jumper = ChildNamed(panel, QStringLiteral("Jumper, open"));
    ASSERT_NE(jumper, nullptr);
    EXPECT_EQ(jumper->role(), QAccessible::CheckBox);
    EXPECT_TRUE(jumper->state().checkable);
    EXPECT_FALSE(jumper->state().checked);
    EXPECT_EQ(jumper->rect(), ScreenBox(*Main->IEnableJumper));
    QAccessibleInterface* label = ChildNamed(panel, QStringLiteral("IEN1"));
    ASSERT_NE(label, nullptr) << "a label is named by its caption";
    EXPECT_EQ(label->role(), QAccessible::StaticText);

    // A tool that keeps the entry reads the new name from it, and finds the same entry under that name.
    Pick(Main->IEnableBox, 1);
    EXPECT_EQ(jumper->text(QAccessible::Name), QStringLiteral("Jumper, closed"));
    EXPECT_TRUE(jumper->state().checked);
    EXPECT_EQ(ChildNamed(panel, QStringLiteral("Jumper, closed")), jumper);
    Main->IEnableJumper->Click();
    EXPECT_EQ(jumper->text(QAccessible::Name), QStringLiteral("Jumper, open"));
}

TEST_F(Accessibility, TheSwitchBlockTellsItsAddressAndEverySwitch)
{
    OpenThroughMenu(Main->BaseHighlight);
    QAccessibleInterface* panel = AccessibleOf(Main->BasePanel);
    QAccessibleInterface* block = ChildNamed(panel, QStringLiteral("Address switch, 200"));
    ASSERT_NE(block, nullptr);
    // Bit 9 of 0x200 is set and sits away from ON; the other five switches stand at ON.
    EXPECT_EQ(block->text(QAccessible::Description),
              QStringLiteral("A4 on, A5 on, A6 on, A7 on, A8 on, A9 off"));
    Type(QStringLiteral("2a0"));
    EXPECT_EQ(ChildNamed(panel, QStringLiteral("Address switch, 2A0")), block);
    EXPECT_EQ(block->text(QAccessible::Description),
              QStringLiteral("A4 on, A5 off, A6 on, A7 off, A8 on, A9 off"));
}

TEST_F(Accessibility, TheBufferJumperNamesThePinsItsCapBridgesOnTheScreen)
{
    OpenThroughMenu(Main->BufferHighlight);
    QAccessibleInterface* panel = AccessibleOf(Main->BufferPanel);
    // Turned a quarter clockwise, the upright left end (TST) lies at the top.
    ASSERT_NE(ChildNamed(panel, QStringLiteral("Three-pin jumper, cap on the upper two pins")), nullptr);
    Pick(Main->BufferBox, 1);
    EXPECT_NE(ChildNamed(panel, QStringLiteral("Three-pin jumper, cap on the lower two pins")), nullptr);
    EXPECT_NE(ChildNamed(panel, QStringLiteral("TST")), nullptr);
    EXPECT_NE(ChildNamed(panel, QStringLiteral("BEN")), nullptr);
}

// Entering the IRQ panel builds its row of jumpers anew: the entries of the old row go, and nothing that
// refers to them is left behind.
TEST_F(Accessibility, ARebuiltJumperRowReplacesItsEntries)
{
    OpenThroughMenu(Main->IRQHighlight1);
    QAccessibleInterface* panel = AccessibleOf(Main->IRQPanel);
    auto jumperIds = [&] {
        std::vector<QAccessible::Id> ids;
        for (QAccessibleInterface* child : WindowlessChildren(panel))
            if (child->role() == QAccessible::CheckBox)
                ids.push_back(QAccessible::uniqueId(child));
        return ids;
    };
    const std::vector<QAccessible::Id> before = jumperIds();
    ASSERT_EQ(before.size(), 11u);
    Main->IRQPanelEnter(Main->IRQPanel);
    const std::vector<QAccessible::Id> after = jumperIds();
    EXPECT_EQ(after.size(), 11u);
    for (QAccessible::Id id : before)
        EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
}

TEST_F(Accessibility, WindowedControlsAreNamedByWhatTheyShow)
{
    OpenThroughMenu(Main->BaseHighlight);
    TPopupForm* popup = Main->BaseHighlight->Popup();
    ASSERT_NE(popup, nullptr);
    auto nameOf = [](TWinControl* control) {
        auto* window = dynamic_cast<QtWindow*>(control->Handle());
        return QAccessible::queryAccessibleInterface(window->Widget())->text(QAccessible::Name);
    };
    EXPECT_EQ(nameOf(popup), QStringLiteral("Base Address"));
    EXPECT_EQ(nameOf(Main.get()), QStringLiteral("Setup"));
    auto* done = qobject_cast<TButton*>(popup->FindComponent(QStringLiteral("DoneButton")));
    ASSERT_NE(done, nullptr);
    EXPECT_EQ(nameOf(done), QStringLiteral("Done"));
    // An edit shows its value, which is no name.
    EXPECT_NE(nameOf(Main->BaseEdit), QStringLiteral("BaseEdit"));
    EXPECT_NE(nameOf(Main->BaseEdit), QStringLiteral("200"));
}

TEST(AccessibleNames, AThreePinJumperNamesItsCapByWhereThePictureTurnsIt)
{
    struct Case {
        TOrientationType Orientation;
        const char* Left;
        const char* Right;
    };
    const Case cases[] = {
        {otUp, "left", "right"}, {otDown, "right", "left"}, {otLeft, "lower", "upper"}, {otRight, "upper", "lower"}};
    for (const Case& c : cases) {
        TThreeJumper jumper(nullptr);
        jumper.SetOrientation(c.Orientation);
        SCOPED_TRACE(static_cast<int>(c.Orientation));
        EXPECT_EQ(jumper.AccessibleName(), QStringLiteral("Three-pin jumper, open"));
        jumper.SetJumperState(jsLeft);
        EXPECT_EQ(jumper.AccessibleName(), QStringLiteral("Three-pin jumper, cap on the %1 two pins").arg(c.Left));
        jumper.SetJumperState(jsRight);
        EXPECT_EQ(jumper.AccessibleName(), QStringLiteral("Three-pin jumper, cap on the %1 two pins").arg(c.Right));
    }
}

} // namespace
