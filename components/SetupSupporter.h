#pragma once

#include "platform/Forms.h"
#include "platform/HiddenWindow.h"
#include "platform/StdCtrls.h"

#include "components/HelpForm.h"
#include "components/PCIForm.h"
#include "components/TechForm.h"

#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

// The text line for one installed card (CardIndex from 0); empty for none.
using TPCIEvent = TMethodRef<QString(TObject* Sender, int32_t CardIndex)>;
// The result text of one calibration channel (Channel from 0). A handler clears ItsAllBad when its
// channel reads sensibly.
using TCalibEvent = TMethodRef<QString(TObject* Sender, uint8_t Channel, bool& ItsAllBad)>;
Q_DECLARE_METATYPE(TPCIEvent)
Q_DECLARE_METATYPE(TCalibEvent)

// The controls of one calibration entry. Each is looked up anew whenever it is used; a control that has
// been destroyed since is left out.
struct TCalibEntry {
    QPointer<TMemo> Results;    // line n receives the result of channel n
    QPointer<TButton> Button;   // turned back into a Start button on reset
    QPointer<TControl> Hidden;  // hidden at the start of every pass
};

// The product-support furniture of a board settings program, configured only through its properties:
// the bold header line across the main window, the help and technical-support windows, the installed-
// cards window with its File-menu entry when the program gives card lines, and a timer-driven calibration
// cycle. Nothing is built while the description loads: the main window hooks ApplicationIdle into the
// application's idle event, and the first idle builds everything once and shows the help window shortly
// after.
//
// The declared defaults, which decide whether a description stores a property, are class information
// "Default:<property>"; ChangeButtons is the one property that starts out (True) different from its
// declared default (False).
class TSetupSupporter : public TComponent {
    Q_OBJECT
    Q_CLASSINFO("Default:UseCardNameB", "False")
    Q_CLASSINFO("Default:MultiPort", "False")
    Q_CLASSINFO("Default:Channels", "8")
    Q_CLASSINFO("Default:ChangeButtons", "False")
    Q_CLASSINFO("Default:bSeries", "True")
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE SetCompanyName)
    Q_PROPERTY(QString CardNameA READ CardNameA WRITE SetCardNameA)
    Q_PROPERTY(QString CardNameB READ CardNameB WRITE SetCardNameB)
    Q_PROPERTY(bool UseCardNameB READ UseCardNameB WRITE SetUseCardNameB)
    Q_PROPERTY(QString CallHow READ CallHow WRITE SetCallHow)
    Q_PROPERTY(bool MultiPort READ MultiPort WRITE SetMultiPort)
    Q_PROPERTY(uint8_t Channels READ Channels WRITE SetChannels)
    Q_PROPERTY(bool ChangeButtons READ ChangeButtons WRITE SetChangeButtons)
    Q_PROPERTY(bool bSeries READ bSeries WRITE SetbSeries)
    Q_PROPERTY(TNotifyEvent OnBeginCalib READ OnBeginCalib WRITE SetOnBeginCalib)
    Q_PROPERTY(TPCIEvent OnGetCardString MEMBER OnGetCardString)
    Q_PROPERTY(TCalibEvent OnGetCalibString MEMBER OnGetCalibString)
    Q_PROPERTY(TNotifyEvent OnStopButtonClick MEMBER OnStopButtonClick)
    Q_PROPERTY(TNotifyEvent OnStartButtonClick MEMBER OnStartButtonClick)

