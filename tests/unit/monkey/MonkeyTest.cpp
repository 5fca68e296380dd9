// A seeded monkey on the real main window: thousands of random user actions (hovering and clicking
// circles with the pointer anywhere, the "&Settings" entries, typing into the base address edit,
// picking and typing in the combo boxes, clicking drawn jumpers, Previous/Next/Done, moving the focus
// inside popups, closing windows), with the board's rules checked after every single action. A failure
// names the seed and the actions that led to it; SETTINGS_MONKEY_SEED and SETTINGS_MONKEY_ACTIONS
// replay or lengthen a run, and SETTINGS_MONKEY_TRACE=1 prints every action as it happens.

#include "board/MainWindowFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

const QStringList kPopupCaptions{QStringLiteral("Base Address"), QStringLiteral("IRQ Enable"),
                                 QStringLiteral("Buffer Enabling"), QStringLiteral("IRQ Level")};

class Monkey : protected MainWindowFixture {
public:
    explicit Monkey(uint32_t seed) : FRandom(seed)
    {
        Show();
        Circles = {Main->BaseHighlight, Main->IEnableHighlight1, Main->IEnableHighlight0, Main->BufferHighlight,
                   Main->IRQHighlight3,  Main->IRQHighlight2,      Main->IRQHighlight1};
    }

    // One random action; returns what it did, for the report.
    std::string Act()
    {
        using Action = std::string (Monkey::*)();
        static const struct {
            Action Run;
            int Weight;
        } actions[] = {
            {&Monkey::Hover, 30},         {&Monkey::ClickCircle, 6},  {&Monkey::ChooseSettingsEntry, 8},
            {&Monkey::TypeBaseAddress, 10}, {&Monkey::PickInComboBox, 12}, {&Monkey::TypeInComboBox, 6},
            {&Monkey::ClickJumper, 14},   {&Monkey::ClickPopupButton, 8}, {&Monkey::FocusInPopup, 8},
            {&Monkey::CloseWindow, 4},    {&Monkey::StartWalk, 1},     {&Monkey::OpenSupportWindow, 1},
        };
        int total = 0;
        for (const auto& action : actions)
            total += action.Weight;
        int pick = Below(total);
        for (const auto& action : actions) {
            if (pick < action.Weight) {
                std::string done = (this->*action.Run)();
                QCoreApplication::processEvents();
                return done;
            }
            pick -= action.Weight;
        }
        return "nothing";
    }

    // The board's rules; an empty text when they all hold.
    std::string BrokenRule() const
    {
        for (const auto& rule : {&Monkey::IRQRowRule, &Monkey::BufferRule, &Monkey::InterruptEnableRule,
                                 &Monkey::BaseAddressRule, &Monkey::OneWindowPerCaptionRule, &Monkey::CheckMarkRule}) {
            std::string broken = (this->*rule)();
            if (!broken.empty())
                return broken;
        }
        return {};
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FRandom); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <typename T>
    T& OneOf(std::vector<T>& items) { return items[static_cast<size_t>(Below(static_cast<int>(items.size())))]; }

    static std::string Text(const QString& text) { return text.toStdString(); }
    static std::string NameOf(const TComponent* component)
    {
        return component->Name().isEmpty() ? component->ClassName().toStdString() : Text(component->Name());
    }

    std::vector<TPopupForm*> VisiblePopups() const
    {
        std::vector<TPopupForm*> popups;
        for (TBoardHighlight* circle : Circles)
            if (circle->Popup() && circle->Popup()->Visible())
                popups.push_back(circle->Popup());
        return popups;
    }

    // Somewhere on the screen: inside a shown popup, over a circle, or anywhere at all.
    TPoint MovePointer()
    {
        TPoint point;
        std::vector<TPopupForm*> popups = VisiblePopups();
        const int where = Below(3);
        if (where == 0 && !popups.empty()) {
            TPopupForm* popup = OneOf(popups);
            point = TPoint{popup->Left() + Below(std::max(1, popup->Width())), popup->Top() + Below(std::max(1, popup->Height()))};
        } else if (where == 1) {
            TBoardHighlight* circle = OneOf(Circles);
            point = circle->ClientToScreen(TPoint{Below(circle->Width()), Below(circle->Height())});
        } else {
            point = TPoint{Below(1024), Below(768)};
        }
        Mouse->SetCursorPos(point);
        return point;
    }

