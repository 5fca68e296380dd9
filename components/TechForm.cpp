#include "components/TechForm.h"

QString SupportText(const QString& companyName, const QString& callHow)
{
    return QStringLiteral("There are several ways to get technical support. First and fastest is to skim the "
                          "relevant sections of the manual. However, some questions require personal assistance, "
                          "and ")
           + companyName + QStringLiteral(" stands ready to provide that help. You can call us ") + callHow
           + QStringLiteral(" for any of your product questions.")
           + QStringLiteral("\r\n\r\nIn order to provide the best and fastest support possible, we ask that you be "
                            "at your computer when you call, and have the ")
           + companyName + QStringLiteral(" product manual and Kelvoria CD at hand.");
}

TTechForm::TTechForm(TComponent* owner) : TSupportForm(owner) {}

TTechForm* TTechForm::Create(TComponent* owner, const QString& text, const TNotifyEvent& closeClick)
{
    auto* form = new TTechForm(owner);
    form->SetName(QStringLiteral("TechForm"));
    form->SetCaption(QStringLiteral("Technical Support"));
    form->SetPosition(poDefaultPosOnly);

    TMemo* memo = form->AddTextMemo(QStringLiteral("TechMemo"));
    memo->SetText(text);
    form->TechMemo = memo;

    TButton* close = form->AddCloseButton(165, closeClick);
    form->CloseButton = close;

    form->FitToChildren();
    memo->SetAnchors(AnchorsAll());
    close->SetLeft(Div(form->ClientWidth() - close->Width(), 2));
    close->SetAnchors(TAnchors(akBottom));
    return form;
}
