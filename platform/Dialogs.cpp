#include "platform/Dialogs.h"

#include "platform/qt/Handles.h"

namespace {
TDialogHandler& Handler()
{
    static TDialogHandler handler;
    return handler;
}

Backend::DialogIcon ToBackendIcon(TDialogIcon icon)
{
    switch (icon) {
    case TDialogIcon::Information: return Backend::DialogIcon::Information;
    case TDialogIcon::Warning: return Backend::DialogIcon::Warning;
    case TDialogIcon::Error: return Backend::DialogIcon::Error;
    case TDialogIcon::Question: return Backend::DialogIcon::Question;
    default: return Backend::DialogIcon::None;
    }
}
} // namespace

int RunDialog(const TDialogRequest& request)
{
    if (Handler())
        return Handler()(request);
    QStringList captions;
    for (const TDialogButton& button : request.Buttons)
        captions.append(button.Caption);
    const int chosen = Backend::ShowMessageBox(request.Caption, request.Text, ToBackendIcon(request.Icon), captions,
                                               request.DefaultButton, request.EscapeButton);
    if (chosen >= 0 && chosen < static_cast<int>(request.Buttons.size()))
        return request.Buttons[static_cast<size_t>(chosen)].Result;
    if (request.EscapeButton >= 0)
        return request.Buttons[static_cast<size_t>(request.EscapeButton)].Result;
    return IDCANCEL;
}

void SetDialogHandler(TDialogHandler handler)
{
    Handler() = std::move(handler);
}

TDialogRequest MessageBoxRequest(const QString& text, const QString& caption, unsigned flags)
{
    TDialogRequest request;
    request.Caption = caption;
    request.Text = text;
    const TDialogButton ok{QStringLiteral("OK"), IDOK}, cancel{QStringLiteral("Cancel"), IDCANCEL},
        abort{QStringLiteral("&Abort"), IDABORT}, retry{QStringLiteral("&Retry"), IDRETRY},
        ignore{QStringLiteral("&Ignore"), IDIGNORE}, yes{QStringLiteral("&Yes"), IDYES}, no{QStringLiteral("&No"), IDNO};
    switch (flags & 0xF) {
    case MB_OKCANCEL: request.Buttons = {ok, cancel}; request.EscapeButton = 1; break;
    case MB_ABORTRETRYIGNORE: request.Buttons = {abort, retry, ignore}; break;
    case MB_YESNOCANCEL: request.Buttons = {yes, no, cancel}; request.EscapeButton = 2; break;
    case MB_YESNO: request.Buttons = {yes, no}; break;
    case MB_RETRYCANCEL: request.Buttons = {retry, cancel}; request.EscapeButton = 1; break;
    default: request.Buttons = {ok}; request.EscapeButton = 0; break;
    }
    switch (flags & 0xF0) {
    case MB_ICONHAND: request.Icon = TDialogIcon::Error; break;
    case MB_ICONQUESTION: request.Icon = TDialogIcon::Question; break;
    case MB_ICONEXCLAMATION: request.Icon = TDialogIcon::Warning; break;
    case MB_ICONASTERISK: request.Icon = TDialogIcon::Information; break;
    default: break;
    }
    const int defaultButton = static_cast<int>((flags >> 8) & 0xF);
    request.DefaultButton = defaultButton < static_cast<int>(request.Buttons.size()) ? defaultButton : 0;
    request.Topmost = (flags & MB_TOPMOST) != 0;
    request.Foreground = (flags & MB_SETFOREGROUND) != 0;
    return request;
}

int MessageDlg(const QString& message, TMsgDlgType type, TMsgDlgButtons buttons)
{
    TDialogRequest request;
    request.Text = message;
    switch (type) {
    case mtWarning: request.Caption = QStringLiteral("Warning"); request.Icon = TDialogIcon::Warning; break;
    case mtError: request.Caption = QStringLiteral("Error"); request.Icon = TDialogIcon::Error; break;
    case mtInformation: request.Caption = QStringLiteral("Information"); request.Icon = TDialogIcon::Information; break;
    case mtConfirmation: request.Caption = QStringLiteral("Confirm"); request.Icon = TDialogIcon::Question; break;
    default: break;
    }
    const std::pair<TMsgDlgBtn, TDialogButton> order[] = {
        {mbYes, {QStringLiteral("&Yes"), IDYES}},       {mbNo, {QStringLiteral("&No"), IDNO}},
        {mbOK, {QStringLiteral("OK"), IDOK}},           {mbCancel, {QStringLiteral("Cancel"), IDCANCEL}},
        {mbAbort, {QStringLiteral("&Abort"), IDABORT}}, {mbRetry, {QStringLiteral("&Retry"), IDRETRY}},
        {mbIgnore, {QStringLiteral("&Ignore"), IDIGNORE}},
    };
    for (const auto& [flag, button] : order)
        if (buttons & flag)
            request.Buttons.push_back(button);
    if (request.Buttons.empty())
        request.Buttons.push_back({QStringLiteral("OK"), IDOK});
    for (size_t i = 0; i < request.Buttons.size(); ++i)
        if (request.Buttons[i].Result == IDCANCEL || request.Buttons[i].Result == IDNO)
            request.EscapeButton = static_cast<int>(i);
    return RunDialog(request);
}
