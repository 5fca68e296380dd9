#pragma once

#include "platform/Controls.h"

// A container with bevels and a centred caption.
class TCustomPanel : public TCustomControl {
    Q_OBJECT
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut bevel);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut bevel);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int width);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool fullRepaint) { FFullRepaint = fullRepaint; }

protected:
    void Paint() override;

private:
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(Types::TBevelCut BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(Types::TBevelCut BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(Types::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(TNotifyEvent OnEnter MEMBER OnEnter)
    Q_PROPERTY(TNotifyEvent OnExit MEMBER OnExit)
    Q_PROPERTY(TNotifyEvent OnResize MEMBER OnResize)

public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

// Draws a bevel of the given width inside a box: top and left edges in one colour, bottom and right in
// the other; the box shrinks by the width.
void Frame3D(TCanvas* canvas, TRect& box, TColor topLeft, TColor bottomRight, int width);
