#include "components/PCIForm.h"

TPCIForm::TPCIForm(TComponent* owner) : TSupportForm(owner) {}

TPCIForm* TPCIForm::Create(TComponent* owner, const QString& cardName, const TNotifyEvent& closeClick)
{
    auto* form = new TPCIForm(owner);
    form->SetName(QStringLiteral("PCIForm"));
    form->SetCaption(cardName + QStringLiteral(" Cards installed"));
    form->SetPosition(poDefaultPosOnly);
    form->SetVisible(true);

    auto* memo = new TMemo(form);
    memo->SetName(QStringLiteral("PCIMemo"));
    memo->SetBounds(8, 8, 305, 89);
    memo->Font()->SetName(QStringLiteral("Tahoma"));
    memo->Font()->SetSize(10);
    memo->Font()->SetStyle(TFontStyles(fsBold));
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssVertical);
    memo->SetParent(form);
    form->PCIMemo = memo;

    // Centred in the window's outer width before fitting, so the button ends one pixel left of the
    // client's centre.
    auto* close = new TButton(form);
    close->SetName(QStringLiteral("CloseButton"));
    close->SetBounds(Div(form->Width() - 73, 2), 105, 73, 25);
    close->SetCancel(true);
    close->SetCaption(QStringLiteral("Close"));
    close->SetTabOrder(0);
    close->OnClick = closeClick;
    close->SetParent(form);
    form->CloseButton = close;

    form->FitToChildren();
    memo->SetAnchors(AnchorsAll());
    close->SetAnchors(TAnchors(akBottom));
    return form;
}
