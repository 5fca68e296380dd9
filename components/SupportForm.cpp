#include "components/SupportForm.h"

#include <algorithm>

TSupportForm::TSupportForm(TComponent* owner) : TForm(owner)
{
    SetVisible(false);
    SetBorderStyle(bsSizeable);
    SetBorderIcons(TBorderIcons(biSystemMenu) | biMinimize | biMaximize);
    SetFormStyle(fsStayOnTop);
    SetBounds(Left(), Top(), 320, 240);
}

void TSupportForm::FitToChildren()
{
    bool anyVisible = false;
    TRect box;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* control = Controls(i);
        if (!control->Visible())
            continue;
        const TRect bounds = control->BoundsRect();
        if (!anyVisible) {
            box = bounds;
            anyVisible = true;
            continue;
        }
        box.Left = std::min(box.Left, bounds.Left);
        box.Top = std::min(box.Top, bounds.Top);
        box.Right = std::max(box.Right, bounds.Right);
        box.Bottom = std::max(box.Bottom, bounds.Bottom);
    }
    if (!anyVisible)
        return;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* control = Controls(i);
        control->SetBounds(control->Left() - box.Left, control->Top() - box.Top, control->Width(), control->Height());
    }
    SetClientSize(box.Width(), box.Height());
}

TMemo* TSupportForm::AddTextMemo(const QString& name)
{
    auto* memo = new TMemo(this);
    memo->SetName(name);
    memo->SetBounds(8, 8, 305, 89);
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssVertical);
    memo->SetParent(this);
    return memo;
}

TButton* TSupportForm::AddCloseButton(int left, const TNotifyEvent& click)
{
    auto* close = new TButton(this);
    close->SetName(QStringLiteral("CloseButton"));
    close->SetBounds(left, 105, 73, 25);
    close->SetCancel(true);
    close->SetCaption(QStringLiteral("Close"));
    close->SetTabOrder(0);
    close->OnClick = click;
    close->SetParent(this);
    return close;
}
