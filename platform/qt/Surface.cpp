#include "platform/qt/Surface.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

SurfaceWidget::SurfaceWidget(QWidget* parent) : QWidget(parent)
{
    // Every paint covers its whole dirty box, so the system need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    InstallSurfaceAccessibility();
}

void SurfaceWidget::paintEvent(QPaintEvent* event)
{
    if (width() <= 0 || height() <= 0 || !FWindow)
        return;
    QPainter painter(this);
    TPaintStruct paint{nullptr, event->rect(), &painter};
    TMessage message{WM_PAINT, 0, reinterpret_cast<intptr_t>(&paint), 0};
    FWindow->Send(message);
}

void SurfaceWidget::SendMouse(uint32_t number, QMouseEvent* event)
{
    if (!FWindow)
        return;
    const QPoint at = event->position().toPoint();
    TMessage message{number, static_cast<intptr_t>(ShiftStateOf(event->modifiers(), event->buttons())),
                     MakePointParam(at.x(), at.y()), 0};
    FWindow->Send(message);
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* event)
{
    SendMouse(WM_MOUSEMOVE, event);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONDOWN, event);
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONUP, event);
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMouse(WM_LBUTTONDBLCLK, event);
}

void SurfaceWidget::enterEvent(QEnterEvent* event)
{
    if (!FWindow)
        return;
    const QPoint at = event->position().toPoint();
    // A pointer that comes into a window right over a child window enters every window on the way down,
    // and the innermost one gets its own enter. Taken as a move here, it would make this window the
    // control under the pointer for a moment and send the control that really is under it a leave and a
    // new enter: a circle would close its popup and open it again.
    for (QWidget* child = childAt(at); child && child != this; child = child->parentWidget())
        if (dynamic_cast<SurfaceWidget*>(child))
            return;
    TMessage message{WM_MOUSEMOVE, 0, MakePointParam(at.x(), at.y()), 0};
    FWindow->Send(message);
}

void SurfaceWidget::leaveEvent(QEvent*)
{
    if (!FWindow)
        return;
    TMessage message{WM_MOUSELEAVE, 0, 0, 0};
    FWindow->Send(message);
}

namespace {
class SurfaceHandleImpl : public WidgetHandle<SurfaceHandle, SurfaceWidget> {
public:
    explicit SurfaceHandleImpl(MessageSink& sink) : WidgetHandle(sink, new SurfaceWidget) { Typed()->SetWindow(this); }
    ~SurfaceHandleImpl() override
    {
        if (Typed())
            Typed()->SetWindow(nullptr);
    }
    // Panels keep their place in the tab order but don't take the focus by a click.
    void SetTabStop(bool tabStop) override
    {
        if (Typed())
            Typed()->setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
    }

protected:
    bool Translate(QEvent*) override { return false; }
};
} // namespace

std::unique_ptr<SurfaceHandle> CreateSurfaceHandle(MessageSink& sink)
{
    return std::make_unique<SurfaceHandleImpl>(sink);
}
