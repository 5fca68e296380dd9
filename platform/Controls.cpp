#include "platform/Controls.h"

#include "platform/Forms.h"

#include <QPainter>
#include <QPointer>
#include <QRegion>

#include <algorithm>
#include <limits>

namespace {
int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return number;
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

QRect ToQRect(const TRect& box) { return QRect(box.Left, box.Top, box.Width(), box.Height()); }
} // namespace

void TSizeConstraints::SetValue(int& field, int value)
{
    value = std::max(0, value);
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange(this);
}

void TSizeConstraints::Assign(const TPersistent* source)
{
    auto* constraints = qobject_cast<const TSizeConstraints*>(source);
    if (!constraints) {
        TPersistent::Assign(source);
        return;
    }
    FMaxHeight = constraints->FMaxHeight;
    FMaxWidth = constraints->FMaxWidth;
    FMinHeight = constraints->FMinHeight;
    FMinWidth = constraints->FMinWidth;
    if (OnChange)
        OnChange(this);
}

void TSizeConstraints::Apply(int& width, int& height) const
{
    if (FMaxWidth > 0)
        width = std::min(width, FMaxWidth);
    if (FMaxHeight > 0)
        height = std::min(height, FMaxHeight);
    width = std::max(width, FMinWidth);
    height = std::max(height, FMinHeight);
}

// ---------------------------------------------------------------------------------------------------------

TControl::TControl(TComponent* owner)
    : TComponent(owner), FConstraints(std::make_unique<TSizeConstraints>()), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = TNotifyEvent(this, &TControl::FontChangedEvent);
    FConstraints->OnChange = TNotifyEvent(this, &TControl::ConstraintsChanged);
}

TControl::~TControl()
{
    Destroying();
    if (Application)
        Application->ControlDestroying(this);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width != FWidth || height != FHeight) {
        bool resize = true;
        if (OnCanResize)
            OnCanResize(this, width, height, resize);
        if (!resize) {
            width = FWidth;
            height = FHeight;
        }
        int minWidth = FConstraints->MinWidth(), minHeight = FConstraints->MinHeight();
        int maxWidth = FConstraints->MaxWidth(), maxHeight = FConstraints->MaxHeight();
        if (OnConstrainedResize)
            OnConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
        if (maxWidth > 0)
            width = std::min(width, maxWidth);
        if (maxHeight > 0)
            height = std::min(height, maxHeight);
        width = std::max(width, minWidth);
        height = std::max(height, minHeight);
    }
    if (FAutoSize && !IsLoading())
        ApplyAutoSize(width, height);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    const TRect old = BoundsRect();
    const bool sizeChanged = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FParent && old != BoundsRect())
        FParent->InvalidateBox(old);
    BoundsChanged();
    if (!FLayoutMove)
        UpdateAnchorRules();
    if (sizeChanged)
        Resize();
    if (FParent && FAlign != alNone && !FLayoutMove)
        FParent->AlignControls();
}

void TControl::SetBoundsByLayout(int left, int top, int width, int height)
{
    const bool wasLayoutMove = FLayoutMove;
    FLayoutMove = true;
    SetBounds(left, top, width, height);
    FLayoutMove = wasLayoutMove;
}

void TControl::SetBoundsFields(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
}