    std::string Hover()
    {
        const TPoint point = MovePointer();
        const std::string at = " with the pointer at " + std::to_string(point.X) + "," + std::to_string(point.Y);
        std::vector<TPopupForm*> popups = VisiblePopups();
        if (!popups.empty() && Chance(15)) {
            TPopupForm* popup = OneOf(popups);
            popup->Perform(CM_MOUSELEAVE, 0, 0);
            return "leave popup " + Text(popup->Caption()) + at;
        }
        TBoardHighlight* circle = OneOf(Circles);
        const bool enter = Chance(50);
        circle->Perform(enter ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
        return (enter ? "enter " : "leave ") + NameOf(circle) + at;
    }

    std::string ClickCircle()
    {
        TBoardHighlight* circle = OneOf(Circles);
        circle->Click();
        return "click " + NameOf(circle);
    }

    TMenuItem* SettingsMenu() const
    {
        TMenuItem* bar = Main->MainMenu1->Items();
        for (int i = 0; i < bar->Count(); ++i)
            if (bar->Items(i)->Caption() == QLatin1String("&Settings"))
                return bar->Items(i);
        return nullptr;
    }

    std::string ChooseSettingsEntry()
    {
        TMenuItem* menu = SettingsMenu();
        if (!menu || menu->Count() == 0)
            return "no Settings menu";
        TMenuItem* entry = menu->Items(Below(menu->Count()));
        entry->Click();
        return "choose Settings > " + Text(entry->Caption());
    }

    QString RandomText(const QString& alphabet, int maxLength)
    {
        QString text;
        const int length = Below(maxLength + 1);
        for (int i = 0; i < length; ++i)
            text += alphabet[Below(static_cast<int>(alphabet.size()))];
        return text;
    }

    std::string TypeBaseAddress()
    {
        static const QString hex = QStringLiteral("0123456789abcdefABCDEF");
        static const QString mixed = QStringLiteral("0123456789abcdefABCDEFxX$hHgG zZ-+.,\t\r\n\x01\x7f") + QChar(0xE9)
                                     + QChar(0xFF21) + QChar(0xFF10);
        QString text;
        switch (Below(4)) {
        case 0: text = RandomText(hex, 4); break;
        case 1: text = RandomText(hex, 12); break;
        case 2: text = RandomText(mixed, 10); break;
        default: text = QStringLiteral("0x") + RandomText(hex, 3); break;
        }
        Main->BaseEdit->SetText(text);
        return "type base address \"" + Text(text) + "\"";
    }

    // The combo boxes the user can reach: those in shown popups.
    std::vector<TComboBox*> ReachableComboBoxes() const
    {
        std::vector<TComboBox*> boxes;
        for (TComboBox* box : {Main->BufferBox, Main->IEnableBox, Main->IRQBox})
            if (box->Showing())
                boxes.push_back(box);
        return boxes;
    }

    std::string PickInComboBox()
    {
        std::vector<TComboBox*> boxes = ReachableComboBoxes();
        if (boxes.empty())
            return "no combo box shown";
        TComboBox* box = OneOf(boxes);
        Pick(box, Below(box->Items()->Count()));
        return "pick " + Text(box->Text()) + " in " + NameOf(box);
    }

    std::string TypeInComboBox()
    {
        std::vector<TComboBox*> boxes = ReachableComboBoxes();
        if (boxes.empty())
            return "no combo box shown";
        TComboBox* box = OneOf(boxes);
        QString text = Chance(50) ? box->Items()->Strings(Below(box->Items()->Count()))
                                  : RandomText(QStringLiteral("IRQ0123456789 SoftwareAlwaysEnabledDis"), 8);
        if (Chance(30) && !text.isEmpty())
            text.chop(1);
        box->SetText(text);
        if (box->OnChange)
            box->OnChange(box);
        return "type \"" + Text(text) + "\" into " + NameOf(box);
    }

    // A press and a release over a drawn jumper that the user can see, through its panel's pointer
    // handling.
    std::string ClickJumper()
    {
        std::vector<TControl*> jumpers;
        for (TControl* jumper : {static_cast<TControl*>(Main->BufferJumper), static_cast<TControl*>(Main->IEnableJumper)})
            if (jumper->Showing())
                jumpers.push_back(jumper);
        for (const QPointer<TTwoJumper>& jumper : IRQJumpers)
            if (jumper && jumper->Showing())
                jumpers.push_back(jumper);
        if (jumpers.empty())
            return "no jumper shown";
        TControl* jumper = OneOf(jumpers);
        TWinControl* panel = jumper->Parent();
        const std::string name = jumper->Tag() ? "IRQ jumper " + std::to_string(jumper->Tag()) : NameOf(jumper);
        const intptr_t at = MakePointParam(jumper->Left() + Below(jumper->Width()), jumper->Top() + Below(jumper->Height()));
        panel->Perform(WM_LBUTTONDOWN, 0, at);
        panel->Perform(WM_LBUTTONUP, 0, at);
        return "click " + name;
    }

    std::string ClickPopupButton()
    {
        std::vector<TPopupForm*> popups = VisiblePopups();
        if (popups.empty())
            return "no popup shown";
        TPopupForm* popup = OneOf(popups);
        static const char* const buttons[] = {"PreviousButton", "NextButton", "DoneButton"};
        const char* name = buttons[Below(3)];
        auto* button = qobject_cast<TButton*>(popup->FindComponent(QLatin1String(name)));
        if (!button)
            return "no " + std::string(name) + " in " + Text(popup->Caption());
        button->Click();
        return "click " + std::string(name) + " in " + Text(popup->Caption());
    }

    std::string FocusInPopup()
    {
        std::vector<TPopupForm*> popups = VisiblePopups();
        if (popups.empty())
            return "no popup shown";
        TPopupForm* popup = OneOf(popups);
        std::vector<TWinControl*> controls;
        popup->GetTabOrderList(controls);
        if (controls.empty())
            return "nothing to focus in " + Text(popup->Caption());
        TWinControl* control = OneOf(controls);
        popup->FocusControl(control);
        return "focus " + NameOf(control) + " in " + Text(popup->Caption());
    }

    std::string CloseWindow()
    {
        std::vector<TForm*> windows;
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i) != Main.get() && Screen->Forms(i)->Visible())
                windows.push_back(Screen->Forms(i));
        if (windows.empty())
            return "no window to close";
        TForm* window = OneOf(windows);
        window->Close();
        return "close " + Text(window->Caption());
    }

    // What the help window's Start button sends.
    std::string StartWalk()
    {
        Main->BoardImage1->Perform(WM_BOARDSTART, 0, 0);
        return "start the walk";
    }

    std::string OpenSupportWindow()
    {
        if (Chance(50)) {
            Main->Howtousethisprogram1->Click();
            return "Help > How to use this program";
        }
        Main->TechnicalSupport1->Click();
        return "Help > Technical Support";
    }

    // ----- The rules ------------------------------------------------------------------------------------

    // At most one jumper of the row is closed, and it is the one the IRQ choice names.
    std::string IRQRowRule() const
    {
        if (!IRQJumpers[1])
            return {};
        const int index = Main->IRQBox->ItemIndex();
        int closed = 0;
        for (int k = 1; k <= 11; ++k) {
            const TTwoJumper* jumper = IRQJumpers[static_cast<size_t>(k)];
            if (!jumper)
                return "IRQ jumper " + std::to_string(k) + " is missing from the row";
            closed += jumper->Closed() ? 1 : 0;
            if (jumper->Closed() != (k == index))
                return "IRQ jumper " + std::to_string(k) + (jumper->Closed() ? " is closed" : " is open")
                       + " while the IRQ choice is \"" + Text(Main->IRQBox->Text()) + "\" (item "
                       + std::to_string(index) + ")";
        }
        return closed > 1 ? "more than one IRQ jumper is closed" : std::string();
    }

    // Once the buffer panel was entered, the cap sits where the buffer choice says.
    std::string BufferRule() const
    {
        if (!Main->BufferPanel->InPopup())
            return {};
        const QString& choice = Main->BufferBox->Text();
        const TJumperState state = Main->BufferJumper->JumperState();
        if ((choice == QLatin1String("Software Enabled") && state != jsLeft)
            || (choice == QLatin1String("Always Enabled") && state != jsRight))
            return "the buffer choice is \"" + Text(choice) + "\" but the cap is not on its pins";
        return {};
    }

    std::string InterruptEnableRule() const
    {
        if (!Main->IEnablePanel->InPopup())
            return {};
        const QString& choice = Main->IEnableBox->Text();
        const bool closed = Main->IEnableJumper->Closed();
        if ((choice == QLatin1String("Enabled") && !closed) || (choice == QLatin1String("Disabled") && closed))
            return "the interrupt enable choice is \"" + Text(choice) + "\" but the jumper is "
                   + (closed ? "closed" : "open");
        return {};
    }

    std::string BaseAddressRule() const
    {
        static const QRegularExpression normalised(QStringLiteral("^(0|[1-9A-F][0-9A-F]*)$"));
        const QString& stored = Main->BaseBA->BaseAddressStr();
        if (!normalised.match(stored).hasMatch())
            return "the base address \"" + Text(stored) + "\" is not normalised";
        if ((stored.toUInt(nullptr, 16) & ~0x3F0u) != 0)
            return "the base address " + Text(stored) + " has bits outside the switches";
        return {};
    }

    std::string OneWindowPerCaptionRule() const
    {
        QStringList captions = kPopupCaptions;
        captions << QStringLiteral("Instructions for Settings utility");
        for (const QString& caption : captions) {
            int count = 0;
            for (int i = 0; i < Screen->FormCount(); ++i)
                count += Screen->Forms(i)->Caption() == caption ? 1 : 0;
            if (count > 1)
                return std::to_string(count) + " windows are captioned " + Text(caption);
        }
        return {};
    }

    // An entry is checked exactly while its popup is pinned and shown.
    std::string CheckMarkRule() const
    {
        TMenuItem* menu = SettingsMenu();
        if (!menu)
            return {};
        for (int i = 0; i < menu->Count(); ++i) {
            TMenuItem* entry = menu->Items(i);
            const TBoardHighlight* owner = nullptr;
            for (TBoardHighlight* circle : Circles)
                if (circle->Title() == entry->Caption() && circle->Popup())
                    owner = circle;
            const bool pinnedAndShown = owner && owner->Pinned() && owner->Popup()->Visible();
            if (entry->Checked() != pinnedAndShown)
                return "the entry " + Text(entry->Caption()) + (entry->Checked() ? " is checked" : " is not checked")
                       + " while its popup is " + (owner && owner->Popup()->Visible() ? "shown" : "hidden")
                       + (owner && owner->Pinned() ? " and pinned" : " and not pinned");
        }
        return {};
    }

    std::mt19937 FRandom;
    std::vector<TBoardHighlight*> Circles;
};

