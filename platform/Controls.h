#pragma once

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"
#include "platform/qt/Handles.h"

#include <memory>
#include <vector>

class TWinControl;
class TForm;
class TPopupMenu;

using TMouseEvent = TMethodRef<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TMethodRef<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TCanResizeEvent = TMethodRef<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent
    = TMethodRef<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
Q_DECLARE_METATYPE(TMouseEvent)
Q_DECLARE_METATYPE(TMouseMoveEvent)
Q_DECLARE_METATYPE(TCanResizeEvent)
Q_DECLARE_METATYPE(TConstrainedResizeEvent)

// Limits on a control's size; 0 means no limit.
class TSizeConstraints : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int MaxHeight READ MaxHeight WRITE SetMaxHeight)
    Q_PROPERTY(int MaxWidth READ MaxWidth WRITE SetMaxWidth)
    Q_PROPERTY(int MinHeight READ MinHeight WRITE SetMinHeight)
    Q_PROPERTY(int MinWidth READ MinWidth WRITE SetMinWidth)

public:
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int value) { SetValue(FMaxHeight, value); }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int value) { SetValue(FMaxWidth, value); }
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value) { SetValue(FMinHeight, value); }
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value) { SetValue(FMinWidth, value); }
    void Assign(const TPersistent* source) override;
    // Applies the limits to a size.
    void Apply(int& width, int& height) const;

    TNotifyEvent OnChange;

private:
    void SetValue(int& field, int value);

    int FMaxHeight = 0;
    int FMaxWidth = 0;
    int FMinHeight = 0;
    int FMinWidth = 0;
};

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1,
    csCaptureMouse = 2,
    csClickEvents = 4,
    csSetCaption = 8,
    csOpaque = 16,
    csDoubleClicks = 32,
};
using TControlStyle = unsigned;

// A control: a rectangle with a parent, drawn and hit inside its parent's client area.
class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    TRect ClientRect() const { return Rect(0, 0, ClientWidth(), ClientHeight()); }
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    virtual void SetClientSize(int width, int height);
    // The screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent up to a shown window.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors anchors);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* constraints) { FConstraints->Assign(constraints); }
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool parentColor);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    const QString& Text() const { return FCaption; }
    void SetText(const QString& text) { SetCaption(text); }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool parentShowHint);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* menu) { FPopupMenu = menu; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode) { FBiDiMode = mode; }
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool value) { FParentBiDiMode = value; }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool autoSize);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle style) { FControlStyle = style; }
    void SetName(const QString& name) override;

    // Asks for a repaint when the window system next paints.
    virtual void Invalidate();
    // Paints at once.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Moves the control to the end of its parent's child list: drawn last and hit first.
    void BringToFront();
    void SendToBack();

    intptr_t Perform(uint32_t message, intptr_t wParam, intptr_t lParam);
    virtual void WndProc(TMessage& message);
    // Runs the handler of the message's number; a class handles its numbers and passes the others on.
    virtual void Dispatch(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // The click of the left button, pressed and released over the control.
    virtual void Click();
    virtual void DblClick();

    // What assistive tools tell about the control. A windowed control's name goes to its native window;
    // the windowless ones are listed by the surface of the parent that paints them. The name is, unless a
    // class says otherwise, the caption as shown, for the controls that show their caption.
    virtual QString AccessibleName() const;
    virtual QString AccessibleDescription() const;
    virtual TAccessibleRole AccessibleRole() const;
    virtual TAccessibleState AccessibleState() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCanResizeEvent OnCanResize;
    TConstrainedResizeEvent OnConstrainedResize;

    // The layout of the parent: re-places the control by its anchors after the parent's client area was
    // resized from oldParentSize.
    void ApplyAnchors(QSize parentClientSize);
    // Records the control's place and its parent's client size as the reference for its anchors.
    void UpdateAnchorRules();
    void SetBoundsByLayout(int left, int top, int width, int height);

protected:
    virtual void Resize();
    // The auto-size query: the width and height the control wants; false leaves them unchanged.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    // Re-applies the auto-size query to the current bounds.
    virtual void AdjustSize();
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void TextChanged();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void BoundsChanged();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The parent's colour or font changed; a control that follows its parent copies it.
    void ParentColorChanged();
    void ParentFontChanged();
    // Takes a place the window system gave the control, without pushing it back.
    void SetBoundsFields(int left, int top, int width, int height);
    // Starts a new control auto-sized without measuring it yet: it keeps its first bounds until its
    // content changes or it ends loading.
    void StartAutoSized() { FAutoSize = true; }

private:
    friend class TWinControl;
    void FontChangedEvent(TObject* sender);
    void ApplyAutoSize(int& width, int& height);
    void ConstraintsChanged(TObject* sender);
    void HandleMouseMessage(TMessage& message);

    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;
    TAnchors FAnchors = AnchorsLeftTop();
    std::unique_ptr<TSizeConstraints> FConstraints;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FCopyingParentFont = false;
    QString FCaption;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    bool FAutoSize = false;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    bool FPressed = false;
    bool FLayoutMove = false;
    TRect FAnchorOrigin;
    QSize FAnchorParentSize;
    bool FAnchorRulesValid = false;
};

