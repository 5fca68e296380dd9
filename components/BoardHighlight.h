#pragma once

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

#include "components/RadioPanel.h"
#include "components/SetupTypes.h"

#include <memory>

class TPopupForm;

// The look of a circle: the ring blended over what lies under it, in the colour of its type.
struct THighlightStyle {
    TColor RingColor = clYellow;
    float PlainStrength = 0.5f;
    float LitStrength = 0.75f;
    float BrightStrength = 1.0f;
};
THighlightStyle HighlightStyleOf(THighlightType type);

// Blends the ring over a bitmap that holds the background: the ellipse inscribed in the bitmap is tinted
// at 0.16 of the strength, with a ring that peaks at 0.875 of the radii; with the white core the ring
// shows a white line at its peak. Computed in single precision, rounding halves to even.
void BlendRing(TBitmap& bitmap, TColor ringColor, float strength, bool whiteCore);

// "Base &Address" shows as "Base Address": every ampersand goes.
QString PopupCaptionOf(const QString& title);
// The title reduced to an identifier, for the component names of menu entries.
QString EntryNameStemOf(const QString& title);

// A highlight circle laid over the board photograph. It lights up when the pointer enters it and shows
// its popup with its option panel; leaving closes the popup again, a click pins it. Circles on the same
// board image with equal Title and HighlightType are linked: they light, pin and close together and share
// one popup and one menu entry.
class TBoardHighlight : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool CreatePopup READ CreatePopup WRITE SetCreatePopup)
    Q_PROPERTY(SetupCtrls::THighlightType HighlightType READ HighlightType WRITE SetHighlightType)
    Q_PROPERTY(TRadioPanel* RadioPanel READ RadioPanel WRITE SetRadioPanel)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)

public:
    explicit TBoardHighlight(TComponent* owner);
    ~TBoardHighlight() override;

    bool CreatePopup() const { return FCreatePopup; }
    void SetCreatePopup(bool createPopup) { FCreatePopup = createPopup; }
    THighlightType HighlightType() const { return FHighlightType; }
    void SetHighlightType(THighlightType type);
    TRadioPanel* RadioPanel() const { return FRadioPanel; }
    // Refuses a panel that a circle with another title or type already holds.
    void SetRadioPanel(TRadioPanel* panel);
    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& title);

    const QString& PopupCaption() const { return FPopupCaption; }
    const QString& EntryNameStem() const { return FEntryNameStem; }
    const THighlightStyle& Style() const { return FStyle; }
    bool Hovered() const { return FHovered; }
    bool Pinned() const { return FPinned; }
    bool Active() const { return FActive; }
    bool Prepared() const { return FPrepared; }
    TPopupForm* Popup() const { return FPopup; }
    // The menu the circle registered its entry in at its first paint.
    TMainMenu* Menu() const { return FMenu; }
    const TBitmap& PlainLook() const { return *FPlainLook; }
    const TBitmap& BrightLook() const { return *FBrightLook; }
    const TBitmap& LitLook() const { return *FLitLook; }

    // The pointer (WParam 0) or a linked circle (WParam 1) entered or left the circle.
    void MouseEnterHandling(const TMessage& message);
    void MouseLeaveHandling(const TMessage& message);
    // OnClick, then pin.
    void Click() override;

    // A button named by the popup caption ("Base Address"), which opens a popup; expanded while the
    // circle is lit for its open popup.
    QString AccessibleName() const override;
    TAccessibleRole AccessibleRole() const override;
    TAccessibleState AccessibleState() const override;

    // Keeps the popup open when the pointer leaves, and checks the menu entry; for linked circles too.
    void Pin();
    // The close event of the popup window.
    void PopupClosed(TObject* sender, TCloseAction& action);
    // The popup window became active (true) or inactive.
    void SetActiveLook(bool active);

    // The popup: shown (built on first use), and closed.
    void ShowPopup();
    void ClosePopup();
    void DoneClick(TObject* sender);

    // The circle's menu entry and the walk through the entries of its type menu.
    void RegisterMenuEntry();
    void CheckMenuEntry(bool checked);
    void EntryClick(TObject* sender);
    void PreviousClick(TObject* sender);
    void NextClick(TObject* sender);
    // The entry captioned with the title in the type menu, or nullptr.
    TMenuItem* MenuEntry() const;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;

private:
    friend class TPopupForm;
    bool OnBoardImage() const;
    bool IsLinkedTo(const TBoardHighlight* other) const;
    // The linked circles on the board image, in child-list order, this one included.
    std::vector<TBoardHighlight*> LinkedCircles() const;
    void RenderLooks();
    const TBitmap& CurrentLook() const;
    void Walk(int step);
    void HandOverMenuEntry();

    std::unique_ptr<TBitmap> FPlainLook;
    std::unique_ptr<TBitmap> FBrightLook;
    std::unique_ptr<TBitmap> FLitLook;
    THighlightStyle FStyle;
    THighlightType FHighlightType = htOptions;
    bool FHovered = false;
    TPopupForm* FPopup = nullptr;
    QString FTitle;
    QString FPopupCaption;
    QString FEntryNameStem;
    TMainMenu* FMenu = nullptr;
    bool FPrepared = false;
    bool FCreatePopup = true;
    bool FPinned = false;
    TRadioPanel* FRadioPanel = nullptr;
    bool FActive = false;
};
