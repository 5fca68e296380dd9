// Starts exactly as the program does and then closes its main window by itself, so that a test can watch
// the program end. Arguments: how the window is closed, "close" (the window's Close), "exit" (File > Exit)
// or "closebox" (the title bar's close button, through the window system); after how many milliseconds
// of running; and optionally "support", to open both support windows from the Help menu first. It prints
// how many windows there were, and how many of them were shown, when it closed the main window, and how
// many are left after the message loop.

#include "app/Template.h"

#include "platform/Forms.h"

#include <QApplication>
#include <QByteArray>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {
void CloseMainWindow(const QByteArray& how)
{
    int shown = 0;
    for (int i = 0; i < Screen->FormCount(); ++i)
        shown += Screen->Forms(i)->Visible() ? 1 : 0;
    std::printf("windows at close: %d, shown: %d\n", Screen->FormCount(), shown);
    std::fflush(stdout);
    if (how == "exit") {
        MainForm->Exit2->Click();
    } else if (how == "closebox") {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowTitle() == MainForm->Caption())
                window->close();
    } else {
        MainForm->Close();
    }
}
} // namespace

int main(int argc, char** argv)
{
    const QByteArray how = argc > 1 ? QByteArray(argv[1]) : QByteArray("close");
    const int delay = argc > 2 ? std::atoi(argv[2]) : 0;
    const bool openSupport = argc > 3 && QByteArray(argv[3]) == "support";

    Application->Initialize();
    Application->CreateForm(MainForm);
    QTimer::singleShot(delay, [how, openSupport] {
        if (openSupport) {
            MainForm->Howtousethisprogram1->Click();
            MainForm->TechnicalSupport1->Click();
        }
        CloseMainWindow(how);
    });
    Application->Run();

    std::printf("windows left: %d\n", Screen->FormCount());
    return 0;
}