// A control without a window of its own: its parent paints it into the parent's surface, in child-list
// order, clipped and translated to the control's box.
class TGraphicControl : public TControl {
    Q_OBJECT
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // Valid while the control paints: draws into the parent's surface at the control's place.
    TCanvas* Canvas() const { return FCanvas.get(); }
    // The parent's side of painting; the surface's top-left lies at surfaceOrigin in the parent.
    void PaintOnSurface(QPainter& painter, QImage& surface, QPoint surfaceOrigin = QPoint());

protected:
    virtual void Paint();

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// A control with a native window, which can hold child controls.
class TWinControl : public TControl, protected MessageSink {
    Q_OBJECT
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    int IndexOfControl(const TControl* control) const;
    // True when the control is this one or lies inside it at any depth.
    bool ContainsControl(const TControl* control) const;
    // The topmost windowless child at a client position.
    TControl* ControlAtPos(TPoint position, bool allowDisabled) const;

    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int order);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool value) { FCtl3D = value; }
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool value) { FParentCtl3D = value; }
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    bool HandleAllocated() const { return FHandle != nullptr; }
    // Creates the native window (and those of the visible children) if it doesn't exist yet.
    void HandleNeeded();
    WindowHandle* Handle();

    void Invalidate() override;
    void Repaint() override;
    void InvalidateBox(const TRect& box);
    void RepaintBox(const TRect& box);
    // Re-places the aligned and anchored children in the client area.
    void AlignControls();
    // The windowed children in tab order, at every depth.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;
    void Dispatch(TMessage& message) override;
    // A windowed control sizes itself only once it has its native window.
    void AdjustSize() override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    // The kind of native window this control has; a plain surface unless a class says otherwise.
    virtual std::unique_ptr<WindowHandle> CreateHandleObject();
    // Pushes the control's state to a newly created handle.
    virtual void InitializeHandle();
    // Paints the control's own content into its surface (the background, unless the control is opaque).
    virtual void PaintWindow(TCanvas* canvas);
    // True for a control whose PaintWindow draws: its content is drawn off-screen, where it can be read.
    virtual bool DrawsContent() const;
    virtual void DoEnter();
    virtual void DoExit();
    // The handle of the window this control's children are placed in.
    void HandleMessage(TMessage& message) override;
    void ColorChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;
    void VisibleChanged() override;
    void BoundsChanged() override;
    // The native window's geometry changed under the control (by the user or the system).
    virtual void HandleMoved();
    virtual void UpdateHandleVisibility();
    virtual void UpdateHandleGeometry();

    std::unique_ptr<WindowHandle> FHandle;

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControlToEnd(TControl* control);
    void MoveControlToStart(TControl* control);
    void WMPaint(TMessage& message);
    // The part of a dirty box that is drawn off-screen, in the client area's coordinates.
    QRect OffScreenBox(const QRect& dirty) const;
    // Paints the box (client coordinates) into a surface whose top-left lies at origin in the client area.
    void PaintOffScreen(QImage& surface, QPoint origin, const QRect& box);
    void WMMouse(TMessage& message);
    void ListAccessibleChildren(TAccessibleChildren& list) const;
    void ReleaseCapture(TControl* control);

    std::vector<TControl*> FControls;
    std::unique_ptr<TCanvas> FPaintCanvas;
    TControl* FCaptureControl = nullptr;
    bool FPainting = false;
    bool FGeometryDeferred = false;
    int FTabOrder = -1;
    bool FTabStop = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    bool FAligning = false;
};

// A windowed control that draws itself on a canvas.
class TCustomControl : public TWinControl {
    Q_OBJECT
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas* Canvas() const { return FCanvas; }

protected:
    void PaintWindow(TCanvas* canvas) override;
    bool DrawsContent() const override;
    virtual void Paint();

private:
    TCanvas* FCanvas = nullptr;
};

// The form a control lies in; nullptr when it isn't in one.
TForm* GetParentForm(const TControl* control);

// A caption as it is shown: an ampersand marks the accelerator and is not shown; a doubled one shows one.
QString RemoveAccelChars(const QString& caption);
