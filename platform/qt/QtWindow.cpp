#include "platform/qt/QtWindow.h"

#include <QHash>

namespace {
QHash<const QWidget*, QtWindow*>& Windows()
{
    static QHash<const QWidget*, QtWindow*> windows;
    return windows;
}
} // namespace

QtWindow* QtWindow::Of(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (QtWindow* window = Windows().value(w))
            return window;
    return nullptr;
}

void QtWindow::Attach(QWidget* widget, QtWindow* window)
{
    Windows().insert(widget, window);
}

void QtWindow::Detach(QWidget* widget)
{
    Windows().remove(widget);
}

unsigned ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    unsigned shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}
