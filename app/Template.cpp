#include "app/Template.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {}

void TMainForm::Exit2Click(TObject*)
{
    Close();
}

REGISTER_COMPONENT_CLASS(TMainForm);