void TControl::SetClientSize(int width, int height)
{
    SetBounds(FLeft, FTop, width, height);
}

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return TPoint{FLeft, FTop};
    const TPoint parentOrigin = FParent->ClientOrigin();
    return TPoint{parentOrigin.X + FLeft, parentOrigin.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint point) const
{
    const TPoint origin = ClientOrigin();
    return TPoint{point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const
{
    const TPoint origin = ClientOrigin();
    return TPoint{point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == FParent)
        return;
    if (parent == this || (parent && qobject_cast<TWinControl*>(this)
                           && static_cast<TWinControl*>(this)->ContainsControl(parent)))
        throw EComponentError(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
    ParentColorChanged();
    ParentFontChanged();
    UpdateAnchorRules();
    if (FParent && FAlign != alNone)
        FParent->AlignControls();
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* control = qobject_cast<TWinControl*>(parent))
        SetParent(control);
}

bool TControl::Showing() const
{
    return FVisible && FParent && FParent->Showing();
}

void TControl::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    VisibleChanged();
    if (FParent && FAlign != alNone)
        FParent->AlignControls();
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    EnabledChanged();
}

void TControl::SetAlign(TAlign align)
{
    if (align == FAlign)
        return;
    FAlign = align;
    if (FParent)
        FParent->AlignControls();
}

void TControl::SetAnchors(TAnchors anchors)
{
    if (anchors == FAnchors)
        return;
    FAnchors = anchors;
    UpdateAnchorRules();
}

void TControl::SetColor(TColor color)
{
    FParentColor = false;
    if (color == FColor)
        return;
    FColor = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor)
{
    if (parentColor == FParentColor)
        return;
    FParentColor = parentColor;
    ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!FParentColor || !FParent || FParent->Color() == FColor)
        return;
    FColor = FParent->Color();
    ColorChanged();
}

void TControl::SetParentFont(bool parentFont)
{
    if (parentFont == FParentFont)
        return;
    FParentFont = parentFont;
    ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!FParentFont || !FParent)
        return;
    FCopyingParentFont = true;
    FFont->Assign(FParent->Font());
    FCopyingParentFont = false;
}

void TControl::FontChangedEvent(TObject*)
{
    if (!FCopyingParentFont)
        FParentFont = false;
    FontChanged();
}

void TControl::ConstraintsChanged(TObject*)
{
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    TextChanged();
    if (auto* windowed = qobject_cast<TWinControl*>(this); windowed && windowed->FHandle)
        windowed->FHandle->SetAccessibleName(AccessibleName());
}

void TControl::SetHint(const QString& hint)
{
    FHint = hint;
}

void TControl::SetShowHint(bool showHint)
{
    FShowHint = showHint;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool parentShowHint)
{
    FParentShowHint = parentShowHint;
}

void TControl::SetAutoSize(bool autoSize)
{
    if (autoSize == FAutoSize)
        return;
    FAutoSize = autoSize;
    AdjustSize();
}

void TControl::SetName(const QString& name)
{
    const bool captionFollowsName
        = (FControlStyle & csSetCaption) && !IsLoading() && FCaption == Name();
    TComponent::SetName(name);
    if (captionFollowsName)
        SetCaption(name);
}

bool TControl::CanAutoSize(int&, int&)
{
    return false;
}

void TControl::ApplyAutoSize(int& width, int& height)
{
    // An aligned side belongs to the parent's layout, not to the control's content.
    if (FAlign == alClient)
        return;
    int wantedWidth = width;
    int wantedHeight = height;
    if (!CanAutoSize(wantedWidth, wantedHeight))
        return;
    if (FAlign == alNone || FAlign == alLeft || FAlign == alRight)
        width = std::max(0, wantedWidth);
    if (FAlign == alNone || FAlign == alTop || FAlign == alBottom)
        height = std::max(0, wantedHeight);
}

