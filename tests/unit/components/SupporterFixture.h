#pragma once

#include "components/SetupSupporter.h"

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <ostream>
#include <vector>

// Failure messages show texts as UTF-8, with line ends and tabs escaped.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << testing::PrintToString(text.toStdString());
}

// The application's main window for the supporter's tests: a File menu with Exit and a Help menu, shown.
// The application keeps the first window it creates as its main window for good, so there is one per
// test process.
inline TForm* SupporterMainWindow()
{
    static TForm* const main = [] {
        TForm* form = nullptr;
        Application->CreateForm(form);
        form->SetName(QStringLiteral("Main"));
        auto* menu = new TMainMenu(form);
        menu->SetName(QStringLiteral("MainMenu1"));
        auto* file = new TMenuItem(form);
        file->SetName(QStringLiteral("File1"));
        file->SetCaption(QStringLiteral("&File"));
        auto* exit = new TMenuItem(form);
        exit->SetName(QStringLiteral("Exit2"));
        exit->SetCaption(QStringLiteral("&Exit"));
        file->Add(exit);
        auto* help = new TMenuItem(form);
        help->SetName(QStringLiteral("Help1"));
        help->SetCaption(QStringLiteral("&Help"));
        menu->Items()->Add(file);
        menu->Items()->Add(help);
        form->SetMenu(menu);
        form->SetClientSize(823, 602);
        form->SetColor(clWhite);
        form->Show();
        return form;
    }();
    return main;
}

// Runs the message loop (timers, idle moments) until `done` holds or the time runs out; true when it held.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

inline void RunFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A supporter on the main window, configured as the settings program's description configures it. Each
// test starts from the main window as it was and leaves it so: whatever the test or the build added to
// the main window or its File menu goes, and boxes, timers and the idle event are given back.
class SupporterTest : public testing::Test {
protected:
    void SetUp() override
    {
        Main = SupporterMainWindow();
        Menu = Main->Menu();
        File = Menu->Items()->Items(0);
        for (int i = 0; i < Main->ComponentCount(); ++i)
            FMainComponents.push_back(Main->Components(i));
        for (int i = 0; i < File->ComponentCount(); ++i)
            FFileComponents.push_back(File->Components(i));
        Sup = new TSetupSupporter(Main);
        Sup->SetName(QStringLiteral("SetSup"));
        Sup->SetCompanyName(QStringLiteral("Veltrona"));
        Sup->SetCardNameA(QStringLiteral("QRT-72(S)"));
        Sup->SetCardNameB(QStringLiteral("MXR72S/BT-K"));
        Sup->SetCallHow(QStringLiteral("from 8 am to 5 pm Pacific Time at 555-0142"));
        Sup->SetChangeButtons(true);
    }

    void TearDown() override
    {
        SetDialogHandler({});
        THiddenWindow::SetTimersExhausted(false);
        Application->OnIdle = TIdleEvent();
        File->SetCaption(QStringLiteral("&File"));
        RemoveAddedComponents(File, FFileComponents);
        RemoveAddedComponents(Main, FMainComponents);
        QCoreApplication::processEvents();
    }

    // Answers every modal box with `answer`, recording what each showed.
    void AnswerBoxes(int answer)
    {
        SetDialogHandler([this, answer](const TDialogRequest& request) {
            Boxes.push_back(request);
            return answer;
        });
    }

    TMenuItem* MenuEntry(const QString& name) const
    {
        for (int i = 0; i < Menu->Items()->Count(); ++i) {
            TMenuItem* item = Menu->Items()->Items(i);
            for (int j = 0; j < item->Count(); ++j)
                if (item->Items(j)->Name() == name)
                    return item->Items(j);
        }
        return nullptr;
    }

    TForm* Main = nullptr;
    TMainMenu* Menu = nullptr;
    TMenuItem* File = nullptr;
    TSetupSupporter* Sup = nullptr;
    std::vector<TDialogRequest> Boxes;

private:
    static void RemoveAddedComponents(TComponent* owner, const std::vector<TComponent*>& kept)
    {
        for (int i = owner->ComponentCount() - 1; i >= 0; --i) {
            TComponent* component = owner->Components(i);
            if (std::find(kept.begin(), kept.end(), component) == kept.end())
                delete component;
        }
    }

    std::vector<TComponent*> FMainComponents;
    std::vector<TComponent*> FFileComponents;
};

// The control's box as (left, top, width, height), for readable comparisons.
struct TBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TBox&, const TBox&) = default;
    friend void PrintTo(const TBox& box, std::ostream* out)
    {
        *out << "(" << box.Left << ", " << box.Top << ", " << box.Width << " x " << box.Height << ")";
    }
};

inline TBox BoxOf(const TControl* control)
{
    return TBox{control->Left(), control->Top(), control->Width(), control->Height()};
}
