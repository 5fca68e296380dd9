#pragma once

#include "app/Template.h"
#include "components/PopupForm.h"

#include "../components/WidgetPainting.h"

#include <QCoreApplication>

#include <memory>

// The main window read from the program's own, compiled-in description; created, not yet shown.
class MainWindowFixture {
public:
    MainWindowFixture() : Main(std::make_unique<TMainForm>(nullptr))
    {
        EXPECT_TRUE(Main->ReadDescription());
    }

    ~MainWindowFixture()
    {
        Main.reset();
        Flush();
    }

    static void Flush()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    // Shows the window and lets it paint, as the program does before the user's first move.
    void Show()
    {
        Main->Show();
        Flush();
        Main->BoardImage1->Repaint();
        Flush();
    }

    static void PointerAway() { Mouse->SetCursorPos(TPoint{1020, 764}); }

    // What the user does: the combo box's change event follows a pick from its list.
    static void Pick(TComboBox* box, int index)
    {
        box->SetItemIndex(index);
        if (box->OnChange)
            box->OnChange(box);
    }

    // A user's typing into the edit, which fires its change event with every change.
    void Type(const QString& text) { Main->BaseEdit->SetText(text); }

    std::unique_ptr<TMainForm> Main;
};