void TControl::AdjustSize()
{
    if (FAutoSize && !IsLoading())
        SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::Invalidate()
{
    if (FParent)
        FParent->InvalidateBox(BoundsRect());
}

void TControl::Repaint()
{
    if (FParent)
        FParent->RepaintBox(BoundsRect());
}

void TControl::BringToFront()
{
    if (FParent)
        FParent->MoveControlToEnd(this);
}

void TControl::SendToBack()
{
    if (FParent)
        FParent->MoveControlToStart(this);
}

intptr_t TControl::Perform(uint32_t message, intptr_t wParam, intptr_t lParam)
{
    TMessage m{message, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    // A control that doesn't tell double clicks apart treats the second click as a click of its own.
    if (message.Msg == WM_LBUTTONDBLCLK && !(FControlStyle & csDoubleClicks))
        message.Msg = WM_LBUTTONDOWN;
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        // Passed up, so that a container learns when the pointer leaves any control inside it.
        if (FParent)
            FParent->Perform(message.Msg, 0, reinterpret_cast<intptr_t>(this));
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        HandleMouseMessage(message);
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::HandleMouseMessage(TMessage& message)
{
    const int x = PointParamX(message.LParam);
    const int y = PointParamY(message.LParam);
    const auto shift = static_cast<TShiftState>(message.WParam);
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
        if (FControlStyle & csClickEvents)
            FPressed = true;
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (FControlStyle & csClickEvents)
            DblClick();
        MouseDown(mbLeft, shift | ssDouble, x, y);
        break;
    case WM_LBUTTONUP: {
        const bool clicked = FPressed && ClientRect().Contains(TPoint{x, y});
        FPressed = false;
        MouseUp(mbLeft, shift, x, y);
        if (clicked && FEnabled)
            Click();
        break;
    }
    }
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

QString TControl::AccessibleName() const
{
    return (FControlStyle & csSetCaption) ? RemoveAccelChars(FCaption) : QString();
}

QString TControl::AccessibleDescription() const
{
    return QString();
}

TAccessibleRole TControl::AccessibleRole() const
{
    return TAccessibleRole::Graphic;
}

TAccessibleState TControl::AccessibleState() const
{
    return FEnabled ? 0u : static_cast<TAccessibleState>(asUnavailable);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::FontChanged()
{
    Invalidate();
    AdjustSize();
}

void TControl::TextChanged()
{
    Invalidate();
    AdjustSize();
}

void TControl::EnabledChanged()
{
    Invalidate();
}

void TControl::VisibleChanged()
{
    if (FParent)
        FParent->InvalidateBox(BoundsRect());
}

void TControl::BoundsChanged()
{
    Invalidate();
}

void TControl::UpdateAnchorRules()
{
    if (!FParent) {
        FAnchorRulesValid = false;
        return;
    }
    FAnchorOrigin = BoundsRect();
    FAnchorParentSize = QSize(FParent->ClientWidth(), FParent->ClientHeight());
    FAnchorRulesValid = true;
}

void TControl::ApplyAnchors(QSize parentClientSize)
{
    if (!FAnchorRulesValid || FAlign != alNone)
        return;
    int left = FAnchorOrigin.Left;
    int top = FAnchorOrigin.Top;
    int width = FAnchorOrigin.Width();
    int height = FAnchorOrigin.Height();
    const int dx = parentClientSize.width() - FAnchorParentSize.width();
    const int dy = parentClientSize.height() - FAnchorParentSize.height();
    if (FAnchors.testFlag(akRight)) {
        if (FAnchors.testFlag(akLeft))
            width += dx;
        else
            left += dx;
    } else if (!FAnchors.testFlag(akLeft)) {
        // Anchored at neither side: the centre stays at the same fraction of the parent's width.
        left = MulDiv(FAnchorOrigin.Left + width / 2, parentClientSize.width(), FAnchorParentSize.width()) - width / 2;
    }
    if (FAnchors.testFlag(akBottom)) {
        if (FAnchors.testFlag(akTop))
            height += dy;
        else
            top += dy;
    } else if (!FAnchors.testFlag(akTop)) {
        top = MulDiv(FAnchorOrigin.Top + height / 2, parentClientSize.height(), FAnchorParentSize.height()) - height / 2;
    }
    SetBoundsByLayout(left, top, width, height);
}

// ---------------------------------------------------------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), FCanvas(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl()
{
    Destroying();
    if (Parent())
        Parent()->InvalidateBox(BoundsRect());
}

void TGraphicControl::PaintOnSurface(QPainter& painter, QImage& surface, QPoint surfaceOrigin)
{
    FCanvas->AttachSurface(&painter, &surface, QPoint(Left(), Top()) - surfaceOrigin);
    FCanvas->SetFont(Font());
    struct Detacher {
        TCanvas* Canvas;
        ~Detacher() { Canvas->Detach(); }
    } detacher{FCanvas.get()};
    Paint();
}

void TGraphicControl::Paint() {}

// ---------------------------------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FPaintCanvas(std::make_unique<TCanvas>())
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TWinControl::~TWinControl()
{
    Destroying();
    // A window takes its child controls with it; each one unlinks itself from this list and its owner.
    while (!FControls.empty())
        delete FControls.back();
    if (TForm* form = GetParentForm(this); form && form != this && !form->IsDestroying())
        form->ControlDestroying(this);
    FHandle.reset();
}

int TWinControl::IndexOfControl(const TControl* control) const
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    return it == FControls.end() ? -1 : static_cast<int>(it - FControls.begin());
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint position, bool allowDisabled) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* control = *it;
        if (qobject_cast<TWinControl*>(control))
            continue;
        if ((control->Visible() || control->IsDesigning()) && (allowDisabled || control->Enabled())
            && control->BoundsRect().Contains(position))
            return control;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* control)
{
    FControls.push_back(control);
    control->FParent = this;
    InvalidateBox(control->BoundsRect());
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    if (FCaptureControl == control)
        FCaptureControl = nullptr;
    FControls.erase(it);
    control->FParent = nullptr;
    if (!IsDestroying())
        InvalidateBox(control->BoundsRect());
    if (auto* windowed = qobject_cast<TWinControl*>(control); windowed && windowed->FHandle) {
        windowed->FHandle->SetVisible(false);
        windowed->FHandle->SetParent(nullptr);
    }
}

void TWinControl::MoveControlToEnd(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    FControls.push_back(control);
    if (auto* windowed = qobject_cast<TWinControl*>(control); windowed && windowed->FHandle)
        windowed->FHandle->Raise();
    control->Invalidate();
}

void TWinControl::MoveControlToStart(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end())
        return;
    FControls.erase(it);
    FControls.insert(FControls.begin(), control);
    if (auto* windowed = qobject_cast<TWinControl*>(control); windowed && windowed->FHandle)
        windowed->FHandle->Lower();
    control->Invalidate();
}

void TWinControl::SetParent(TWinControl* parent)
{
    TControl::SetParent(parent);
    if (!Parent())
        return;
    if (FHandle) {
        // A native window moves with its control into the new parent's window.
        Parent()->HandleNeeded();
        FHandle->SetParent(Parent()->FHandle.get());
        UpdateHandleGeometry();
        UpdateHandleVisibility();
    } else if (Visible() && Parent()->HandleAllocated()) {
        HandleNeeded();
    }
}

void TWinControl::SetTabOrder(int order)
{
    FTabOrder = order;
}

void TWinControl::SetTabStop(bool tabStop)
{
    if (tabStop == FTabStop)
        return;
    FTabStop = tabStop;
    if (FHandle)
        FHandle->SetTabStop(tabStop);
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return GetParentForm(this) != nullptr;
}

bool TWinControl::Focused() const
{
    return FHandle && FHandle->HasFocus();
}

void TWinControl::SetFocus()
{
    if (TForm* form = GetParentForm(this)) {
        form->FocusControl(this);
        return;
    }
    HandleNeeded();
    FHandle->SetFocus();
}

void TWinControl::HandleNeeded()
{
    if (FHandle)
        return;
    if (Parent())
        Parent()->HandleNeeded();
    FHandle = CreateHandleObject();
    InitializeHandle();
}

WindowHandle* TWinControl::Handle()
{
    HandleNeeded();
    return FHandle.get();
}

std::unique_ptr<WindowHandle> TWinControl::CreateHandleObject()
{
    return CreateSurfaceHandle(*this);
}

void TWinControl::InitializeHandle()
{
    FHandle->SetParent(Parent() ? Parent()->FHandle.get() : nullptr);
    UpdateHandleGeometry();
    FHandle->SetFont(Font()->ToQFont());
    FHandle->SetColors(ColorToQColor(Color()), ColorToQColor(Font()->Color()));
    FHandle->SetEnabled(Enabled());
    FHandle->SetTabStop(FTabStop);
    FHandle->SetAccessibleName(AccessibleName());
    if (!Hint().isEmpty())
        FHandle->SetToolTip(Hint());
    for (TControl* control : FControls)
        if (auto* windowed = qobject_cast<TWinControl*>(control); windowed && windowed->Visible())
            windowed->HandleNeeded();
    // Shown last, so that a window appears with its children in place.
    UpdateHandleVisibility();
}

void TWinControl::UpdateHandleGeometry()
{
    if (!FHandle)
        return;
    // A control that moves itself while it paints (the board image centres itself) reaches its window
    // once the paint is done, so that the window system repaints what the move exposes.
    if (FPainting) {
        if (!FGeometryDeferred) {
            FGeometryDeferred = true;
            QPointer<TWinControl> self(this);
            Backend::PostCall([self] {
                if (!self)
                    return;
                self->FGeometryDeferred = false;
                self->UpdateHandleGeometry();
            });
        }
        return;
    }
    FHandle->SetGeometry(QRect(Left(), Top(), Width(), Height()));
}

void TWinControl::UpdateHandleVisibility()
{
    if (FHandle)
        FHandle->SetVisible(Visible());
}

void TWinControl::VisibleChanged()
{
    if (!FHandle && Visible() && Parent() && Parent()->HandleAllocated())
        HandleNeeded();
    else
        UpdateHandleVisibility();
}

void TWinControl::BoundsChanged()
{
    UpdateHandleGeometry();
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    const int oldClientWidth = ClientWidth();
    const int oldClientHeight = ClientHeight();
    TControl::SetBounds(left, top, width, height);
    if (ClientWidth() != oldClientWidth || ClientHeight() != oldClientHeight)
        AlignControls();
}

void TWinControl::HandleMoved() {}

void TWinControl::AdjustSize()
{
    if (HandleAllocated())
        TControl::AdjustSize();
}

void TWinControl::ColorChanged()
{
    if (FHandle)
        FHandle->SetColors(ColorToQColor(Color()), ColorToQColor(Font()->Color()));
    Invalidate();
    for (TControl* control : FControls)
        control->ParentColorChanged();
}

void TWinControl::FontChanged()
{
    if (FHandle) {
        FHandle->SetFont(Font()->ToQFont());
        FHandle->SetColors(ColorToQColor(Color()), ColorToQColor(Font()->Color()));
    }
    TControl::FontChanged();
    for (TControl* control : FControls)
        control->ParentFontChanged();
}

void TWinControl::EnabledChanged()
{
    if (FHandle)
        FHandle->SetEnabled(Enabled());
    Invalidate();
}

void TWinControl::Invalidate()
{
    if (FHandle)
        FHandle->Invalidate(QRect(0, 0, Width(), Height()));
}

void TWinControl::Repaint()
{
    if (FHandle)
        FHandle->Repaint(QRect(0, 0, Width(), Height()));
}

void TWinControl::InvalidateBox(const TRect& box)
{
    if (FHandle && !box.IsEmpty())
        FHandle->Invalidate(ToQRect(box));
}

void TWinControl::RepaintBox(const TRect& box)
{
    if (FHandle && !box.IsEmpty())
        FHandle->Repaint(ToQRect(box));
}

void TWinControl::AlignControls()
{
    if (FAligning || IsDestroying())
        return;
    FAligning = true;
    TRect area = ClientRect();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* control : FControls) {
            if (control->Align() != align || !(control->Visible() || control->IsDesigning()))
                continue;
            const int w = control->Width();
            const int h = control->Height();
            switch (align) {
            case alTop:
                control->SetBoundsByLayout(area.Left, area.Top, area.Width(), h);
                area.Top += control->Height();
                break;
            case alBottom:
                control->SetBoundsByLayout(area.Left, area.Bottom - h, area.Width(), h);
                area.Bottom -= control->Height();
                break;
            case alLeft:
                control->SetBoundsByLayout(area.Left, area.Top, w, area.Height());
                area.Left += control->Width();
                break;
            case alRight:
                control->SetBoundsByLayout(area.Right - w, area.Top, w, area.Height());
                area.Right -= control->Width();
                break;
            default:
                control->SetBoundsByLayout(area.Left, area.Top, area.Width(), area.Height());
                break;
            }
        }
    }
    const QSize client(ClientWidth(), ClientHeight());
    for (TControl* control : FControls)
        control->ApplyAnchors(client);
    FAligning = false;
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    std::vector<TWinControl*> children;
    for (TControl* control : FControls)
        if (auto* windowed = qobject_cast<TWinControl*>(control))
            children.push_back(windowed);
    // Controls given a place in the tab order come by it; a control never given one (-1) follows them in
    // the order it was put on the parent, as a newcomer joins the end of the tab order. (Sorting -1 first
    // would put the help window's document before its Start button, which asks for place 0.)
    const auto place = [](const TWinControl* control) {
        return control->TabOrder() < 0 ? std::numeric_limits<int>::max() : control->TabOrder();
    };
    std::stable_sort(children.begin(), children.end(),
                     [&](const TWinControl* a, const TWinControl* b) { return place(a) < place(b); });
    for (TWinControl* child : children) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

