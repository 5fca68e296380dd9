#include "components/SetupSupporter.h"

#include "platform/Dialogs.h"
#include "platform/FormReader.h"
#include "platform/Menus.h"

#include "driver/Halvex.h"

namespace {

constexpr uintptr_t TimerId = 1;
constexpr unsigned TimerIntervalMs = 100;

[[maybe_unused]] const bool SupporterEventsRegistered
    = RegisterEventType<TPCIEvent>() && RegisterEventType<TCalibEvent>();

} // namespace

TSetupSupporter::TSetupSupporter(TComponent* owner)
    : TComponent(owner), FTimerWindow(std::make_unique<THiddenWindow>([this](TMessage& message) {
          TimerWndProc(message);
      }))
{
}

TSetupSupporter::~TSetupSupporter()
{
    // Only stopping: restarting the timer for a help window that can no longer be shown would be useless,
    // and could raise while the supporter goes.
    FCalibrating = false;
    FTimerWindow->KillTimer(TimerId);
}

void TSetupSupporter::SetOnBeginCalib(const TNotifyEvent& event)
{
    FOnBeginCalib = event;
    UpdateTimer();
}

QString TSetupSupporter::CardName() const
{
    return FUseCardNameB ? FCardNameB : FCardNameA;
}

void TSetupSupporter::ApplicationIdle(TObject* Sender, bool&)
{
    if (auto* application = qobject_cast<TApplication*>(Sender))
        application->OnIdle = TIdleEvent();
    BuildSupport();
}

void TSetupSupporter::BuildSupport()
{
    TForm* mainForm = Application->MainForm();
    if (IsDesigning() || FBuilt || !mainForm)
        return;
    FBuilt = true;
    // Taken once: later changes of the names don't reach the texts built here.
    const QString cardName = CardName();

    auto* header = new TLabel(mainForm);
    header->SetName(QStringLiteral("HeaderLabel"));
    header->SetParent(mainForm);
    header->SetAlign(alTop);
    header->SetAlignment(taCenter);
    header->Font()->SetName(QStringLiteral("Tahoma"));
    header->Font()->SetSize(18);
    header->Font()->SetStyle(TFontStyles(fsBold));
    header->Font()->SetColor(clBlack);
    FHeaderLabel = header;

    THelpTopic topic;
    topic.CompanyName = FCompanyName;
    topic.CardName = cardName;
    topic.Series = FSeries;
    topic.MultiPort = FMultiPort;
    topic.ListsCards = static_cast<bool>(OnGetCardString);
    FHelpForm = THelpForm::Create(mainForm, HelpDocument(topic), Screen->Width(), Screen->Height());

    FTechForm = TTechForm::Create(mainForm, SupportText(FCompanyName, FCallHow),
                                  TNotifyEvent(this, &TSetupSupporter::CloseButtonClick));

    bool found = true;
    if (OnGetCardString) {
        AddDisplayPCIEntry(mainForm, cardName);
        FPCIForm = TPCIForm::Create(mainForm, cardName, TNotifyEvent(this, &TSetupSupporter::CloseButtonClick));
        found = FillCardList();
    }

    const QString series = FSeries ? QStringLiteral(" Series") : QString();
    if (found) {
        header->SetCaption(cardName + series + QStringLiteral(" Settings Program"));
    } else {
        FPCIForm->PCIMemo->SetText(QStringLiteral("No Card Found"));
        header->SetCaption(QStringLiteral("No ") + cardName + (FSeries ? QStringLiteral(" Series Card") : QString())
                           + QStringLiteral(" Found"));
    }

    FHelpPending = true;
    UpdateTimer();
}

void TSetupSupporter::AddDisplayPCIEntry(TForm* mainForm, const QString& cardName)
{
    TMainMenu* menu = mainForm->Menu();
    if (!menu)
        return;
    TMenuItem* bar = menu->Items();
    for (int i = 0; i < bar->Count(); ++i) {
        TMenuItem* fileItem = bar->Items(i);
        if (fileItem->Caption() != QLatin1String("&File"))
            continue;
        auto* entry = new TMenuItem(fileItem);
        entry->SetName(QStringLiteral("DisplayPCI"));
        entry->SetCaption(QStringLiteral("Display ") + cardName + QStringLiteral(" Cards Installed"));
        entry->OnClick = TNotifyEvent(this, &TSetupSupporter::DisplayPCIClick);
        fileItem->Insert(0, entry);
        return;
    }
}

