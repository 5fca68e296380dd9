#include "SupporterFixture.h"

#include "driver/Halvex.h"

#include <QTextDocument>

namespace {

// ----- Technical support -----------------------------------------------------------------------------------

struct SupportTextCase {
    const char* Name = "";
    QString Company;
    QString CallHow;
    friend void PrintTo(const SupportTextCase& c, std::ostream* out) { *out << c.Name; }
};

class TechWindowText : public SupporterTest, public testing::WithParamInterface<SupportTextCase> {};

TEST_P(TechWindowText, SplicesCompanyAndCallHowIntoTheirPlaces)
{
    const SupportTextCase& c = GetParam();
    const QString first = QStringLiteral("There are several ways to get technical support. First and fastest is to "
                                         "skim the relevant sections of the manual. However, some questions require "
                                         "personal assistance, and ")
                          + c.Company + QStringLiteral(" stands ready to provide that help. You can call us ")
                          + c.CallHow + QStringLiteral(" for any of your product questions.");
    const QString second = QStringLiteral("In order to provide the best and fastest support possible, we ask that "
                                          "you be at your computer when you call, and have the ")
                           + c.Company + QStringLiteral(" product manual and Kelvoria CD at hand.");
    EXPECT_EQ(SupportText(c.Company, c.CallHow), first + QStringLiteral("\r\n\r\n") + second);

    Sup->SetCompanyName(c.Company);
    Sup->SetCallHow(c.CallHow);
    Sup->BuildSupport();
    ASSERT_NE(Sup->TechForm(), nullptr);
    EXPECT_EQ(Sup->TechForm()->TechMemo->Lines()->ToStringList(), (QStringList{first, QString(), second}));
}

INSTANTIATE_TEST_SUITE_P(
    , TechWindowText,
    testing::Values(SupportTextCase{"AsShipped", "Veltrona", "from 8 am to 5 pm Pacific Time at 555-0142"},
                    SupportTextCase{"NoCompany", "", "from 8 am to 5 pm Pacific Time at 555-0142"},
                    SupportTextCase{"NoCallHow", "Veltrona", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SupportText, EmptyValuesLeaveTwoBlanksInARow)
{
    EXPECT_TRUE(SupportText(QString(), QStringLiteral("x")).contains(QStringLiteral("and  stands ready")));
    EXPECT_TRUE(SupportText(QStringLiteral("V"), QString()).contains(QStringLiteral("call us  for any")));
}

using TechWindow = SupporterTest;

TEST_F(TechWindow, FittedLayoutAndSettings)
{
    Sup->BuildSupport();
    TTechForm* form = Sup->TechForm();
    ASSERT_NE(form, nullptr);

    EXPECT_EQ(form->Name(), "TechForm");
    EXPECT_EQ(form->Owner(), Main);
    EXPECT_EQ(form->Caption(), "Technical Support");
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_EQ(form->Position(), poDefaultPosOnly);
    EXPECT_EQ(form->BorderStyle(), bsSizeable);
    EXPECT_EQ(form->ClientWidth(), 305);
    EXPECT_EQ(form->ClientHeight(), 122);

    EXPECT_EQ(BoxOf(form->TechMemo), (TBox{0, 0, 305, 89}));
    EXPECT_EQ(form->TechMemo->Name(), "TechMemo");
    EXPECT_TRUE(form->TechMemo->ReadOnly());
    EXPECT_TRUE(form->TechMemo->WordWrap());
    EXPECT_EQ(form->TechMemo->ScrollBars(), ssVertical);
    EXPECT_EQ(form->TechMemo->Anchors(), AnchorsAll());
    EXPECT_EQ(form->TechMemo->Font()->Name(), "MS Sans Serif");

    EXPECT_EQ(BoxOf(form->CloseButton), (TBox{116, 97, 73, 25}));
    EXPECT_EQ(form->CloseButton->Name(), "CloseButton");
    EXPECT_EQ(form->CloseButton->Caption(), "Close");
    EXPECT_TRUE(form->CloseButton->Cancel());
    EXPECT_EQ(form->CloseButton->TabOrder(), 0);
    EXPECT_EQ(form->CloseButton->Anchors(), TAnchors(akBottom));

    // Resized by the user: the memo follows every edge, the button the bottom edge and the centre.
    form->SetClientSize(405, 222);
    EXPECT_EQ(BoxOf(form->TechMemo), (TBox{0, 0, 405, 189}));
    EXPECT_EQ(form->CloseButton->Top(), 222 - 25);
    EXPECT_LE(std::abs(2 * form->CloseButton->Left() + 73 - 405), 1);
}

TEST_F(TechWindow, CloseAndEscapeHideIt)
{
    Sup->BuildSupport();
    TTechForm* form = Sup->TechForm();

    form->Show();
    form->CloseButton->Click();
    EXPECT_FALSE(form->Visible());

    form->Show();
    form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
    EXPECT_FALSE(form->Visible());
}

// ----- Installed cards, with no driver library on the machine ----------------------------------------------

class CardsWindowWithoutDriver : public SupporterTest {
protected:
    void AssignCardEvent()
    {
        Sup->OnGetCardString = TPCIEvent(Sup, [this](TObject*, int32_t) {
            ++CardCalls;
            return QStringLiteral("card");
        }, 1);
    }
    int CardCalls = 0;
};

TEST_F(CardsWindowWithoutDriver, ShownWithItsLayoutSayingNoCardFound)
{
    AssignCardEvent();
    Sup->BuildSupport();

    EXPECT_FALSE(Halvex::DriverLoaded);
    EXPECT_EQ(Halvex::GetNumCards, nullptr);
    EXPECT_EQ(CardCalls, 0);
    TPCIForm* form = Sup->PCIForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "PCIForm");
    EXPECT_EQ(form->Owner(), Main);
    EXPECT_EQ(form->Caption(), "QRT-72(S) Cards installed");
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_EQ(form->Position(), poDefaultPosOnly);
    EXPECT_EQ(form->ClientWidth(), 305);
    EXPECT_EQ(form->ClientHeight(), 122);

    EXPECT_EQ(BoxOf(form->PCIMemo), (TBox{0, 0, 305, 89}));
    EXPECT_EQ(form->PCIMemo->Name(), "PCIMemo");
    EXPECT_EQ(form->PCIMemo->Font()->Name(), "Tahoma");
    EXPECT_EQ(form->PCIMemo->Font()->Size(), 10);
    EXPECT_EQ(form->PCIMemo->Font()->Style(), TFontStyles(fsBold));
    EXPECT_TRUE(form->PCIMemo->ReadOnly());
    EXPECT_EQ(form->PCIMemo->ScrollBars(), ssVertical);
    EXPECT_EQ(form->PCIMemo->Anchors(), AnchorsAll());
    EXPECT_EQ(form->PCIMemo->Text(), "No Card Found");

    EXPECT_EQ(BoxOf(form->CloseButton), (TBox{115, 97, 73, 25}));
    EXPECT_EQ(form->CloseButton->Caption(), "Close");
    EXPECT_TRUE(form->CloseButton->Cancel());
    EXPECT_EQ(form->CloseButton->TabOrder(), 0);
    EXPECT_EQ(form->CloseButton->Anchors(), TAnchors(akBottom));

    EXPECT_EQ(Sup->HeaderLabel()->Caption(), "No QRT-72(S) Series Card Found");
}

TEST_F(CardsWindowWithoutDriver, NoSeriesHeader)
{
    AssignCardEvent();
    Sup->SetbSeries(false);
    Sup->BuildSupport();
    EXPECT_EQ(Sup->HeaderLabel()->Caption(), "No QRT-72(S) Found");
    EXPECT_EQ(Sup->PCIForm()->PCIMemo->Text(), "No Card Found");
}

TEST_F(CardsWindowWithoutDriver, FileMenuEntryComesFirstAndBringsTheWindowBack)
{
    AssignCardEvent();
    Sup->BuildSupport();

    ASSERT_EQ(File->Count(), 2);
    TMenuItem* entry = File->Items(0);
    EXPECT_EQ(entry->Name(), "DisplayPCI");
    EXPECT_EQ(entry->Caption(), "Display QRT-72(S) Cards Installed");
    EXPECT_EQ(entry->Owner(), File);
    EXPECT_EQ(File->Items(1)->Caption(), "&Exit");

    TPCIForm* form = Sup->PCIForm();
    form->CloseButton->Click();
    EXPECT_FALSE(form->Visible());
    entry->Click();
    EXPECT_TRUE(form->Visible());
    form->Perform(CM_DIALOGKEY, VK_ESCAPE, 0);
    EXPECT_FALSE(form->Visible());
}

TEST_F(CardsWindowWithoutDriver, OtherNameInEveryCaption)
{
    AssignCardEvent();
    Sup->SetUseCardNameB(true);
    Sup->BuildSupport();
    EXPECT_EQ(Sup->PCIForm()->Caption(), "MXR72S/BT-K Cards installed");
    EXPECT_EQ(File->Items(0)->Caption(), "Display MXR72S/BT-K Cards Installed");
    EXPECT_EQ(Sup->HeaderLabel()->Caption(), "No MXR72S/BT-K Series Card Found");
    EXPECT_TRUE(Sup->HelpForm()->HelpRich->Document().toPlainText().contains(
        QStringLiteral("To see a list of MXR72S/BT-K cards installed, click \"Display MXR72S/BT-K Cards "
                       "Installed\" under the File menu.")));
}

struct FileCaptionCase {
    const char* Name = "";
    QString Caption;
    bool WithMenu = true;
    friend void PrintTo(const FileCaptionCase& c, std::ostream* out) { *out << c.Name; }
};

class CardsWindowFileMenu : public CardsWindowWithoutDriver, public testing::WithParamInterface<FileCaptionCase> {};

TEST_P(CardsWindowFileMenu, OnlyTheExactFileCaptionGetsTheEntry)
{
    const FileCaptionCase& c = GetParam();
    File->SetCaption(c.Caption);
    if (!c.WithMenu)
        Main->SetMenu(nullptr);
    AssignCardEvent();

    Sup->BuildSupport();
    Main->SetMenu(Menu);

    EXPECT_EQ(MenuEntry(QStringLiteral("DisplayPCI")), nullptr);
    EXPECT_EQ(File->Count(), 1);
    ASSERT_NE(Sup->PCIForm(), nullptr);
    EXPECT_TRUE(Sup->PCIForm()->Visible());
}

INSTANTIATE_TEST_SUITE_P(, CardsWindowFileMenu,
                         testing::Values(FileCaptionCase{"NoAmpersand", "File"},
                                         FileCaptionCase{"LowerCase", "&file"},
                                         FileCaptionCase{"UpperCase", "&FILE"},
                                         FileCaptionCase{"OtherAccelerator", "F&ile"},
                                         FileCaptionCase{"NoMainMenu", "&File", false}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
