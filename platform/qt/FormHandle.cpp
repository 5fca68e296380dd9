#include "platform/qt/FrameExtents.h"
#include "platform/qt/Surface.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include <array>

namespace {
std::array<FrameMargins, 6>& MeasuredMargins()
{
    static std::array<FrameMargins, 6> margins{};
    return margins;
}

// A maximized window loses its side borders under many window managers: its frame is no measure of the
// frame of its kind, only better than none.
FrameMargins& MaximizedMargins()
{
    static FrameMargins margins;
    return margins;
}

bool IsEmpty(const FrameMargins& margins)
{
    return !margins.Left && !margins.Top && !margins.Right && !margins.Bottom;
}

// The frame a window of this kind is expected to get. Until one has been shown, the frame the window
// manager announces for the kind, else the frame measured on a window of another kind stands in for it:
// taken as none, a window placed to fit on the screen (a popup
// kept on it) would reach past the screen's edge by its frame.
FrameMargins ExpectedMargins(FrameKind kind)
{
    const FrameMargins& measured = MeasuredMargins()[static_cast<size_t>(kind)];
    if (kind == FrameKind::None || !IsEmpty(measured))
        return measured;
    if (const std::optional<FrameMargins> announced = AnnouncedFrameMargins(kind))
        return *announced;
    for (size_t other = 0; other < MeasuredMargins().size(); ++other)
        if (static_cast<FrameKind>(other) != FrameKind::None && !IsEmpty(MeasuredMargins()[other]))
            return MeasuredMargins()[other];
    return MaximizedMargins();
}

// The top-level widget: a menu bar (when the form has one) above the client surface.
class FormWindow : public QWidget {
public:
    FormWindow() : FClient(new SurfaceWidget(this)) { setAttribute(Qt::WA_OpaquePaintEvent); }

    SurfaceWidget* Client() const { return FClient; }
    QMenuBar* Bar() const { return FBar; }
    void SetWindow(QtWindow* window)
    {
        FWindow = window;
        FClient->SetWindow(window);
    }
    void SetBar(QMenuBar* bar)
    {
        if (FBar == bar)
            return;
        if (FBar && FBar->parentWidget() == this) {
            FBar->hide();
            FBar->setParent(nullptr);
        }
        FBar = bar;
        if (FBar) {
            FBar->setParent(this);
            FBar->show();
        }
        Layout();
    }
    int BarHeight() const { return FBar ? FBar->sizeHint().height() : 0; }
    void Layout()
    {
        const int barHeight = BarHeight();
        if (FBar)
            FBar->setGeometry(0, 0, width(), barHeight);
        FClient->setGeometry(0, barHeight, width(), std::max(0, height() - barHeight));
    }
    bool FApplying = false;

protected:
    void Send(uint32_t number, intptr_t wParam = 0, intptr_t lParam = 0)
    {
        if (!FWindow)
            return;
        TMessage message{number, wParam, lParam, 0};
        FWindow->Send(message);
    }
    void resizeEvent(QResizeEvent*) override
    {
        Layout();
        if (!FApplying)
            Send(WM_SIZE);
    }
    void moveEvent(QMoveEvent*) override
    {
        if (!FApplying)
            Send(WM_MOVE);
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::ActivationChange)
            Send(WM_ACTIVATE, isActiveWindow() ? WA_ACTIVE : WA_INACTIVE);
        else if (event->type() == QEvent::WindowStateChange)
            Send(WM_SIZE);
        QWidget::changeEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        // The form decides what closing means; the window itself stays.
        event->ignore();
        Send(WM_CLOSE);
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        const unsigned shift = ShiftStateOf(event->modifiers(), Qt::NoButton);
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Send(CM_DIALOGKEY, VK_RETURN, shift);
            event->accept();
            return;
        case Qt::Key_Escape:
            Send(CM_DIALOGKEY, VK_ESCAPE, shift);
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    }
    bool focusNextPrevChild(bool next) override
    {
        // The form walks its own tab order.
        Send(CM_DIALOGKEY, VK_TAB, next ? 0u : static_cast<unsigned>(ssShift));
        return true;
    }

private:
    SurfaceWidget* FClient;
    QPointer<QMenuBar> FBar;
    QtWindow* FWindow = nullptr;
};

class FormHandleImpl : public WidgetHandle<FormHandle, FormWindow> {
public:
    explicit FormHandleImpl(MessageSink& sink) : WidgetHandle(sink, new FormWindow) { Typed()->SetWindow(this); }
    ~FormHandleImpl() override
    {
        if (Typed()) {
            Typed()->SetWindow(nullptr);
            Typed()->SetBar(nullptr);
        }
    }

    QWidget* Container() const override { return Typed() ? Typed()->Client() : nullptr; }

