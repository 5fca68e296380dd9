#include "MainWindowFixture.h"

#include <QMetaProperty>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class BoardDescription : public testing::Test, protected MainWindowFixture {};

struct ComponentCase {
    const char* Name;
    const char* ClassName;
    const char* ParentName;
    TRect Box;
    friend void PrintTo(const ComponentCase& c, std::ostream* out) { *out << c.Name; }
};

class DescribedComponents : public testing::TestWithParam<ComponentCase>, protected MainWindowFixture {};

TEST_P(DescribedComponents, StandWhereTheDescriptionPutsThem)
{
    const ComponentCase& expected = GetParam();
    auto* control = qobject_cast<TControl*>(Main->FindComponent(QString::fromLatin1(expected.Name)));
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->metaObject()->className(), expected.ClassName);
    EXPECT_EQ(control->Owner(), Main.get());
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), QString::fromLatin1(expected.ParentName));
    if (qstrcmp(expected.ClassName, "TLabel") == 0) {
        // Labels size themselves to their captions; their place is what the description fixes.
        EXPECT_EQ(control->Left(), expected.Box.Left);
        EXPECT_EQ(control->Top(), expected.Box.Top);
    } else {
        EXPECT_EQ(control->BoundsRect(), expected.Box);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, DescribedComponents,
    testing::Values(
        ComponentCase{"BoardImage1", "TBoardImage", "MainForm", Bounds(162, 122, 600, 401)},
        ComponentCase{"BaseHighlight", "TBoardHighlight", "BoardImage1", Bounds(468, 9, 52, 30)},
        ComponentCase{"IEnableHighlight1", "TBoardHighlight", "BoardImage1", Bounds(71, 52, 16, 14)},
        ComponentCase{"IEnableHighlight0", "TBoardHighlight", "BoardImage1", Bounds(250, 100, 17, 19)},
        ComponentCase{"BufferHighlight", "TBoardHighlight", "BoardImage1", Bounds(423, 52, 33, 25)},
        ComponentCase{"IRQHighlight3", "TBoardHighlight", "BoardImage1", Bounds(155, 299, 42, 17)},
        ComponentCase{"IRQHighlight2", "TBoardHighlight", "BoardImage1", Bounds(395, 205, 20, 40)},
        ComponentCase{"IRQHighlight1", "TBoardHighlight", "BoardImage1", Bounds(472, 261, 13, 43)},
        ComponentCase{"BufferPanel", "TRadioPanel", "MainForm", Bounds(733, 230, 172, 91)},
        ComponentCase{"BasePanel", "TRadioPanel", "MainForm", Bounds(390, 0, 161, 116)},
        ComponentCase{"IRQPanel", "TRadioPanel", "MainForm", Bounds(376, 467, 236, 118)},
        ComponentCase{"IEnablePanel", "TRadioPanel", "MainForm", Bounds(-66, 239, 224, 70)},
        ComponentCase{"BufferJumper", "TThreeJumper", "BufferPanel", Bounds(139, 23, 18, 43)},
        ComponentCase{"Label13", "TLabel", "BufferPanel", Bounds(138, 6, 21, 13)},
        ComponentCase{"Label14", "TLabel", "BufferPanel", Bounds(138, 70, 22, 13)},
        ComponentCase{"BufferBox", "TComboBox", "BufferPanel", Bounds(15, 20, 96, 21)},
        ComponentCase{"BaseBA", "TBaseAddress", "BasePanel", Bounds(88, 8, 61, 102)},
        ComponentCase{"BaseFeedbackLabel", "TLabel", "BasePanel", Bounds(8, 64, 73, 17)},
        ComponentCase{"BaseEdit", "TEdit", "BasePanel", Bounds(24, 40, 41, 21)},
        ComponentCase{"Label33", "TLabel", "IRQPanel", Bounds(128, 8, 6, 13)},
        ComponentCase{"Label37", "TLabel", "IRQPanel", Bounds(128, 76, 6, 13)},
        ComponentCase{"Label38", "TLabel", "IRQPanel", Bounds(21, 48, 12, 13)},
        ComponentCase{"Label42", "TLabel", "IRQPanel", Bounds(89, 48, 12, 13)},
        ComponentCase{"Label32", "TLabel", "IRQPanel", Bounds(205, 80, 6, 13)},
        ComponentCase{"IRQBox", "TComboBox", "IRQPanel", Bounds(12, 13, 101, 21)},
        ComponentCase{"IEnableJumper", "TTwoJumper", "IEnablePanel", Bounds(175, 30, 34, 18)},
        ComponentCase{"Label23", "TLabel", "IEnablePanel", Bounds(180, 15, 24, 13)},
        ComponentCase{"IEnableBox", "TComboBox", "IEnablePanel", Bounds(13, 21, 133, 21)}));

