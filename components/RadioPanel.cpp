#include "components/RadioPanel.h"

#include "components/SettingWidgets.h"

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

void TRadioPanel::SelectRadioJumper(TTwoJumper* jumper)
{
    bool changed = false;
    for (int i = 0; i < ControlCount(); ++i) {
        // Only two-pin jumpers of that very class take part, not classes derived from it.
        TControl* control = Controls(i);
        auto* sibling = IsClassNamed(control, "TTwoJumper") ? qobject_cast<TTwoJumper*>(control) : nullptr;
        if (!sibling)
            continue;
        const bool closed = sibling == jumper;
        if (sibling->Closed() != closed)
            changed = true;
        sibling->SetClosed(closed);
    }
    if (changed && OnRadioChange)
        OnRadioChange(jumper);
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
