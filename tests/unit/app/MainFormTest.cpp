// The main window as its compiled-in description makes it, and the program's end when it closes.

#include "app/Template.h"

#include "platform/Jpeg.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

void PrintTo(const QString& text, std::ostream* out) { *out << testing::PrintToString(text.toStdString()); }

namespace {

void Flush()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class MainFormTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Form->ReadDescription()) << "no description compiled in for TMainForm"; }
    void TearDown() override
    {
        Form.reset();
        Flush();
    }

    std::unique_ptr<TMainForm> Form = std::make_unique<TMainForm>(nullptr);
};

TEST_F(MainFormTest, HasTheWindowsStoredAttributes)
{
    EXPECT_EQ(Form->Name(), "MainForm");
    EXPECT_EQ(Form->Caption(), "Setup");
    EXPECT_EQ(Form->ClientWidth(), 823);
    EXPECT_EQ(Form->ClientHeight(), 602);
    EXPECT_EQ(Form->BorderStyle(), bsSingle);
    EXPECT_EQ(Form->Position(), poScreenCenter);
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    EXPECT_EQ(Form->Align(), alClient);
    EXPECT_EQ(Form->Color(), 0xFFFFFF);
    EXPECT_FALSE(Form->OldCreateOrder());
    EXPECT_EQ(Form->PixelsPerInch(), 96);
    EXPECT_EQ(Form->TextHeight(), 13);
    EXPECT_FALSE(Form->Visible()) << "the window shows when the message loop starts, not while it loads";

    const TFont* font = Form->Font();
    EXPECT_EQ(font->Name(), "MS Sans Serif");
    EXPECT_EQ(font->Height(), -11);
    EXPECT_EQ(font->Color(), clWindowText);
    EXPECT_EQ(font->Charset(), 1);
    EXPECT_EQ(font->Style(), TFontStyles());
}

TEST_F(MainFormTest, EveryComponentIsOwnedByTheWindowAndDoneLoading)
{
    ASSERT_GT(Form->ComponentCount(), 0);
    EXPECT_FALSE(Form->IsLoading());
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        const TComponent* component = Form->Components(i);
        EXPECT_EQ(component->Owner(), Form.get()) << component->Name().toStdString();
        EXPECT_FALSE(component->IsLoading()) << component->Name().toStdString();
    }
}

struct MenuEntry {
    TMenuItem* TMainForm::*Field;
    QString Caption;
    std::vector<TMenuItem* TMainForm::*> Items;
};

TEST_F(MainFormTest, TheMenuBarHasFileAndHelpWithTheirItems)
{
    ASSERT_NE(Form->MainMenu1, nullptr);
    EXPECT_EQ(Form->Menu(), Form->MainMenu1);
    const std::vector<MenuEntry> bar{
        {&TMainForm::File1, "&File", {&TMainForm::Exit2}},
        {&TMainForm::Help1, "&Help", {&TMainForm::Howtousethisprogram1, &TMainForm::TechnicalSupport1}},
    };
    const TMenuItem* root = Form->MainMenu1->Items();
    ASSERT_EQ(root->Count(), static_cast<int>(bar.size()));
    for (size_t i = 0; i < bar.size(); ++i) {
        TMenuItem* menu = root->Items(static_cast<int>(i));
        EXPECT_EQ(menu, Form.get()->*bar[i].Field);
        EXPECT_EQ(menu->Caption(), bar[i].Caption);
        ASSERT_EQ(menu->Count(), static_cast<int>(bar[i].Items.size())) << bar[i].Caption.toStdString();
        for (size_t j = 0; j < bar[i].Items.size(); ++j)
            EXPECT_EQ(menu->Items(static_cast<int>(j)), Form.get()->*bar[i].Items[j]);
    }
    EXPECT_EQ(Form->Exit2->Caption(), "&Exit");
    EXPECT_EQ(Form->Howtousethisprogram1->Caption(), "H&ow to use this program");
    EXPECT_EQ(Form->TechnicalSupport1->Caption(), "&Technical Support");
}

TEST_F(MainFormTest, TheMenuItemsAndCreationAreBoundToTheWindowsHandlers)
{
    for (TMenuItem* item : {Form->Exit2, Form->Howtousethisprogram1, Form->TechnicalSupport1}) {
        ASSERT_TRUE(item->OnClick) << item->Name().toStdString();
        EXPECT_EQ(item->OnClick.Data(), Form.get());
    }
    EXPECT_FALSE(Form->File1->OnClick);
    EXPECT_FALSE(Form->Help1->OnClick);
    ASSERT_TRUE(Form->OnCreate);
    EXPECT_EQ(Form->OnCreate.Data(), Form.get());
}

