#pragma once

#include "platform/ExtCtrls.h"
#include "platform/Menus.h"

#include "components/BoardHighlight.h"

// The photograph of the board, and the parent of the highlight circles that mark its jumpers and switches.
// It keeps itself centred in its window, records the position it had when first painted (the popups are
// placed relative to it), names the menu the circles put their entries in, and names the circle the
// guided walk starts with.
class TBoardImage : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(TBoardHighlight* First READ First WRITE SetFirst)
    Q_PROPERTY(TMainMenu* Menu READ Menu WRITE SetMenu)
    Q_PROPERTY(bool CenterOnForm READ CenterOnForm WRITE SetCenterOnForm)
    Q_PROPERTY(bool Scale READ Scale WRITE SetScale)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(TPicture* Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(TPopupMenu* PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TNotifyEvent OnDblClick MEMBER OnDblClick)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)

public:
    explicit TBoardImage(TComponent* owner);
    ~TBoardImage() override;

    TBoardHighlight* First() const { return FFirst; }
    void SetFirst(TBoardHighlight* first) { FFirst = first; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* menu) { FMenu = menu; }
    bool CenterOnForm() const { return FCenterOnForm; }
    void SetCenterOnForm(bool centerOnForm) { FCenterOnForm = centerOnForm; }
    bool Scale() const { return FScale; }
    void SetScale(bool scale);
    bool Center() const { return FCenter; }
    void SetCenter(bool center);
    TPicture* Picture() const { return FPicture.get(); }
    // Copies the given picture into the board image's own.
    void SetPicture(TPicture* picture) { FPicture->Assign(picture); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);

    // Where the picture is drawn, in client coordinates.
    TRect DestRect() const;
    double AspectRatio() const { return FAspectRatio; }
    bool PositionRecorded() const { return FPositionRecorded; }
    // The position the image had at its first paint, before it centred itself.
    int DesignedLeft() const { return FDesignedLeft; }
    int DesignedTop() const { return FDesignedTop; }
    // The palette query: the graphic's palette, none for an empty picture.
    void* GetPalette() const;

    void Dispatch(TMessage& message) override;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    void PictureChanged(TObject* sender);
    bool DoPaletteChange();
    void BoardStart(TMessage& message);

    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FDrawing = false;
    double FAspectRatio = 1.0;
    bool FScale = true;
    TMainMenu* FMenu = nullptr;
    bool FCenterOnForm = true;
    bool FPositionRecorded = false;
    TBoardHighlight* FFirst = nullptr;
    int FDesignedLeft = 0;
    int FDesignedTop = 0;
};
