#pragma once

#include "components/BoardHighlight.h"
#include "components/BoardImage.h"
#include "components/PopupForm.h"
#include "components/RadioPanel.h"

#include "platform/Forms.h"
#include "platform/Menus.h"

#include <QCoreApplication>

#include <memory>

// A main window as the program has one: a menu with File and Help, a board image with a plain
// photograph, and the circles and option panels a test adds.
class BoardFixture {
public:
    BoardFixture()
    {
        Main = std::make_unique<TForm>(nullptr);
        Main->SetName(QStringLiteral("Main"));
        Menu = new TMainMenu(Main.get());
        Menu->SetName(QStringLiteral("MainMenu1"));
        for (const char* caption : {"&File", "&Help"}) {
            auto* item = new TMenuItem(Main.get());
            item->SetCaption(QString::fromLatin1(caption));
            Menu->Items()->Add(item);
        }
        Main->SetMenu(Menu);
        Main->SetClientSize(823, 602);
        Image = new TBoardImage(Main.get());
        Image->SetName(QStringLiteral("BoardImage1"));
        Image->SetParent(Main.get());
        Image->SetAutoSize(false);
        Image->SetBounds(162, 122, 600, 401);
        TBitmap photo;
        photo.SetSize(600, 401);
        photo.Canvas()->Brush()->SetColor(PhotoColor);
        photo.Canvas()->FillRect(Rect(0, 0, 600, 401));
        photo.Canvas()->ReleasePainter();
        Image->Picture()->SetGraphic(&photo);
        Image->SetStretch(true);
        Image->SetMenu(Menu);
    }

    ~BoardFixture()
    {
        Main.reset();
        Flush();
    }

    TRadioPanel* AddPanel(const QString& name, int left, int top, int width, int height)
    {
        auto* panel = new TRadioPanel(Main.get());
        panel->SetName(name);
        panel->SetParent(Main.get());
        panel->SetBounds(left, top, width, height);
        panel->Lines()->Add(name + QStringLiteral(" explains its option."));
        return panel;
    }

    TBoardHighlight* AddCircle(const QString& name, const QString& title, TRadioPanel* panel, int left = 10,
                               int top = 10, int width = 30, int height = 20, THighlightType type = htSettings)
    {
        auto* circle = new TBoardHighlight(Main.get());
        circle->SetName(name);
        circle->SetParent(Image);
        circle->SetBounds(left, top, width, height);
        circle->SetHighlightType(type);
        circle->SetTitle(title);
        circle->SetRadioPanel(panel);
        return circle;
    }

    // Shows the window and lets it paint, so that every circle has its looks and its menu entry.
    void Show()
    {
        Main->Show();
        Flush();
        Image->Repaint();
        Flush();
    }

    static void Flush()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    // The pointer far away from every window of the test.
    static void PointerAway() { Mouse->SetCursorPos(TPoint{1020, 764}); }
    static void PointerInside(const TForm* form)
    {
        Mouse->SetCursorPos(TPoint{form->Left() + form->Width() / 2, form->Top() + form->Height() / 2});
    }

    static void Enter(TBoardHighlight* circle) { circle->Perform(CM_MOUSEENTER, 0, 0); }
    static void Leave(TBoardHighlight* circle) { circle->Perform(CM_MOUSELEAVE, 0, 0); }

    static TButton* Button(const TForm* popup, const char* name)
    {
        return qobject_cast<TButton*>(popup->FindComponent(QString::fromLatin1(name)));
    }

    QStringList MenuBarCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < Menu->Items()->Count(); ++i)
            captions.append(Menu->Items()->Items(i)->Caption());
        return captions;
    }

    TMenuItem* TypeMenu(const QString& caption) const
    {
        for (int i = 0; i < Menu->Items()->Count(); ++i)
            if (Menu->Items()->Items(i)->Caption() == caption)
                return Menu->Items()->Items(i);
        return nullptr;
    }

    static int FormsCaptioned(const QString& caption)
    {
        int count = 0;
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->Caption() == caption)
                ++count;
        return count;
    }

    static constexpr TColor PhotoColor = 0x205020;
    std::unique_ptr<TForm> Main;
    TMainMenu* Menu = nullptr;
    TBoardImage* Image = nullptr;
};