TEST_F(MainFormTest, TheBoardImageHoldsThePhotographAtItsDesignedPlace)
{
    TBoardImage* board = Form->BoardImage1;
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->ClassName(), "TBoardImage");
    EXPECT_EQ(board->Parent(), Form.get());
    EXPECT_EQ(board->Owner(), Form.get());
    EXPECT_EQ(board->BoundsRect(), Bounds(162, 122, 600, 401));
    EXPECT_TRUE(board->Stretch());
    EXPECT_FALSE(board->AutoSize());
    EXPECT_EQ(board->Menu(), Form->MainMenu1);
    ASSERT_NE(board->Picture()->Graphic(), nullptr);
    EXPECT_EQ(board->Picture()->Graphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(board->Picture()->Width(), 600);
    EXPECT_EQ(board->Picture()->Height(), 401);
    EXPECT_DOUBLE_EQ(board->AspectRatio(), 401.0 / 600.0);
    EXPECT_EQ(board->DestRect(), Rect(0, 0, 600, 401)) << "the picture fills the control at its own size";
    EXPECT_TRUE(board->ControlStyle() & csOpaque);
    EXPECT_FALSE(board->PositionRecorded());
}

TEST_F(MainFormTest, TheFirstPaintRecordsTheDesignedPlaceAndCentresTheImageOnTheOuterWindow)
{
    Form->SetVisible(true);
    Flush();
    TBoardImage* board = Form->BoardImage1;
    ASSERT_TRUE(board->PositionRecorded());
    EXPECT_EQ(board->DesignedLeft(), 162);
    EXPECT_EQ(board->DesignedTop(), 122);
    EXPECT_EQ(board->Left(), Div(Form->Width() - 600, 2));
    EXPECT_EQ(board->Top(), Div(Form->Height() - 401, 2));
}

TEST_F(MainFormTest, ExitClosesTheWindow)
{
    Form->SetVisible(true);
    Flush();
    Form->Exit2->Click();
    Flush();
    // Not the application's main window here, so closing it hides it.
    EXPECT_FALSE(Form->Visible());
}

// ----- The program's end -----------------------------------------------------------------------------------

struct RunResult {
    bool Finished = false;
    QProcess::ExitStatus Status = QProcess::CrashExit;
    int Code = -1;
    QString Output;
    QString Errors;
};

RunResult RunProgram(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForStarted(10000))
        return result;
    result.Finished = process.waitForFinished(timeoutMs);
    if (!result.Finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.Status = process.exitStatus();
    result.Code = process.exitCode();
    result.Output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.Errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

struct CloseCase {
    const char* Name;
    const char* How;
    int AfterMs;
    bool OpenSupportWindows;
};

void PrintTo(const CloseCase& close, std::ostream* out) { *out << close.Name; }

class ProgramEndTest : public testing::TestWithParam<CloseCase> {};

// The program as it starts, with its main window closed by itself once the loop runs: at once, or after
// the first idle moment has built the support windows and both are open. The loop ends whatever other
// window is shown, every window is destroyed, and the process exits normally with code 0.
TEST_P(ProgramEndTest, ClosingTheMainWindowEndsTheProgramWithExitCodeZero)
{
    const CloseCase& c = GetParam();
    QStringList arguments{QString::fromLatin1(c.How), QString::number(c.AfterMs)};
    if (c.OpenSupportWindows)
        arguments << QStringLiteral("support");
    const RunResult run = RunProgram(QStringLiteral(SETTINGS_CLOSE_PROBE), arguments, 30000);
    ASSERT_TRUE(run.Finished) << "the program did not end; its errors:\n" << run.Errors.toStdString();
    EXPECT_EQ(run.Status, QProcess::NormalExit) << run.Errors.toStdString();
    EXPECT_EQ(run.Code, 0) << run.Errors.toStdString();
    const QStringList lines = run.Output.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.Output.toStdString();
    EXPECT_EQ(lines[1], "windows left: 0");
    if (c.OpenSupportWindows) {
        EXPECT_EQ(lines[0].section(u' ', -1).toInt(), 3) << "the main window and both support windows were shown";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProgramEndTest,
    testing::Values(CloseCase{"CloseAtOnce", "close", 0, false}, CloseCase{"ExitAtOnce", "exit", 0, false},
                    CloseCase{"CloseBoxAtOnce", "closebox", 0, false},
                    CloseCase{"CloseAmongSupportWindows", "close", 500, true},
                    CloseCase{"ExitAmongSupportWindows", "exit", 500, true},
                    CloseCase{"CloseBoxAmongSupportWindows", "closebox", 500, true}),
    [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.Name); });

// The real program loads its description and keeps running until its window is closed.
TEST(Program, StartsAndRunsUntilItsWindowCloses)
{
    const RunResult run = RunProgram(QStringLiteral(SETTINGS_PROGRAM), {}, 1500);
    EXPECT_FALSE(run.Finished) << "ended by itself with code " << run.Code << "; its errors:\n"
                               << run.Errors.toStdString();
}

} // namespace
