#include "app/Template.h"

TMainForm* MainForm = nullptr;
std::array<QPointer<TTwoJumper>, 12> IRQJumpers;

namespace {
// Where jumper k of the IRQ row stands: k = 1 at the right below the column, 2 to 6 in a column of
// horizontal jumpers, 7 to 11 in a row of vertical ones.
struct TIRQJumperPlace {
    int Left = 0;
    int Top = 0;
    bool Vertical = false;
};

TIRQJumperPlace IRQJumperPlace(int k)
{
    if (k == 1)
        return {200, 47, true};
    if (k <= 6)
        return {140, 17 * k - 26, false};
    return {206 - 17 * k, 60, true};
}

// The text as the user meant it: without blanks and control characters at the ends, letters upper case.
QString TrimmedUpper(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= u' ')
        ++first;
    while (last > first && text[last - 1].unicode() <= u' ')
        --last;
    QString result = text.mid(first, last - first);
    for (QChar& c : result)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return result;
}
} // namespace

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

void TMainForm::BufferBoxChange(TObject*)
{
    BufferJumper->SetJumperState(BufferBox->ItemIndex() == 0 ? jsLeft : jsRight);
}

void TMainForm::BufferJumperClick(TObject*)
{
    // The cap's own cycle passes through "off"; the buffer has no such setting, so it goes on to TST.
    if (BufferJumper->JumperState() == jsOpen)
        BufferJumper->SetJumperState(jsLeft);
    BufferBox->SetItemIndex(BufferJumper->JumperState() == jsRight ? 1 : 0);
}

void TMainForm::BufferPanelEnter(TObject*)
{
    // Entering starts again at "Software Enabled", and the jumper shows it too, so that the choice and
    // its drawing never disagree.
    BufferBox->SetItemIndex(0);
    BufferJumper->SetJumperState(jsLeft);
}

void TMainForm::IEnableBoxChange(TObject*)
{
    // Only "Enabled" closes the jumper; typed text that names no item leaves it open ("Disabled").
    IEnableJumper->SetClosed(IEnableBox->ItemIndex() == 1);
}

void TMainForm::IEnableJumperClick(TObject*)
{
    IEnableBox->SetItemIndex(IEnableJumper->Closed() ? 1 : 0);
}

void TMainForm::IEnablePanelEnter(TObject*)
{
    IEnableBox->SetItemIndex(0);
    IEnableJumper->SetClosed(false);
}

void TMainForm::IRQPanelEnter(TObject*)
{
    for (QPointer<TTwoJumper>& jumper : IRQJumpers) {
        if (jumper) {
            jumper->SetParent(nullptr);
            delete jumper.data();
        }
        jumper = nullptr;
    }
    for (int k = 1; k <= 11; ++k) {
        auto* jumper = new TTwoJumper(this);
        IRQJumpers[static_cast<size_t>(k)] = jumper;
        jumper->SetTag(k);
        const TIRQJumperPlace place = IRQJumperPlace(k);
        // A vertical jumper gets its orientation before its size, so that it keeps the size it was given.
        if (place.Vertical) {
            jumper->SetOrientation(otRight);
            jumper->SetHeight(34);
            jumper->SetWidth(18);
        }
        jumper->SetLeft(place.Left);
        jumper->SetTop(place.Top);
        jumper->SetParent(IRQPanel);
        jumper->OnClick = TNotifyEvent(this, &TMainForm::IRQJumperClick);
    }
    IRQBox->SetItemIndex(0);
}

void TMainForm::IRQJumperClick(TObject* Sender)
{
    auto* jumper = qobject_cast<TTwoJumper*>(Sender);
    if (!jumper)
        return;
    IRQBox->SetItemIndex(jumper->Closed() ? jumper->Tag() : 0);
    IRQBoxChange(Sender);
}

void TMainForm::IRQBoxChange(TObject*)
{
    for (int k = 1; k <= 11; ++k)
        if (TTwoJumper* jumper = IRQJumpers[static_cast<size_t>(k)])
            jumper->SetClosed(k == IRQBox->ItemIndex());
}

void TMainForm::BaseEditChange(TObject*)
{
    try {
        BaseBA->SetBaseAddressStr(BaseEdit->Text());
    } catch (const Exception&) {
        // A number too large for the switch block: the edit shows it by its colour, nothing else changes.
        BaseEdit->SetParentColor(true);
        return;
    }
    const QString typed = TrimmedUpper(BaseEdit->Text());
    BaseFeedbackLabel->SetCaption(typed != BaseBA->BaseAddressStr() ? BaseBA->BaseAddressStr() : QString());
    BaseEdit->SetColor(clWindow);
}

REGISTER_COMPONENT_CLASS(TMainForm);
