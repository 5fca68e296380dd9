#include "platform/qt/Surface.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <algorithm>
#include <vector>

// Assistive tools find a program's parts through the widgets, but the windowless controls (labels,
// circles, jumpers, the switch block) are only pixels of their parent's surface. The surface therefore
// answers for them: its accessible children are its own child widgets, then one entry per windowless
// control, described by what the control tells about itself (CM_GETACCESSIBLES).

namespace {

QAccessible::Role QtRoleOf(TAccessibleRole role)
{
    switch (role) {
    case TAccessibleRole::StaticText: return QAccessible::StaticText;
    case TAccessibleRole::Button: return QAccessible::Button;
    case TAccessibleRole::CheckBox: return QAccessible::CheckBox;
    case TAccessibleRole::Graphic: break;
    }
    return QAccessible::Graphic;
}

QAccessible::State QtStateOf(TAccessibleState state)
{
    QAccessible::State qt;
    qt.disabled = (state & asUnavailable) != 0;
    qt.checkable = (state & asCheckable) != 0;
    qt.checked = (state & asChecked) != 0;
    if (state & asHasPopup) {
        qt.hasPopup = true;
        qt.expandable = true;
        qt.expanded = (state & asExpanded) != 0;
        qt.collapsed = !qt.expanded;
    }
    return qt;
}

// One windowless control. Tools may keep an entry and read it again later, so every reading asks the
// control afresh; a control that is no longer listed (hidden, or gone) keeps its last words and is shown
// as invisible until its surface lets the entry go.
class WindowlessAccessible : public QAccessibleInterface {
public:
    WindowlessAccessible(SurfaceWidget* surface, TAccessibleChild data)
        : FSurface(surface), FControl(data.Control), FData(std::move(data))
    {
    }

    // The control, or nullptr once it is gone (a new control may then live at the same address).
    const QObject* Control() const { return FControl.data(); }
    void SetData(TAccessibleChild data)
    {
        FData = std::move(data);
        FListed = true;
    }

    bool isValid() const override { return !FSurface.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FSurface ? FSurface->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return FSurface ? QAccessible::queryAccessibleInterface(FSurface.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return Current().Name;
        case QAccessible::Description: return Current().Description;
        default: return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        const QRect& box = Current().Box;
        return FSurface ? QRect(FSurface->mapToGlobal(box.topLeft()), box.size()) : QRect();
    }
    QAccessible::Role role() const override { return QtRoleOf(Current().Role); }
    QAccessible::State state() const override
    {
        QAccessible::State state = QtStateOf(Current().State);
        state.invisible = !FListed || !FSurface || !FSurface->isVisible();
        return state;
    }

private:
    const TAccessibleChild& Current() const
    {
        FListed = false;
        if (FSurface && FControl) {
            TAccessibleChildren list = FSurface->AccessibleChildren();
            for (TAccessibleChild& data : list.Children)
                if (data.Control == FControl) {
                    FData = std::move(data);
                    FListed = true;
                    break;
                }
        }
        return FData;
    }

    QPointer<SurfaceWidget> FSurface;
    QPointer<const QObject> FControl;
    mutable TAccessibleChild FData;
    mutable bool FListed = true;
};

class SurfaceAccessible : public QAccessibleWidget {
public:
    explicit SurfaceAccessible(SurfaceWidget* surface) : QAccessibleWidget(surface) {}

    ~SurfaceAccessible() override
    {
        // The tools' cache owns the entries once they are registered; it may have let some go already.
        for (const Entry& entry : FWindowless)
            QAccessible::deleteAccessibleInterface(entry.Id);
    }

    int childCount() const override
    {
        Refresh();
        return QAccessibleWidget::childCount() + static_cast<int>(FWindowless.size());
    }

    QAccessibleInterface* child(int index) const override
    {
        Refresh();
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const size_t windowless = static_cast<size_t>(index - widgets);
        return windowless < FWindowless.size() ? FWindowless[windowless].Interface : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        Refresh();
        for (size_t i = 0; i < FWindowless.size(); ++i)
            if (FWindowless[i].Interface == child)
                return QAccessibleWidget::childCount() + static_cast<int>(i);
        return QAccessibleWidget::indexOfChild(child);
    }

    // Child widgets lie above the windowless controls, and a windowless control painted later lies above
    // one painted before it.
    QAccessibleInterface* childAt(int x, int y) const override
    {
        Refresh();
        const QPoint point(x, y);
        for (int i = 0, widgets = QAccessibleWidget::childCount(); i < widgets; ++i)
            if (QAccessibleInterface* child = QAccessibleWidget::child(i); child && child->rect().contains(point))
                return child;
        for (auto it = FWindowless.rbegin(); it != FWindowless.rend(); ++it)
            if (it->Interface->rect().contains(point))
                return it->Interface;
        return nullptr;
    }

private:
    struct Entry {
        WindowlessAccessible* Interface = nullptr;
        QAccessible::Id Id = 0;
    };

    // Asks the control again for its windowless children: an entry stays with its control while the
    // control lives, and goes with it.
    void Refresh() const
    {
        auto* surface = static_cast<SurfaceWidget*>(widget());
        TAccessibleChildren list = surface->AccessibleChildren();
        std::vector<Entry> kept;
        kept.reserve(list.Children.size());
        for (TAccessibleChild& data : list.Children) {
            auto known = std::find_if(FWindowless.begin(), FWindowless.end(),
                                      [&](const Entry& entry) { return entry.Interface->Control() == data.Control; });
            if (known == FWindowless.end()) {
                auto* child = new WindowlessAccessible(surface, std::move(data));
                kept.push_back({child, QAccessible::registerAccessibleInterface(child)});
                continue;
            }
            known->Interface->SetData(std::move(data));
            kept.push_back(*known);
            FWindowless.erase(known);
        }
        for (const Entry& gone : FWindowless)
            QAccessible::deleteAccessibleInterface(gone.Id);
        FWindowless = std::move(kept);
    }

    // In the order the surface paints them.
    mutable std::vector<Entry> FWindowless;
};

QAccessibleInterface* SurfaceAccessibleFactory(const QString&, QObject* object)
{
    if (auto* surface = dynamic_cast<SurfaceWidget*>(object))
        return new SurfaceAccessible(surface);
    return nullptr;
}

} // namespace

TAccessibleChildren SurfaceWidget::AccessibleChildren() const
{
    TAccessibleChildren list;
    if (FWindow) {
        TMessage message{CM_GETACCESSIBLES, 0, reinterpret_cast<intptr_t>(&list), 0};
        FWindow->Send(message);
    }
    return list;
}

void InstallSurfaceAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&SurfaceAccessibleFactory);
        return true;
    }();
    (void)installed;
}