    void SetGeometry(const QRect& geometry) override
    {
        FormWindow* window = Typed();
        if (!window || window->isMaximized() || window->isFullScreen())
            return;
        window->FApplying = true;
        if (!FPlacedBySystem || window->isVisible())
            window->move(geometry.topLeft());
        window->resize(geometry.width(), geometry.height() + window->BarHeight());
        if (FFixedSize)
            window->setFixedSize(window->size());
        window->FApplying = false;
    }
    QRect Geometry() const override
    {
        FormWindow* window = Typed();
        if (!window)
            return QRect();
        return QRect(window->pos(), QSize(window->width(), window->height() - window->BarHeight()));
    }
    void SetVisible(bool visible) override
    {
        if (visible)
            Show(false);
        else if (Typed())
            Typed()->hide();
    }
    void SetColors(const QColor&, const QColor&) override {}
    void SetTabStop(bool) override {}
    void Invalidate(const QRect& box) override
    {
        if (Typed())
            Typed()->Client()->update(box);
    }
    void Repaint(const QRect& box) override
    {
        if (Typed() && Typed()->isVisible())
            Typed()->Client()->repaint(box);
    }
    QPoint ClientOrigin() const override
    {
        return Typed() ? Typed()->Client()->mapToGlobal(QPoint(0, 0)) : QPoint();
    }

    void SetCaption(const QString& caption) override
    {
        if (Typed())
            Typed()->setWindowTitle(caption);
    }
    void SetFrame(FrameKind kind, bool stayOnTop, bool minimizeBox, bool maximizeBox) override
    {
        FormWindow* window = Typed();
        if (!window)
            return;
        FKind = kind;
        Qt::WindowFlags flags = Qt::Window;
        switch (kind) {
        case FrameKind::None: flags |= Qt::FramelessWindowHint; break;
        case FrameKind::Dialog: flags = Qt::Dialog; break;
        case FrameKind::ToolWindow:
        case FrameKind::SizeableToolWindow: flags = Qt::Tool; break;
        default: break;
        }
        if (kind != FrameKind::None) {
            flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (minimizeBox && (kind == FrameKind::Single || kind == FrameKind::Sizeable))
                flags |= Qt::WindowMinimizeButtonHint;
            if (maximizeBox && (kind == FrameKind::Single || kind == FrameKind::Sizeable))
                flags |= Qt::WindowMaximizeButtonHint;
        }
        if (stayOnTop)
            flags |= Qt::WindowStaysOnTopHint;
        FFixedSize = kind == FrameKind::Dialog || kind == FrameKind::ToolWindow;
        if (window->windowFlags() == flags)
            return;
        const bool wasVisible = window->isVisible();
        window->setWindowFlags(flags);
        if (wasVisible)
            window->show();
    }
    FrameMargins Margins() const override
    {
        FormWindow* window = Typed();
        if (window && window->isVisible()) {
            const QRect frame = window->frameGeometry();
            const QRect inner = window->geometry();
            const FrameMargins margins{inner.left() - frame.left(), inner.top() - frame.top(),
                                       frame.right() - inner.right(), frame.bottom() - inner.bottom()};
            if (!IsEmpty(margins))
                (window->isMaximized() ? MaximizedMargins() : MeasuredMargins()[static_cast<size_t>(FKind)]) = margins;
            return margins;
        }
        return ExpectedMargins(FKind);
    }
    int MenuBarHeight() const override { return Typed() ? Typed()->BarHeight() : 0; }
    void SetMenuBar(MenuBarHandle* menuBar) override;
    void SetMinimumClientSize(const QSize& size) override
    {
        if (Typed() && !FFixedSize)
            Typed()->setMinimumSize(size.width(), size.height() + Typed()->BarHeight());
    }
    void SetMaximized(bool maximized) override
    {
        FMaximized = maximized;
        FormWindow* window = Typed();
        if (!window || !window->isVisible())
            return;
        if (maximized && !window->isMaximized())
            window->showMaximized();
        else if (!maximized && window->isMaximized())
            window->showNormal();
    }
    bool IsMaximized() const override
    {
        return Typed() && (Typed()->isVisible() ? Typed()->isMaximized() : FMaximized);
    }
    void SetPlacedBySystem(bool placedBySystem) override { FPlacedBySystem = placedBySystem; }
    void Show(bool activate) override
    {
        FormWindow* window = Typed();
        if (!window)
            return;
        if (!window->isVisible()) {
            if (FMaximized)
                window->showMaximized();
            else
                window->show();
        }
        if (activate) {
            window->raise();
            window->activateWindow();
        }
    }
    bool IsActive() const override { return Typed() && Typed()->isActiveWindow(); }

protected:
    bool Translate(QEvent*) override { return false; }

private:
    FrameKind FKind = FrameKind::Sizeable;
    bool FFixedSize = false;
    bool FMaximized = false;
    bool FPlacedBySystem = false;
};
} // namespace

// Defined with the menu handles, which own the bar widget.
QMenuBar* MenuBarWidget(MenuBarHandle* handle);

void FormHandleImpl::SetMenuBar(MenuBarHandle* menuBar)
{
    if (Typed())
        Typed()->SetBar(menuBar ? MenuBarWidget(menuBar) : nullptr);
}

std::unique_ptr<FormHandle> CreateFormHandle(MessageSink& sink)
{
    return std::make_unique<FormHandleImpl>(sink);
}

namespace Backend {
FrameMargins EstimatedFrameMargins(FrameKind kind)
{
    return ExpectedMargins(kind);
}
} // namespace Backend