void TWinControl::HandleMessage(TMessage& message)
{
    if (IsDestroying())
        return;
    try {
        WndProc(message);
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
}

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        WMPaint(message);
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        WMMouse(message);
        return;
    case WM_MOUSELEAVE:
        Application->MouseLeftWindow(this);
        return;
    case WM_SETFOCUS:
        if (TForm* form = GetParentForm(this))
            form->SetFocusedControl(this);
        return;
    case WM_KILLFOCUS:
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case WM_MOVE:
    case WM_SIZE:
        HandleMoved();
        return;
    case CM_GETACCESSIBLES:
        ListAccessibleChildren(*reinterpret_cast<TAccessibleChildren*>(message.LParam));
        return;
    default:
        TControl::Dispatch(message);
    }
}

void TWinControl::ListAccessibleChildren(TAccessibleChildren& list) const
{
    // A control without a name has nothing to tell (a label without text).
    for (const TControl* control : FControls) {
        if (qobject_cast<const TWinControl*>(control) || !control->Visible())
            continue;
        QString name = control->AccessibleName();
        if (name.isEmpty())
            continue;
        list.Children.push_back({control, std::move(name), control->AccessibleDescription(),
                                 control->AccessibleRole(), control->AccessibleState(),
                                 ToQRect(control->BoundsRect())});
    }
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::PaintWindow(TCanvas*) {}

bool TWinControl::DrawsContent() const
{
    return false;
}

void TWinControl::WMPaint(TMessage& message)
{
    const auto* paint = reinterpret_cast<const TPaintStruct*>(message.LParam);
    const bool wasPainting = FPainting;
    FPainting = true;
    struct Restore {
        bool& Flag;
        bool Value;
        ~Restore() { Flag = Value; }
    } restore{FPainting, wasPainting};
    if (paint->Surface) {
        PaintOffScreen(*paint->Surface, QPoint(0, 0), paint->Dirty);
        return;
    }
    // Where nothing is drawn that could be read back, the box shows the control's colour, filled straight
    // onto the window; a window mostly of one colour so needs no image of its own size.
    const QRect box = OffScreenBox(paint->Dirty);
    QPainter& screen = *paint->Screen;
    for (const QRect& part : QRegion(paint->Dirty).subtracted(box))
        screen.fillRect(part, ColorToQColor(Color()));
    if (box.isEmpty())
        return;
    // Not cleared: every pixel of the box is painted, with the background unless the control is opaque
    // and so paints all of it itself.
    QImage surface(box.size(), QImage::Format_RGB32);
    PaintOffScreen(surface, box.topLeft(), box);
    screen.drawImage(box.topLeft(), surface);
}

QRect TWinControl::OffScreenBox(const QRect& dirty) const
{
    // Content of the control's own may be read back anywhere in the box. A windowless child is drawn
    // whole, so that what it reads back of what was drawn under it is complete.
    QRect box = DrawsContent() ? dirty : QRect();
    for (bool grown = true; grown;) {
        grown = false;
        const QRect reach = box.united(dirty);
        for (const TControl* control : FControls) {
            if (!qobject_cast<const TGraphicControl*>(control) || !(control->Visible() || control->IsDesigning()))
                continue;
            const QRect bounds = ToQRect(control->BoundsRect());
            if (bounds.intersects(reach) && !box.contains(bounds)) {
                box = box.united(bounds);
                grown = true;
            }
        }
    }
    return box.intersected(ToQRect(ClientRect()));
}

void TWinControl::PaintOffScreen(QImage& surface, QPoint origin, const QRect& box)
{
    QPainter painter(&surface);
    painter.translate(-origin);
    painter.setClipRect(box);
    if (!(ControlStyle() & csOpaque))
        painter.fillRect(box, ColorToQColor(Color()));
    FPaintCanvas->AttachSurface(&painter, &surface, -origin);
    FPaintCanvas->SetFont(Font());
    try {
        PaintWindow(FPaintCanvas.get());
    } catch (...) {
        FPaintCanvas->Detach();
        throw;
    }
    FPaintCanvas->Detach();
    // The windowless children, in child-list order; a copy of the list, since painting may reorder it.
    const std::vector<TControl*> children = FControls;
    for (TControl* control : children) {
        auto* graphic = qobject_cast<TGraphicControl*>(control);
        if (!graphic || !(graphic->Visible() || graphic->IsDesigning()) || IndexOfControl(graphic) < 0)
            continue;
        const QRect shown = ToQRect(graphic->BoundsRect()).intersected(box);
        if (shown.isEmpty())
            continue;
        painter.save();
        painter.setClipRect(shown);
        painter.translate(graphic->Left(), graphic->Top());
        graphic->PaintOnSurface(painter, surface, origin);
        painter.restore();
    }
}

void TWinControl::WMMouse(TMessage& message)
{
    const TPoint position{PointParamX(message.LParam), PointParamY(message.LParam)};
    TControl* target = FCaptureControl;
    if (!target) {
        target = ControlAtPos(position, false);
        if (message.Msg == WM_MOUSEMOVE)
            Application->SetMouseControl(target ? target : this);
    }
    if (!target) {
        TControl::Dispatch(message);
        return;
    }
    if ((message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) && (target->ControlStyle() & csCaptureMouse))
        FCaptureControl = target;
    TMessage local = message;
    local.LParam = MakePointParam(position.X - target->Left(), position.Y - target->Top());
    if (message.Msg == WM_LBUTTONUP)
        FCaptureControl = nullptr;
    target->WndProc(local);
}

void TWinControl::ReleaseCapture(TControl* control)
{
    if (FCaptureControl == control)
        FCaptureControl = nullptr;
}

// ---------------------------------------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(TCanvas* canvas)
{
    FCanvas = canvas;
    struct Reset {
        TCanvas*& Canvas;
        ~Reset() { Canvas = nullptr; }
    } reset{FCanvas};
    Paint();
}

bool TCustomControl::DrawsContent() const
{
    return true;
}

void TCustomControl::Paint() {}

TForm* GetParentForm(const TControl* control)
{
    const TControl* top = control;
    while (top && top->Parent())
        top = top->Parent();
    return top ? qobject_cast<TForm*>(const_cast<TControl*>(top)) : nullptr;
}

QString RemoveAccelChars(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&') {
                text += u'&';
                ++i;
            }
            continue;
        }
        text += caption[i];
    }
    return text;
}
