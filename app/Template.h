#pragma once

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

#include "components/BoardImage.h"
#include "components/RadioPanel.h"
#include "components/SettingWidgets.h"
#include "components/SetupSupporter.h"

#include <QPointer>

#include <array>

// The main window: the board photograph with its circles, the option panels their popups show, the menu
// and the setup supporter, all from the window's description. Its handlers keep each choice and the
// drawing of the hardware in step.
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
    Q_PROPERTY(TThreeJumper* BufferJumper MEMBER BufferJumper)
    Q_PROPERTY(TLabel* Label13 MEMBER Label13)
    Q_PROPERTY(TLabel* Label14 MEMBER Label14)
    Q_PROPERTY(TComboBox* BufferBox MEMBER BufferBox)
    Q_PROPERTY(TRadioPanel* BasePanel MEMBER BasePanel)
    Q_PROPERTY(TBaseAddress* BaseBA MEMBER BaseBA)
    Q_PROPERTY(TEdit* BaseEdit MEMBER BaseEdit)
    Q_PROPERTY(TRadioPanel* IRQPanel MEMBER IRQPanel)
    Q_PROPERTY(TLabel* Label33 MEMBER Label33)
    Q_PROPERTY(TLabel* Label34 MEMBER Label34)
    Q_PROPERTY(TLabel* Label35 MEMBER Label35)
    Q_PROPERTY(TLabel* Label36 MEMBER Label36)
    Q_PROPERTY(TLabel* Label37 MEMBER Label37)
    Q_PROPERTY(TLabel* Label38 MEMBER Label38)
    Q_PROPERTY(TLabel* Label39 MEMBER Label39)
    Q_PROPERTY(TLabel* Label40 MEMBER Label40)
    Q_PROPERTY(TLabel* Label41 MEMBER Label41)
    Q_PROPERTY(TLabel* Label42 MEMBER Label42)
    Q_PROPERTY(TComboBox* IRQBox MEMBER IRQBox)
    Q_PROPERTY(TBoardHighlight* BaseHighlight MEMBER BaseHighlight)
    Q_PROPERTY(TBoardHighlight* IEnableHighlight1 MEMBER IEnableHighlight1)
    Q_PROPERTY(TBoardHighlight* IEnableHighlight0 MEMBER IEnableHighlight0)
    Q_PROPERTY(TBoardHighlight* BufferHighlight MEMBER BufferHighlight)
    Q_PROPERTY(TBoardHighlight* IRQHighlight3 MEMBER IRQHighlight3)
    Q_PROPERTY(TBoardHighlight* IRQHighlight2 MEMBER IRQHighlight2)
    Q_PROPERTY(TBoardHighlight* IRQHighlight1 MEMBER IRQHighlight1)
    Q_PROPERTY(TRadioPanel* IEnablePanel MEMBER IEnablePanel)
    Q_PROPERTY(TTwoJumper* IEnableJumper MEMBER IEnableJumper)
    Q_PROPERTY(TLabel* Label23 MEMBER Label23)
    Q_PROPERTY(TComboBox* IEnableBox MEMBER IEnableBox)
    Q_PROPERTY(TLabel* Label32 MEMBER Label32)
    Q_PROPERTY(TSetupSupporter* SetSup MEMBER SetSup)
    Q_PROPERTY(TLabel* BaseFeedbackLabel MEMBER BaseFeedbackLabel)

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
    TThreeJumper* BufferJumper = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label14 = nullptr;
    TComboBox* BufferBox = nullptr;
    TRadioPanel* BasePanel = nullptr;
    TBaseAddress* BaseBA = nullptr;
    TEdit* BaseEdit = nullptr;
    TRadioPanel* IRQPanel = nullptr;
    TLabel* Label33 = nullptr;
    TLabel* Label34 = nullptr;
    TLabel* Label35 = nullptr;
    TLabel* Label36 = nullptr;
    TLabel* Label37 = nullptr;
    TLabel* Label38 = nullptr;
    TLabel* Label39 = nullptr;
    TLabel* Label40 = nullptr;
    TLabel* Label41 = nullptr;
    TLabel* Label42 = nullptr;
    TComboBox* IRQBox = nullptr;
    TBoardHighlight* BaseHighlight = nullptr;
    TBoardHighlight* IEnableHighlight1 = nullptr;
    TBoardHighlight* IEnableHighlight0 = nullptr;
    TBoardHighlight* BufferHighlight = nullptr;
    TBoardHighlight* IRQHighlight3 = nullptr;
    TBoardHighlight* IRQHighlight2 = nullptr;
    TBoardHighlight* IRQHighlight1 = nullptr;
    TRadioPanel* IEnablePanel = nullptr;
    TTwoJumper* IEnableJumper = nullptr;
    TLabel* Label23 = nullptr;
    TComboBox* IEnableBox = nullptr;
    TLabel* Label32 = nullptr;
    TSetupSupporter* SetSup = nullptr;
    TLabel* BaseFeedbackLabel = nullptr;

    Q_INVOKABLE void Exit2Click(TObject* Sender);
    // The supporter builds its header line and windows at the first idle moment.
    Q_INVOKABLE void FormCreate(TObject* Sender);
    Q_INVOKABLE void Howtousethisprogram1Click(TObject* Sender);
    Q_INVOKABLE void TechnicalSupport1Click(TObject* Sender);
    // Buffer enabling: "Software Enabled" is the cap on TST (jsLeft), "Always Enabled" on BEN (jsRight).
    Q_INVOKABLE void BufferBoxChange(TObject* Sender);
    Q_INVOKABLE void BufferJumperClick(TObject* Sender);
    Q_INVOKABLE void BufferPanelEnter(TObject* Sender);
    // Interrupt enable: "Disabled" is the jumper open, "Enabled" closed.
    Q_INVOKABLE void IEnableBoxChange(TObject* Sender);
    Q_INVOKABLE void IEnableJumperClick(TObject* Sender);
    Q_INVOKABLE void IEnablePanelEnter(TObject* Sender);
    // The IRQ level: a row of eleven jumpers, jumper k for item k of IRQBox; at most one is closed.
    Q_INVOKABLE void IRQPanelEnter(TObject* Sender);
    Q_INVOKABLE void IRQJumperClick(TObject* Sender);
    Q_INVOKABLE void IRQBoxChange(TObject* Sender);
    // The base address: the switch block shows what the typed address gives, and the feedback label
    // tells when that differs from what was typed.
    Q_INVOKABLE void BaseEditChange(TObject* Sender);
};

extern TMainForm* MainForm;

// The row of IRQ jumpers the IRQ panel builds, entries 1 to 11 (entry 0 unused); empty until the panel
// is first entered. An entry goes empty by itself when its jumper is destroyed with the main window.
extern std::array<QPointer<TTwoJumper>, 12> IRQJumpers;
