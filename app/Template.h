#pragma once

#include "platform/Forms.h"
#include "platform/Menus.h"

#include "components/BoardImage.h"
#include "components/SetupSupporter.h"

// The main window: the board photograph with its circles, the option panels their popups show, the menu
// and the setup supporter, all from the window's description.
class TMainForm : public TForm {
    Q_OBJECT
    Q_PROPERTY(TMainMenu* MainMenu1 MEMBER MainMenu1)
    Q_PROPERTY(TMenuItem* File1 MEMBER File1)
    Q_PROPERTY(TMenuItem* Help1 MEMBER Help1)
    Q_PROPERTY(TMenuItem* Howtousethisprogram1 MEMBER Howtousethisprogram1)
    Q_PROPERTY(TMenuItem* Exit2 MEMBER Exit2)
    Q_PROPERTY(TMenuItem* TechnicalSupport1 MEMBER TechnicalSupport1)
    Q_PROPERTY(TBoardImage* BoardImage1 MEMBER BoardImage1)
    Q_PROPERTY(TRadioPanel* BufferPanel MEMBER BufferPanel)
    Q_PROPERTY(TRadioPanel* BasePanel MEMBER BasePanel)
    Q_PROPERTY(TRadioPanel* IRQPanel MEMBER IRQPanel)
    Q_PROPERTY(TBoardHighlight* BaseHighlight MEMBER BaseHighlight)
    Q_PROPERTY(TBoardHighlight* IEnableHighlight1 MEMBER IEnableHighlight1)
    Q_PROPERTY(TBoardHighlight* IEnableHighlight0 MEMBER IEnableHighlight0)
    Q_PROPERTY(TBoardHighlight* BufferHighlight MEMBER BufferHighlight)
    Q_PROPERTY(TBoardHighlight* IRQHighlight3 MEMBER IRQHighlight3)
    Q_PROPERTY(TBoardHighlight* IRQHighlight2 MEMBER IRQHighlight2)
    Q_PROPERTY(TBoardHighlight* IRQHighlight1 MEMBER IRQHighlight1)
    Q_PROPERTY(TRadioPanel* IEnablePanel MEMBER IEnablePanel)
    Q_PROPERTY(TSetupSupporter* SetSup MEMBER SetSup)

public:
    explicit TMainForm(TComponent* owner);

    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* Howtousethisprogram1 = nullptr;
    TMenuItem* Exit2 = nullptr;
    TMenuItem* TechnicalSupport1 = nullptr;
    TBoardImage* BoardImage1 = nullptr;
    TRadioPanel* BufferPanel = nullptr;
    TRadioPanel* BasePanel = nullptr;
    TRadioPanel* IRQPanel = nullptr;
    TBoardHighlight* BaseHighlight = nullptr;
    TBoardHighlight* IEnableHighlight1 = nullptr;
    TBoardHighlight* IEnableHighlight0 = nullptr;
    TBoardHighlight* BufferHighlight = nullptr;
    TBoardHighlight* IRQHighlight3 = nullptr;
    TBoardHighlight* IRQHighlight2 = nullptr;
    TBoardHighlight* IRQHighlight1 = nullptr;
    TRadioPanel* IEnablePanel = nullptr;
    TSetupSupporter* SetSup = nullptr;

    Q_INVOKABLE void Exit2Click(TObject* Sender);
    // The supporter builds its header line and windows at the first idle moment.
    Q_INVOKABLE void FormCreate(TObject* Sender);
    Q_INVOKABLE void Howtousethisprogram1Click(TObject* Sender);
    Q_INVOKABLE void TechnicalSupport1Click(TObject* Sender);
};

extern TMainForm* MainForm;
