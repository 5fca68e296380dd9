#include "app/Template.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {}

void TMainForm::Exit2Click(TObject*)
{
    Close();
}

void TMainForm::FormCreate(TObject*)
{
    if (SetSup)
        Application->OnIdle = TIdleEvent(SetSup, &TSetupSupporter::ApplicationIdle);
}

// A Help command that comes before the first idle moment builds the windows first, so it is never lost.
void TMainForm::Howtousethisprogram1Click(TObject*)
{
    if (!SetSup)
        return;
    SetSup->BuildSupport();
    if (TForm* help = SetSup->HelpForm())
        help->SetVisible(true);
}

void TMainForm::TechnicalSupport1Click(TObject*)
{
    if (!SetSup)
        return;
    SetSup->BuildSupport();
    if (TForm* tech = SetSup->TechForm())
        tech->SetVisible(true);
}

REGISTER_COMPONENT_CLASS(TMainForm);
