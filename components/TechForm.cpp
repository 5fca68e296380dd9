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

    auto* memo = new TMemo(form);
    memo->SetName(QStringLiteral("TechMemo"));
    memo->SetBounds(8, 8, 305, 89);
    memo->SetReadOnly(true);
    memo->SetScrollBars(ssVertical);
    memo->SetParent(form);
    memo->SetText(text);
    form->TechMemo = memo;

    auto* close = new TButton(form);
    close->SetName(QStringLiteral("CloseButton"));
    close->SetBounds(165, 105, 73, 25);
    close->SetCancel(true);
    close->SetCaption(QStringLiteral("Close"));
    close->SetTabOrder(0);
    close->OnClick = closeClick;
    close->SetParent(form);
    form->CloseButton = close;

    form->FitToChildren();
    memo->SetAnchors(AnchorsAll());
    close->SetLeft(Div(form->ClientWidth() - close->Width(), 2));
    close->SetAnchors(TAnchors(akBottom));
    return form;
}