TEST_F(BoardDescription, EveryPublishedReferenceIsBoundInDeclarationOrder)
{
    const QStringList expected{
        "MainMenu1", "File1", "Help1", "Howtousethisprogram1", "Exit2", "TechnicalSupport1", "BoardImage1",
        "BufferPanel", "BufferJumper", "Label13", "Label14", "BufferBox", "BasePanel", "BaseBA", "BaseEdit",
        "IRQPanel", "Label33", "Label34", "Label35", "Label36", "Label37", "Label38", "Label39", "Label40",
        "Label41", "Label42", "IRQBox", "BaseHighlight", "IEnableHighlight1", "IEnableHighlight0",
        "BufferHighlight", "IRQHighlight3", "IRQHighlight2", "IRQHighlight1", "IEnablePanel", "IEnableJumper",
        "Label23", "IEnableBox", "Label32", "SetSup", "BaseFeedbackLabel"};
    const QMetaObject* meta = Main->metaObject();
    QStringList declared;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        declared.append(QString::fromLatin1(property.name()));
        auto* component = property.read(Main.get()).value<QObject*>();
        EXPECT_NE(component, nullptr) << property.name();
        if (component)
            EXPECT_EQ(static_cast<TComponent*>(component)->Name(), QString::fromLatin1(property.name()));
    }
    EXPECT_EQ(declared, expected);
}

TEST_F(BoardDescription, CirclesHaveTheirPanelsAndTheWalkStartsAtBaseAddress)
{
    const std::pair<TBoardHighlight*, TRadioPanel*> pairs[] = {
        {Main->BaseHighlight, Main->BasePanel},       {Main->IEnableHighlight1, Main->IEnablePanel},
        {Main->IEnableHighlight0, Main->IEnablePanel}, {Main->BufferHighlight, Main->BufferPanel},
        {Main->IRQHighlight3, Main->IRQPanel},         {Main->IRQHighlight2, Main->IRQPanel},
        {Main->IRQHighlight1, Main->IRQPanel}};
    for (const auto& [circle, panel] : pairs) {
        EXPECT_EQ(circle->RadioPanel(), panel) << circle->Name().toStdString();
        EXPECT_EQ(circle->HighlightType(), htSettings);
        EXPECT_TRUE(circle->CreatePopup());
    }
    EXPECT_EQ(Main->BaseHighlight->Title(), QStringLiteral("Base &Address"));
    EXPECT_EQ(Main->IEnableHighlight0->Title(), QStringLiteral("IRQ &Enable"));
    EXPECT_EQ(Main->BufferHighlight->Title(), QStringLiteral("&Buffer Enabling"));
    EXPECT_EQ(Main->IRQHighlight1->Title(), QStringLiteral("&IRQ Level"));
    EXPECT_EQ(Main->BoardImage1->First(), Main->BaseHighlight);
    EXPECT_EQ(Main->BoardImage1->Menu(), Main->MainMenu1);
    EXPECT_TRUE(Main->BoardImage1->Stretch());
    EXPECT_FALSE(Main->BoardImage1->AutoSize());
    EXPECT_EQ(Main->BoardImage1->Picture()->Width(), 600);
    EXPECT_EQ(Main->BoardImage1->Picture()->Height(), 401);
}

TEST_F(BoardDescription, PanelsAreHiddenWithTheirLinesTabOrdersAndEntryHandlers)
{
    struct {
        TRadioPanel* Panel;
        int TabOrder;
        const char* Lines;
        bool HasEnter;
    } panels[] = {
        {Main->BufferPanel, 1,
         "If the TST/BEN jumper is installed in the BEN position, the buffers are permanently enabled. With the "
         "jumper in the TST position, the buffer is enabled/disabled through program control.",
         true},
        {Main->BasePanel, 2,
         "Enter the base address(in hex, from 100 to 3F0) on the left, then set the card's address switch to "
         "match the one on the right.",
         false},
        {Main->IRQPanel, 3,
         "Set these jumpers to specify what IRQ the QRT-72S generates interrupts on. If set to \"None\", no "
         "interrupts will be generated.",
         true},
        {Main->IEnablePanel, 4, "To enable interrupts on a port, install this jumper.", true},
    };
    for (const auto& expected : panels) {
        TRadioPanel* panel = expected.Panel;
        EXPECT_FALSE(panel->Visible()) << panel->Name().toStdString();
        EXPECT_EQ(panel->BevelOuter(), bvNone);
        EXPECT_EQ(panel->TabOrder(), expected.TabOrder);
        EXPECT_EQ(panel->MemoHeight(), 58);
        EXPECT_FALSE(panel->RadioEnabled());
        EXPECT_EQ(panel->FinalAnchors(), AnchorsLeftTop());
        EXPECT_EQ(panel->Lines()->ToStringList(), QStringList{QString::fromUtf8(expected.Lines)});
        EXPECT_EQ(static_cast<bool>(panel->OnEnter), expected.HasEnter);
    }
    EXPECT_EQ(Main->IEnablePanel->Left(), -66);
}

