#pragma once

#include "platform/ExtCtrls.h"

class TTwoJumper;

using TRadioPanelChangeEvent = TNotifyEvent;

// The option panel of a highlight circle: the controls for one board option and the lines that explain
// it. It waits hidden on the main window until the circle's popup takes it in for good.
class TRadioPanel : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(bool RadioEnabled READ RadioEnabled WRITE SetRadioEnabled)
    Q_PROPERTY(TStrings* Lines READ Lines WRITE SetLines)
    Q_PROPERTY(int MemoHeight READ MemoHeight WRITE SetMemoHeight)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors FinalAnchors READ FinalAnchors WRITE SetFinalAnchors)
    Q_PROPERTY(Types::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(Types::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(Types::TBiDiMode BiDiMode READ BiDiMode WRITE SetBiDiMode)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(Types::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool FullRepaint READ FullRepaint WRITE SetFullRepaint)
    Q_PROPERTY(bool ParentBiDiMode READ ParentBiDiMode WRITE SetParentBiDiMode)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(TPopupMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnRadioChange MEMBER OnRadioChange)
    Q_PROPERTY(TNotifyEvent OnActivate MEMBER OnActivate)
    Q_PROPERTY(TNotifyEvent OnDeactivate MEMBER OnDeactivate)
    Q_PROPERTY(TCanResizeEvent OnCanResize MEMBER OnCanResize)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TConstrainedResizeEvent OnConstrainedResize MEMBER OnConstrainedResize)
    Q_PROPERTY(TNotifyEvent OnDblClick MEMBER OnDblClick)
    Q_PROPERTY(TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(TNotifyEvent OnExit MEMBER OnExit)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)
    Q_PROPERTY(TNotifyEvent OnResize MEMBER OnResize)

public:
    explicit TRadioPanel(TComponent* owner);
    ~TRadioPanel() override;

    bool RadioEnabled() const { return FRadioEnabled; }
    void SetRadioEnabled(bool enabled) { FRadioEnabled = enabled; }
    TStrings* Lines() const { return FLines.get(); }
    // Takes a copy of the lines.
    void SetLines(TStrings* lines) { FLines->Assign(lines); }
    int MemoHeight() const { return FMemoHeight; }
    void SetMemoHeight(int height) { FMemoHeight = height; }
    TAnchors FinalAnchors() const { return FFinalAnchors; }
    // Applied to the panel's anchors at once once the panel sits in its popup; stored in every case.
    void SetFinalAnchors(TAnchors anchors);
    bool InPopup() const { return FInPopup; }
    // The popup took the panel in.
    void SetInPopup(bool inPopup) { FInPopup = inPopup; }

    // The radio selection: the clicked two-pin jumper closes and every other two-pin jumper of the panel
    // opens; OnRadioChange runs when that changed anything.
    void SelectRadioJumper(TTwoJumper* jumper);

    TRadioPanelChangeEvent OnRadioChange;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    void Paint() override;

private:
    bool FRadioEnabled = false;
    std::unique_ptr<TStrings> FLines;
    int FMemoHeight = 58;
    bool FDesignHidden = false;
    TAnchors FFinalAnchors = AnchorsLeftTop();
    bool FInPopup = false;
};
