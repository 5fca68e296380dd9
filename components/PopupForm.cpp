#include "components/PopupForm.h"

#include "components/BoardHighlight.h"
#include "components/BoardImage.h"

TPopupForm::TPopupForm(TComponent* owner) : TForm(owner) {}

TPopupForm* TPopupForm::Build(TBoardHighlight* circle)
{
    auto* popup = new TPopupForm(circle);
    circle->FPopup = popup;
    popup->FCircle = circle;
    popup->SetAutoScroll(false);
    popup->SetBorderStyle(bsSizeToolWin);
    popup->SetFormStyle(fsStayOnTop);
    circle->FPinned = false;

    TRadioPanel* panel = circle->RadioPanel();
    int memoHeight = 58;
    TPoint panelPosition;
    if (panel) {
        memoHeight = panel->MemoHeight();
        popup->OnActivate = panel->OnActivate;
        popup->OnDeactivate = panel->OnDeactivate;
        panelPosition = TPoint{panel->Left(), panel->Top()};
        panel->SetBounds(0, 0, panel->Width(), panel->Height());
        panel->SetVisible(true);
        popup->SetClientWidth(panel->Width());
        popup->SetClientHeight(panel->Height() + 32 + memoHeight + 19);
        panel->SetParent(popup);
        panel->SetAnchors(panel->FinalAnchors());
        panel->SetInPopup(true);
    } else {
        popup->SetWidth(194);
        popup->SetHeight(memoHeight + 64 + 19);
    }
    popup->SetCaption(circle->PopupCaption());
    popup->SetWidth(std::max(194, popup->Width()));
    popup->SetHeight(std::max(122, popup->Height()));
    popup->Constraints()->SetMinWidth(popup->Width());
    popup->Constraints()->SetMinHeight(popup->Height());
    popup->SetTag(static_cast<int>(circle->HighlightType()));
    popup->SetPosition(poDesigned);

    // Placed by the panel's designed offset from the board image, moved as far as the image has moved
    // since (by centring itself); without a panel, 38 pixels below the image.
    TWinControl* board = circle->Parent();
    int dx = 0;
    int dy = 0;
    if (board && qstrcmp(board->metaObject()->className(), "TBoardImage") == 0) {
        auto* image = static_cast<TBoardImage*>(board);
        dx = image->DesignedLeft() - panelPosition.X;
        dy = image->DesignedTop() - panelPosition.Y;
    }
    if (!panel) {
        dx = 0;
        dy = board ? -board->Height() - 38 : 0;
    }
    const int boardLeft = board ? board->Left() : 0;
    const int boardTop = board ? board->Top() : 0;
    popup->SetBounds(boardLeft - dx, boardTop - dy, popup->Width(), popup->Height());
    popup->OnClose = TCloseEvent(circle, &TBoardHighlight::PopupClosed);

    const int clientWidth = popup->ClientWidth();
    const int clientHeight = popup->ClientHeight();
    auto* status = new TStatusBar(popup);
    status->SetName(QStringLiteral("PopupStatus"));
    status->SetAlign(alNone);
    status->AddPanel().Bevel = pbNone;
    status->SetParent(popup);
    status->SetBounds(0, clientHeight - 19, clientWidth, 19);
    status->SetAnchors(TAnchors(akLeft) | akRight | akBottom);
    popup->PopupStatus = status;

    auto makeButton = [&](const QString& name, const QString& caption, int left, TAnchors anchors,
                          void (TBoardHighlight::*click)(TObject*)) {
        auto* button = new TButton(popup);
        button->SetName(name);
        button->SetCaption(caption);
        button->SetParent(popup);
        button->SetBounds(left, clientHeight - 44, 58, 25);
        button->SetAnchors(anchors);
        button->OnClick = TNotifyEvent(circle, click);
        return button;
    };
    makeButton(QStringLiteral("PreviousButton"), QStringLiteral("Previous"), 6, TAnchors(akLeft) | akBottom,
               &TBoardHighlight::PreviousClick);
    makeButton(QStringLiteral("NextButton"), QStringLiteral("Next"), Div(clientWidth - 58, 2), TAnchors(akBottom),
               &TBoardHighlight::NextClick);
    TButton* done = makeButton(QStringLiteral("DoneButton"), QStringLiteral("Done"), clientWidth - 64,
                               TAnchors(akRight) | akBottom, &TBoardHighlight::DoneClick);

    auto* memo = new TMemo(popup);
    memo->SetName(QStringLiteral("StatusMemo"));
    memo->SetParent(popup);
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssVertical);
    memo->SetBounds(6, done->Top() - 6 - memoHeight, clientWidth - 12, memoHeight);
    memo->SetAnchors(AnchorsAll());
    if (panel)
        memo->Lines()->Assign(panel->Lines());

    // Kept on the screen; a window larger than the screen keeps a negative left or top.
    int left = popup->Left();
    int top = popup->Top();
    if (left < 0)
        left = 0;
    else if (left + popup->Width() > Screen->Width())
        left = Screen->Width() - popup->Width();
    if (top < 0)
        top = 0;
    else if (top + popup->Height() > Screen->Height())
        top = Screen->Height() - popup->Height();
    popup->SetBounds(left, top, popup->Width(), popup->Height());

    popup->Show();
    if (panel)
        popup->FocusControl(panel);
    else
        popup->FocusControl(done);
    return popup;
}

bool TPopupForm::PointerInside() const
{
    const TPoint pointer = Mouse->CursorPos();
    return pointer.X >= Left() && pointer.X < Left() + Width() && pointer.Y >= Top() && pointer.Y < Top() + Height();
}

void TPopupForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_ACTIVATE:
        if (FCircle)
            FCircle->SetActiveLook(message.WParam != WA_INACTIVE);
        message.Result = 0;
        return;
    case CM_MOUSELEAVE:
        if (!PointerInside() && FCloseOnLeave) {
            Close();
            return;
        }
        TForm::Dispatch(message);
        return;
    default:
        TForm::Dispatch(message);
    }
}