TEST_F(BoardDescription, ChoicesAndDrawingsStartAsDescribedAndLoadingRanNoHandler)
{
    for (TComboBox* box : {Main->BufferBox, Main->IRQBox, Main->IEnableBox}) {
        EXPECT_EQ(box->ItemIndex(), -1) << box->Name().toStdString();
        EXPECT_EQ(box->Style(), csDropDown);
        EXPECT_TRUE(box->Text().isEmpty());
    }
    EXPECT_EQ(Main->BufferBox->Items()->ToStringList(), (QStringList{"Software Enabled", "Always Enabled"}));
    EXPECT_EQ(Main->IEnableBox->Items()->ToStringList(), (QStringList{"Disabled", "Enabled"}));
    EXPECT_EQ(Main->IRQBox->Items()->ToStringList(),
              (QStringList{"None", "IRQ2", "IRQ3", "IRQ4", "IRQ5", "IRQ6", "IRQ7", "IRQ10", "IRQ11", "IRQ12", "IRQ14", "IRQ15"}));
    EXPECT_EQ(Main->BaseEdit->Text(), QStringLiteral("200"));
    EXPECT_EQ(Main->BaseEdit->Color(), clWindow);
    EXPECT_EQ(Main->BaseBA->BaseAddressStr(), QStringLiteral("200"));
    EXPECT_EQ(Main->BaseBA->NumSwitches(), 6);
    EXPECT_EQ(Main->BaseBA->Orientation(), otRight);
    EXPECT_TRUE(Main->BaseFeedbackLabel->Caption().isEmpty());
    EXPECT_FALSE(Main->BaseFeedbackLabel->AutoSize());
    EXPECT_EQ(Main->BaseFeedbackLabel->Alignment(), taCenter);
    // The buffer box's change handler would have set jsRight for "no item"; the jumper keeps its state.
    EXPECT_EQ(Main->BufferJumper->JumperState(), jsLeft);
    EXPECT_EQ(Main->BufferJumper->Orientation(), otRight);
    EXPECT_FALSE(Main->IEnableJumper->Closed());
    EXPECT_EQ(Main->IEnableJumper->Orientation(), otUp);
    // The IRQ row exists only once its panel is entered.
    for (size_t k = 1; k <= 11; ++k)
        EXPECT_TRUE(IRQJumpers[k].isNull());
    EXPECT_EQ(Main->Label13->Caption(), QStringLiteral("TST"));
    EXPECT_EQ(Main->Label23->Caption(), QStringLiteral("IEN1"));
    EXPECT_EQ(Main->Label23->Alignment(), taCenter);
    EXPECT_EQ(Main->Label40->Caption(), QStringLiteral("12"));
}

TEST_F(BoardDescription, TheSupporterCarriesTheBoardsValues)
{
    ASSERT_NE(Main->SetSup, nullptr);
    EXPECT_EQ(Main->SetSup->CompanyName(), QStringLiteral("Veltrona"));
    EXPECT_EQ(Main->SetSup->CardNameA(), QStringLiteral("QRT-72(S)"));
    EXPECT_EQ(Main->SetSup->CardNameB(), QStringLiteral("MXR72S/BT-K"));
    EXPECT_TRUE(Main->SetSup->ChangeButtons());
    EXPECT_FALSE(Main->SetSup->UseCardNameB());
    EXPECT_TRUE(Main->SetSup->bSeries());
    EXPECT_EQ(Main->SetSup->Channels(), 8);
    EXPECT_TRUE(Main->SetSup->CallHow().contains(QRegularExpression(QStringLiteral("at 555-01\\d\\d$"))));
    EXPECT_FALSE(static_cast<bool>(Main->SetSup->OnGetCardString));
}

TEST_F(BoardDescription, ShownTheMenuBarReadsFileSettingsHelp)
{
    Show();
    QStringList captions;
    for (int i = 0; i < Main->MainMenu1->Items()->Count(); ++i)
        captions.append(Main->MainMenu1->Items()->Items(i)->Caption());
    EXPECT_EQ(captions, (QStringList{"&File", "&Settings", "&Help"}));
    TMenuItem* settings = Main->MainMenu1->Items()->Items(1);
    EXPECT_EQ(settings->Name(), QStringLiteral("Settings1"));
    QStringList entries;
    QStringList names;
    for (int i = 0; i < settings->Count(); ++i) {
        entries.append(settings->Items(i)->Caption());
        names.append(settings->Items(i)->Name());
    }
    EXPECT_EQ(entries, (QStringList{"Base &Address", "IRQ &Enable", "&Buffer Enabling", "&IRQ Level"}));
    EXPECT_EQ(names, (QStringList{"BaseAddress1", "IRQEnable1", "BufferEnabling1", "IRQLevel1"}));
    // The linked "IRQ Enable" entry belongs to the circle painted first.
    EXPECT_EQ(settings->Items(1)->OnClick.Data(), Main->IEnableHighlight1);
}

} // namespace