bool TSetupSupporter::FillCardList()
{
    Halvex::LoadDriverLibrary();
    // Without the library, or without its card count, no card can be listed.
    if (!Halvex::GetNumCards)
        return false;
    const int32_t count = Halvex::GetNumCards();
    if (count <= 0)
        return false;
    bool found = false;
    TStrings* lines = FPCIForm->PCIMemo->Lines();
    lines->Clear();
    for (int32_t index = 0; index < count; ++index) {
        const QString line = OnGetCardString(this, index);
        if (line.isEmpty())
            continue;
        lines->Add(line);
        found = true;
    }
    return found;
}

void TSetupSupporter::DisplayPCIClick(TObject*)
{
    if (FPCIForm)
        FPCIForm->Show();
}

void TSetupSupporter::CloseButtonClick(TObject* Sender)
{
    auto* button = qobject_cast<TControl*>(Sender);
    if (button && button->Parent())
        button->Parent()->Hide();
}

void TSetupSupporter::UpdateTimer()
{
    FTimerWindow->KillTimer(TimerId);
    if ((FCalibrating || FHelpPending) && !FTimerWindow->SetTimer(TimerId, TimerIntervalMs))
        throw EOutOfResources(QStringLiteral("Not enough timers available"));
}

bool TSetupSupporter::TimerRunning() const
{
    return FTimerWindow->TimerRunning(TimerId);
}

void TSetupSupporter::TimerWndProc(TMessage& message)
{
    if (message.Msg != WM_TIMER) {
        THiddenWindow::DefWindowProc(message);
        return;
    }
    try {
        TimerTick();
    } catch (const std::exception& error) {
        ShowTickError(error);
    }
    message.Result = 0;
}

void TSetupSupporter::ShowTickError(const std::exception& error)
{
    // The exception display is modal and runs a nested message loop: without a pause, every further tick
    // that fails would open another display on top of it.
    FTimerWindow->KillTimer(TimerId);
    Application->HandleException(error);
    try {
        UpdateTimer();
    } catch (const std::exception& timerError) {
        Application->HandleException(timerError);
    }
}

void TSetupSupporter::TimerTick()
{
    if (FHelpPending) {
        if (FHelpForm)
            FHelpForm->Show();
        FHelpPending = false;
        UpdateTimer();
        return;
    }
    CalibrationPass();
}

void TSetupSupporter::SetCalibrating(bool calibrating)
{
    if (calibrating == FCalibrating)
        return;
    FCalibrating = calibrating;
    UpdateTimer();
}

void TSetupSupporter::CalibrationPass()
{
    if (FOnBeginCalib)
        FOnBeginCalib(this);
    if (!OnGetCalibString) {
        SetCalibrating(false);
        Application->MessageBox(QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."),
                                QStringLiteral("OnGetCalibString Not Assigned"),
                                MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST | MB_SETFOREGROUND);
        ResetCalibration();
        return;
    }
    for (const TCalibEntry& entry : FCalibEntries)
        if (entry.Hidden)
            entry.Hidden->Hide();
    bool itsAllBad = true;
    for (int channel = 0; channel < FChannels; ++channel) {
        const QString text = OnGetCalibString(this, static_cast<uint8_t>(channel), itsAllBad);
        ShowChannelLine(channel, text);
    }
    if (!itsAllBad)
        return;
    // Stopped before the box opens, so no tick arrives while it is open.
    SetCalibrating(false);
    const int answer = Application->MessageBox(
        QStringLiteral("Total A/D failure. The card may not be installed, or it may be installed at a different "
                       "base address."),
        QStringLiteral("Total A/D failure"),
        MB_RETRYCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION | MB_TOPMOST | MB_SETFOREGROUND);
    if (answer == IDRETRY)
        SetCalibrating(true);
    else
        ResetCalibration();
}

void TSetupSupporter::ShowChannelLine(int channel, const QString& text)
{
    const QString line = QStringLiteral("Channel ") + QString::number(channel) + u'\t' + text;
    for (const TCalibEntry& entry : FCalibEntries) {
        if (!entry.Results)
            continue;
        TStrings* lines = entry.Results->Lines();
        // The list is made with a line for every channel; the supporter never adds lines, and a list
        // too short raises.
        lines->SetString(channel, line);
    }
}

void TSetupSupporter::ResetCalibration()
{
    if (FChangeButtons) {
        for (const TCalibEntry& entry : FCalibEntries) {
            if (!entry.Button)
                continue;
            entry.Button->OnClick = OnStartButtonClick;
            entry.Button->SetCaption(QStringLiteral("Start"));
        }
    }
    SetCalibrating(false);
}

void TSetupSupporter::AddCalibEntry(TMemo* results, TButton* button, TControl* hidden)
{
    FCalibEntries.push_back(TCalibEntry{results, button, hidden});
}

REGISTER_COMPONENT_CLASS(TSetupSupporter);
