#pragma once

#include "platform/Classes.h"

#include <functional>

// Modal message boxes: the application's message box, the message dialog and the standard exception
// display all go through one place, which a test can take over to read a box and answer it.

// Buttons, icon and options of a message box, combined with |, as the system numbers them.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_SETFOREGROUND = 0x10000;
constexpr unsigned MB_TOPMOST = 0x40000;

// The answers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum class TDialogIcon { None, Information, Warning, Error, Question };

struct TDialogButton {
    QString Caption;
    int Result = IDOK;
};

// What a modal box shows.
struct TDialogRequest {
    QString Caption;
    QString Text;
    TDialogIcon Icon = TDialogIcon::None;
    std::vector<TDialogButton> Buttons;
    int DefaultButton = 0;   // index into Buttons
    int EscapeButton = -1;   // index into Buttons; -1: none
    bool Topmost = false;
    bool Foreground = false;
};

// Shows a modal box and returns the chosen button's result.
int RunDialog(const TDialogRequest& request);

// Replaces the boxes with a function that answers them (tests); an empty function restores the boxes.
using TDialogHandler = std::function<int(const TDialogRequest& request)>;
void SetDialogHandler(TDialogHandler handler);

// The request a message box with these flags shows.
TDialogRequest MessageBoxRequest(const QString& text, const QString& caption, unsigned flags);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64 };
using TMsgDlgButtons = unsigned;

// A message dialog captioned by its type ("Error", "Confirm", ...); returns IDOK, IDYES, ...
int MessageDlg(const QString& message, TMsgDlgType type, TMsgDlgButtons buttons);
