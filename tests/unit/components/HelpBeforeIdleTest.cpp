#include "SupporterFixture.h"

#include "app/Template.h"

// A Help command that arrives before the application's first idle moment, when the supporter has built
// nothing yet: the command builds the windows first, and the first idle then builds nothing again.

namespace {

int ComponentsNamed(const TComponent* owner, const QString& name)
{
    int count = 0;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        count += owner->Components(i)->Name() == name ? 1 : 0;
    return count;
}

TEST(HelpBeforeFirstIdle, CommandsBuildFirstAndTheIdleBuildsNothingAgain)
{
    Application->CreateForm(MainForm);
    TSetupSupporter* sup = MainForm->SetSup;
    ASSERT_NE(sup, nullptr);
    MainForm->Show();
    ASSERT_FALSE(sup->Built());

    MainForm->TechnicalSupport1->Click();
    ASSERT_TRUE(sup->Built());
    EXPECT_TRUE(sup->TechForm()->Visible());
    MainForm->Howtousethisprogram1->Click();
    TForm* help = sup->HelpForm();
    EXPECT_TRUE(help->Visible());

    ASSERT_TRUE(RunUntil([] { return !Application->OnIdle; }));
    EXPECT_EQ(sup->HelpForm(), help);
    EXPECT_EQ(ComponentsNamed(MainForm, "HeaderLabel"), 1);
    EXPECT_EQ(ComponentsNamed(MainForm, "HelpForm"), 1);
    EXPECT_EQ(ComponentsNamed(MainForm, "TechForm"), 1);
    // The pending help window is shown by the first tick, which then stops the timer.
    ASSERT_TRUE(RunUntil([&] { return !sup->TimerRunning(); }));
    EXPECT_TRUE(help->Visible());
    EXPECT_FALSE(sup->HelpPending());
}

} // namespace