public:
    explicit TSetupSupporter(TComponent* owner);
    ~TSetupSupporter() override;

    const QString& CompanyName() const { return FCompanyName; }
    void SetCompanyName(const QString& name) { FCompanyName = name; }
    const QString& CardNameA() const { return FCardNameA; }
    void SetCardNameA(const QString& name) { FCardNameA = name; }
    const QString& CardNameB() const { return FCardNameB; }
    void SetCardNameB(const QString& name) { FCardNameB = name; }
    bool UseCardNameB() const { return FUseCardNameB; }
    void SetUseCardNameB(bool use) { FUseCardNameB = use; }
    const QString& CallHow() const { return FCallHow; }
    void SetCallHow(const QString& callHow) { FCallHow = callHow; }
    bool MultiPort() const { return FMultiPort; }
    void SetMultiPort(bool multiPort) { FMultiPort = multiPort; }
    uint8_t Channels() const { return FChannels; }
    void SetChannels(uint8_t channels) { FChannels = channels; }
    bool ChangeButtons() const { return FChangeButtons; }
    void SetChangeButtons(bool change) { FChangeButtons = change; }
    bool bSeries() const { return FSeries; }
    void SetbSeries(bool series) { FSeries = series; }
    const TNotifyEvent& OnBeginCalib() const { return FOnBeginCalib; }
    // A running timer restarts its interval.
    void SetOnBeginCalib(const TNotifyEvent& event);

    // The application's idle handler: unhooks itself from the application (its Sender), then builds.
    void ApplicationIdle(TObject* Sender, bool& Done);
    // Builds the header line and the windows, once; nothing in a form designer or without a main window.
    void BuildSupport();
    bool Built() const { return FBuilt; }

    // What the build made; empty before it ran. The main window owns them.
    TLabel* HeaderLabel() const { return FHeaderLabel; }
    THelpForm* HelpForm() const { return FHelpForm; }
    TTechForm* TechForm() const { return FTechForm; }
    TPCIForm* PCIForm() const { return FPCIForm; }

    // The File-menu entry of the installed-cards window: shows the window.
    void DisplayPCIClick(TObject* Sender);
    // The Close buttons: hide the window the clicked button lies on.
    void CloseButtonClick(TObject* Sender);

    // Stops the timer, then runs it again every 100 ms while calibrating or while the help window waits to
    // be shown. Raises EOutOfResources when no timer can be started.
    void UpdateTimer();
    bool TimerRunning() const;
    // The timer window's message procedure.
    void TimerWndProc(TMessage& message);
    // Shows the waiting help window, or else runs one calibration pass.
    void TimerTick();
    bool HelpPending() const { return FHelpPending; }

    // The calibration cycle: one pass per timer tick while calibrating.
    bool Calibrating() const { return FCalibrating; }
    void SetCalibrating(bool calibrating);
    void CalibrationPass();
    // Writes "Channel <n><TAB><text>" into line n of every entry's result list.
    void ShowChannelLine(int channel, const QString& text);
    // Turns the calibration buttons back into Start buttons (when ChangeButtons) and stops calibrating.
    void ResetCalibration();
    void AddCalibEntry(TMemo* results, TButton* button, TControl* hidden);
    const std::vector<TCalibEntry>& CalibEntries() const { return FCalibEntries; }

    TPCIEvent OnGetCardString;
    TCalibEvent OnGetCalibString;
    TNotifyEvent OnStopButtonClick;
    TNotifyEvent OnStartButtonClick;

private:
    QString CardName() const;
    void AddDisplayPCIEntry(TForm* mainForm, const QString& cardName);
    // Asks the driver library for the cards and lists the program's line for each; true when any line
    // was listed.
    bool FillCardList();
    void ShowTickError(const std::exception& error);

    QString FCompanyName;
    QString FCardNameA;
    QString FCardNameB;
    bool FUseCardNameB = false;
    QString FCallHow;
    bool FMultiPort = false;
    uint8_t FChannels = 8;
    bool FChangeButtons = true;
    bool FSeries = true;
    TNotifyEvent FOnBeginCalib;

    bool FBuilt = false;
    bool FHelpPending = false;
    bool FCalibrating = false;
    std::unique_ptr<THiddenWindow> FTimerWindow;
    QPointer<TLabel> FHeaderLabel;
    QPointer<THelpForm> FHelpForm;
    QPointer<TTechForm> FTechForm;
    QPointer<TPCIForm> FPCIForm;
    std::vector<TCalibEntry> FCalibEntries;
};
