#include "SupporterFixture.h"

#include "app/Template.h"
#include "driver/HalvexTestSupport.h"

#include <QTextBlock>
#include <QTextDocument>

// The settings program's own main window from its description, with a complete driver library on the
// search path: the program assigns no card-string event, so it must never load that library.

namespace {

TSetupSupporter* StartedSupporter()
{
    if (!MainForm) {
        Application->CreateForm(MainForm);
        MainForm->Show();
        RunUntil([] { return !Application->OnIdle; });
    }
    return MainForm->SetSup;
}

TEST(ShippedSupport, DescriptionHooksTheSupporterWhichBuildsAtTheFirstIdleWithoutTheDriver)
{
    ASSERT_EQ(MainForm, nullptr) << "this test sees the start of the program";
    Application->CreateForm(MainForm);
    TSetupSupporter* sup = MainForm->SetSup;
    ASSERT_NE(sup, nullptr);
    EXPECT_EQ(sup->CompanyName(), "Veltrona");
    EXPECT_EQ(sup->CardNameA(), "QRT-72(S)");
    EXPECT_EQ(sup->CardNameB(), "MXR72S/BT-K");
    EXPECT_TRUE(sup->CallHow().startsWith("from 8 am to 5 pm Pacific Time at 555-01"));
    EXPECT_TRUE(sup->ChangeButtons());
    EXPECT_FALSE(sup->UseCardNameB());
    EXPECT_FALSE(sup->MultiPort());
    EXPECT_TRUE(sup->bSeries());
    EXPECT_EQ(sup->Channels(), 8);
    EXPECT_FALSE(sup->OnGetCardString);
    // The create handler hooked the idle event; nothing is built while the description loads.
    ASSERT_TRUE(Application->OnIdle);
    EXPECT_EQ(Application->OnIdle.Data(), sup);
    EXPECT_FALSE(sup->Built());

    MainForm->Show();
    ASSERT_TRUE(RunUntil([&] { return sup->Built(); }));

    EXPECT_FALSE(Application->OnIdle);
    EXPECT_EQ(sup->HeaderLabel()->Caption(), "QRT-72(S) Series Settings Program");
    EXPECT_EQ(sup->PCIForm(), nullptr);
    EXPECT_EQ(MainForm->File1->Count(), 1);
    EXPECT_EQ(MainForm->FindComponent(QStringLiteral("PCIForm")), nullptr);
    EXPECT_TRUE(sup->HelpForm()->HelpRich->Document().firstBlock().text()
                == "Veltrona QRT-72(S) Series Settings Program");
    ASSERT_TRUE(RunUntil([&] { return sup->HelpForm()->Visible(); }));
    EXPECT_FALSE(sup->TimerRunning());

    EXPECT_EQ(StandInsThatRan(), "");
    EXPECT_EQ(Halvex::GetNumCards, nullptr);
    EXPECT_FALSE(Halvex::DriverLoaded);
    // The library was within reach all along: a deliberate load finds it and leaves its record.
    Halvex::LoadDriverLibrary();
    EXPECT_TRUE(Halvex::DriverLoaded);
    EXPECT_NE(StandInsThatRan(), "");
}

TEST(ShippedSupport, HelpMenuMakesTheWindowsVisible)
{
    TSetupSupporter* sup = StartedSupporter();
    ASSERT_NE(sup, nullptr);
    TForm* help = sup->HelpForm();
    help->Hide();

    MainForm->Howtousethisprogram1->Click();
    MainForm->Howtousethisprogram1->Click();

    EXPECT_TRUE(help->Visible());
    int helpWindows = 0;
    for (int i = 0; i < Screen->FormCount(); ++i)
        helpWindows += Screen->Forms(i)->Caption() == "Instructions for Settings utility" ? 1 : 0;
    EXPECT_EQ(helpWindows, 1);

    EXPECT_FALSE(sup->TechForm()->Visible());
    MainForm->TechnicalSupport1->Click();
    EXPECT_TRUE(sup->TechForm()->Visible());
    sup->TechForm()->CloseButton->Click();
    EXPECT_FALSE(sup->TechForm()->Visible());
}

} // namespace
