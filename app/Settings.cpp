// The settings program: it shows the board's photograph with a highlight circle over every jumper and
// switch to set, and explains each setting in a popup.

#include "app/Template.h"

#include "platform/Forms.h"

int main()
{
    Application->Initialize();
    Application->CreateForm(MainForm);
    Application->Run();
    return 0;
}
