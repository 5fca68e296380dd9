#include "components/PCIForm.h"

TPCIForm::TPCIForm(TComponent* owner) : TSupportForm(owner) {}

TPCIForm* TPCIForm::Create(TComponent* owner, const QString& cardName, const TNotifyEvent& closeClick)
{
    auto* form = new TPCIForm(owner);
    form->SetName(QStringLiteral("PCIForm"));
    form->SetCaption(cardName + QStringLiteral(" Cards installed"));
    form->SetPosition(poDefaultPosOnly);
    form->SetVisible(true);

    TMemo* memo = form->AddTextMemo(QStringLiteral("PCIMemo"));
    memo->Font()->SetName(QStringLiteral("Tahoma"));
    memo->Font()->SetSize(10);
    memo->Font()->SetStyle(TFontStyles(fsBold));
    form->PCIMemo = memo;

    // Centred in the window's outer width before fitting, so the button ends one pixel left of the
    // client's centre.
    TButton* close = form->AddCloseButton(Div(form->Width() - 73, 2), closeClick);
    form->CloseButton = close;

    form->FitToChildren();
    memo->SetAnchors(AnchorsAll());
    close->SetAnchors(TAnchors(akBottom));
    return form;
}
