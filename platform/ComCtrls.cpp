#include "platform/ComCtrls.h"

#include "platform/RichText.h"

#include <QTextDocument>

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner), FDocument(std::make_unique<QTextDocument>())
{
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() & ~csSetCaption);
}

TRichEdit::~TRichEdit() = default;

std::unique_ptr<WindowHandle> TRichEdit::CreateHandleObject()
{
    return CreateRichEditHandle(*this);
}

void TRichEdit::InitializeHandle()
{
    TWinControl::InitializeHandle();
    Rich()->SetReadOnly(FReadOnly);
    Rich()->SetScrollBars(FScrollBars == ssHorizontal || FScrollBars == ssBoth,
                          FScrollBars == ssVertical || FScrollBars == ssBoth);
    Rich()->SetDocument(*FDocument);
}

void TRichEdit::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    if (FHandle)
        Rich()->SetReadOnly(readOnly);
}

void TRichEdit::SetScrollBars(TScrollStyle scrollBars)
{
    FScrollBars = scrollBars;
    if (FHandle)
        Rich()->SetScrollBars(scrollBars == ssHorizontal || scrollBars == ssBoth,
                              scrollBars == ssVertical || scrollBars == ssBoth);
}

void TRichEdit::LoadRichText(const QString& source)
{
    ReadRichText(source, *FDocument);
    if (FHandle)
        Rich()->SetDocument(*FDocument);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 185, 19);
    SetColor(clBtnFace);
    SetAlign(alBottom);
    SetControlStyle(ControlStyle() & ~csSetCaption);
}

TStatusPanel& TStatusBar::AddPanel()
{
    FPanels.emplace_back();
    PanelsChanged();
    return FPanels.back();
}

void TStatusBar::PanelsChanged()
{
    if (!FHandle)
        return;
    std::vector<StatusPanelData> panels;
    if (FSimplePanel) {
        panels.push_back(StatusPanelData{FSimpleText, -1, false});
    } else {
        for (const TStatusPanel& panel : FPanels)
            panels.push_back(StatusPanelData{panel.Text, panel.Width, panel.Bevel != pbNone});
    }
    Bar()->SetPanels(panels);
}

void TStatusBar::SetSimplePanel(bool simplePanel)
{
    FSimplePanel = simplePanel;
    PanelsChanged();
}

void TStatusBar::SetSimpleText(const QString& text)
{
    FSimpleText = text;
    PanelsChanged();
}

std::unique_ptr<WindowHandle> TStatusBar::CreateHandleObject()
{
    return CreateStatusBarHandle(*this);
}

void TStatusBar::InitializeHandle()
{
    TWinControl::InitializeHandle();
    PanelsChanged();
}

REGISTER_COMPONENT_CLASS(TRichEdit);
REGISTER_COMPONENT_CLASS(TStatusBar);
