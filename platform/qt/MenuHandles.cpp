#include "platform/qt/Handles.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <memory>

namespace {
class MenuItemHandleImpl : public MenuItemHandle {
public:
    explicit MenuItemHandleImpl(std::function<void()> triggered)
        : FAction(std::make_unique<QAction>()), FTriggered(std::move(triggered))
    {
        QObject::connect(FAction.get(), &QAction::triggered, FAction.get(), [this] {
            // The item's own check mark is the truth; the toolkit's toggle on a click is undone.
            FAction->setChecked(FChecked);
            if (FTriggered)
                FTriggered();
        });
    }
    ~MenuItemHandleImpl() override
    {
        FTriggered = nullptr;
        delete FMenu.data();
    }

    void SetCaption(const QString& caption) override
    {
        FAction->setText(caption);
        if (FMenu)
            FMenu->setTitle(caption);
    }
    void SetChecked(bool checked) override
    {
        FChecked = checked;
        FAction->setCheckable(checked);
        FAction->setChecked(checked);
    }
    void SetEnabled(bool enabled) override { FAction->setEnabled(enabled); }
    void SetVisible(bool visible) override { FAction->setVisible(visible); }
    void SetChildren(const std::vector<MenuItemHandle*>& children) override
    {
        if (children.empty() && !FMenu)
            return;
        QMenu* menu = EnsureMenu();
        menu->clear();
        for (MenuItemHandle* child : children)
            menu->addAction(static_cast<MenuItemHandleImpl*>(child)->Action());
    }

    QAction* Action() const { return FAction.get(); }
    // Items of a menu bar open a drop-down menu, even while it is still empty.
    QMenu* EnsureMenu()
    {
        if (!FMenu) {
            FMenu = new QMenu(FAction->text());
            FAction->setMenu(FMenu);
        }
        return FMenu;
    }

private:
    std::unique_ptr<QAction> FAction;
    QPointer<QMenu> FMenu;
    std::function<void()> FTriggered;
    bool FChecked = false;
};

class MenuBarHandleImpl : public MenuBarHandle {
public:
    MenuBarHandleImpl() : FBar(new QMenuBar) {}
    ~MenuBarHandleImpl() override { delete FBar.data(); }

    void SetItems(const std::vector<MenuItemHandle*>& items) override
    {
        if (!FBar)
            return;
        FBar->clear();
        for (MenuItemHandle* item : items) {
            auto* impl = static_cast<MenuItemHandleImpl*>(item);
            impl->EnsureMenu();
            FBar->addAction(impl->Action());
        }
    }
    QMenuBar* Bar() const { return FBar; }

private:
    QPointer<QMenuBar> FBar;
};
} // namespace

QMenuBar* MenuBarWidget(MenuBarHandle* handle)
{
    return static_cast<MenuBarHandleImpl*>(handle)->Bar();
}

std::unique_ptr<MenuItemHandle> CreateMenuItemHandle(std::function<void()> triggered)
{
    return std::make_unique<MenuItemHandleImpl>(std::move(triggered));
}

std::unique_ptr<MenuBarHandle> CreateMenuBarHandle()
{
    return std::make_unique<MenuBarHandleImpl>();
}

void PopupMenuAt(const std::vector<MenuItemHandle*>& items, QPoint screenPosition)
{
    QMenu menu;
    for (MenuItemHandle* item : items)
        menu.addAction(static_cast<MenuItemHandleImpl*>(item)->Action());
    menu.exec(screenPosition);
}

namespace Backend {
int EstimatedMenuBarHeight()
{
    static const int height = [] {
        QMenuBar bar;
        bar.addMenu(QStringLiteral("&File"));
        return bar.sizeHint().height();
    }();
    return height;
}
} // namespace Backend