uint32_t EnvironmentNumber(const char* name, uint32_t fallback)
{
    bool ok = false;
    const uint32_t value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

class MonkeyTest : public testing::TestWithParam<uint32_t> {};

TEST_P(MonkeyTest, TheBoardsRulesHoldAfterEveryAction)
{
    const uint32_t seed = EnvironmentNumber("SETTINGS_MONKEY_SEED", GetParam());
    const uint32_t actions = EnvironmentNumber("SETTINGS_MONKEY_ACTIONS", 1000);
    const bool trace = EnvironmentNumber("SETTINGS_MONKEY_TRACE", 0) != 0;
    Monkey monkey(seed);
    ASSERT_EQ(monkey.BrokenRule(), "") << "before the first action";
    std::deque<std::string> recent;
    for (uint32_t i = 1; i <= actions; ++i) {
        recent.push_back(std::to_string(i) + ": " + monkey.Act());
        if (trace)
            std::fprintf(stderr, "%s\n", recent.back().c_str());
        if (recent.size() > 25)
            recent.pop_front();
        const std::string broken = monkey.BrokenRule();
        if (!broken.empty()) {
            std::string history;
            for (const std::string& step : recent)
                history += "\n  " + step;
            FAIL() << broken << "\nafter action " << i << " of the run with SETTINGS_MONKEY_SEED=" << seed
                   << "; the last actions:" << history;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, MonkeyTest, testing::Values(1u, 2u, 3u, 4u),
                         [](const testing::TestParamInfo<uint32_t>& info) {
                             return "Seed" + std::to_string(info.param);
                         });

} // namespace
