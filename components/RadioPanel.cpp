#include "components/RadioPanel.h"

TRadioPanel::TRadioPanel(TComponent* owner) : TCustomPanel(owner)
{
    SetAnchors(AnchorsLeftTop());
    FFinalAnchors = AnchorsLeftTop();
    FInPopup = false;
    // The panel never takes its component name as its caption.
    SetControlStyle(ControlStyle() & ~csSetCaption);
    FRadioEnabled = false;
    SetBevelOuter(bvNone);
    SetBounds(Left(), Top(), 194, 100);
    FLines = std::make_unique<TStrings>();
    FMemoHeight = 58;
    SetVisible(false);
    FDesignHidden = false;
}

TRadioPanel::~TRadioPanel() = default;

void TRadioPanel::SetFinalAnchors(TAnchors anchors)
{
    if (FInPopup)
        SetAnchors(anchors);
    FFinalAnchors = anchors;
}

void TRadioPanel::Paint()
{
    // In a form designer the panel hides itself once: it is meant to be seen only in its popup.
    if (IsDesigning() && !FDesignHidden) {
        SetVisible(false);
        FDesignHidden = true;
    }
    TCustomPanel::Paint();
}

REGISTER_COMPONENT_CLASS(TRadioPanel);
