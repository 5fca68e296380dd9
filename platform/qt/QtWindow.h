#pragma once

// Internal to the toolkit backend: the common implementation of every native window's handle.

#include "platform/qt/Handles.h"

#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <functional>

// The part of a handle the backend itself uses: the widget, where child windows go, and the sink.
class QtWindow {
public:
    virtual ~QtWindow() = default;
    virtual QWidget* Widget() const = 0;
    virtual QWidget* Container() const { return Widget(); }
    virtual void Send(TMessage& message) = 0;

    // The handle a widget belongs to: the widget's own, or that of the nearest ancestor with one.
    static QtWindow* Of(const QWidget* widget);

protected:
    static void Attach(QWidget* widget, QtWindow* window);
    static void Detach(QWidget* widget);
};

// Calls a function for the events of one widget.
class EventHook : public QObject {
public:
    using Handler = std::function<bool(QEvent* event)>;
    EventHook(QObject* watched, Handler handler) : FHandler(std::move(handler)) { watched->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return FHandler ? FHandler(event) : false; }

private:
    Handler FHandler;
};

// The shift state of the keyboard and the mouse buttons, as input messages carry it.
unsigned ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

template <class Interface, class W>
class WidgetHandle : public Interface, public QtWindow {
public:
    WidgetHandle(MessageSink& sink, W* widget) : FSink(&sink), FWidget(widget)
    {
        Attach(widget, this);
        FHook = std::make_unique<EventHook>(widget, [this](QEvent* event) { return Translate(event); });
    }

    ~WidgetHandle() override
    {
        FSink = nullptr;
        FHook.reset();
        if (FWidget) {
            Detach(FWidget);
            delete FWidget.data();
        }
    }

    QWidget* Widget() const override { return FWidget; }
    W* Typed() const { return FWidget; }
    void Send(TMessage& message) override
    {
        if (FSink)
            FSink->HandleMessage(message);
    }

    void SetParent(WindowHandle* parent) override
    {
        QWidget* container = parent ? dynamic_cast<QtWindow*>(parent)->Container() : nullptr;
        if (FWidget && FWidget->parentWidget() != container)
            FWidget->setParent(container);
    }
    void SetGeometry(const QRect& geometry) override
    {
        if (FWidget && FWidget->geometry() != geometry)
            FWidget->setGeometry(geometry);
    }
    QRect Geometry() const override { return FWidget ? FWidget->geometry() : QRect(); }
    void SetVisible(bool visible) override
    {
        if (FWidget)
            FWidget->setVisible(visible);
    }
    bool IsVisible() const override { return FWidget && FWidget->isVisible(); }
    void SetEnabled(bool enabled) override
    {
        if (FWidget)
            FWidget->setEnabled(enabled);
    }
    void SetFont(const QFont& font) override
    {
        if (FWidget)
            FWidget->setFont(font);
    }
    void SetColors(const QColor& background, const QColor& text) override
    {
        if (!FWidget)
            return;
        QPalette palette = FWidget->palette();
        palette.setColor(QPalette::Base, background);
        palette.setColor(QPalette::Text, text);
        FWidget->setPalette(palette);
    }
    void SetFocus() override
    {
        if (FWidget)
            FWidget->setFocus(Qt::OtherFocusReason);
    }
    bool HasFocus() const override { return FWidget && FWidget->hasFocus(); }
    void SetTabStop(bool tabStop) override
    {
        if (FWidget)
            FWidget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    void Invalidate(const QRect& box) override
    {
        if (FWidget)
            FWidget->update(box);
    }
    void Repaint(const QRect& box) override
    {
        if (FWidget && FWidget->isVisible())
            FWidget->repaint(box);
    }
    void Raise() override
    {
        if (FWidget)
            FWidget->raise();
    }
    void Lower() override
    {
        if (FWidget)
            FWidget->lower();
    }
    QPoint ClientOrigin() const override { return FWidget ? FWidget->mapToGlobal(QPoint(0, 0)) : QPoint(); }
    void SetAccessibleName(const QString& name) override
    {
        // Every change is announced to assistive tools, so an unchanged name is not set again.
        if (FWidget && FWidget->accessibleName() != name)
            FWidget->setAccessibleName(name);
    }
    void SetToolTip(const QString& tip) override
    {
        if (FWidget)
            FWidget->setToolTip(tip);
    }

protected:
    void SendMessage(uint32_t number, intptr_t wParam = 0, intptr_t lParam = 0)
    {
        TMessage message{number, wParam, lParam, 0};
        Send(message);
    }

    // The pointer entering and leaving the widget; the controls track the pointer from these.
    virtual bool Translate(QEvent* event)
    {
        switch (event->type()) {
        case QEvent::Enter: {
            const QPoint local = FWidget->mapFromGlobal(QCursor::pos());
            SendMessage(WM_MOUSEMOVE, ShiftStateOf(Qt::NoModifier, Qt::NoButton), MakePointParam(local.x(), local.y()));
            break;
        }
        case QEvent::Leave:
            SendMessage(WM_MOUSELEAVE);
            break;
        default:
            break;
        }
        return false;
    }

    MessageSink* FSink = nullptr;
    QPointer<W> FWidget;
    std::unique_ptr<EventHook> FHook;
};
