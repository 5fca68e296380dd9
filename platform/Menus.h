#pragma once

#include "platform/Classes.h"
#include "platform/qt/Handles.h"

#include <memory>
#include <vector>

class TMenu;

// A menu item: a caption with an ampersand accelerator, a check mark, a click event and sub-items in
// order. Its owner destroys it; its parent item holds it and takes it along when it is destroyed.
class TMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)

public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // Kept exactly as set: entries are found again by their captions.
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<size_t>(index)); }
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return FParent; }
    // The menu whose item tree this item belongs to.
    TMenu* Menu() const;
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);

    // The user chose the item.
    virtual void Click();
    void SetParentComponent(TComponent* parent) override;

    MenuItemHandle* Handle() const { return FHandle.get(); }

    TNotifyEvent OnClick;

private:
    friend class TMenu;
    void ChildrenChanged();

    QString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
    std::unique_ptr<MenuItemHandle> FHandle;
};

// A menu: the root item whose sub-items are the menu's top-level items.
class TMenu : public TComponent {
    Q_OBJECT
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }

protected:
    friend class TMenuItem;
    virtual void TopLevelItemsChanged() {}

private:
    TMenuItem* FItems = nullptr;
};

// The menu of a window's menu bar.
class TMainMenu : public TMenu {
    Q_OBJECT
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;
    MenuBarHandle* BarHandle() const { return FBar.get(); }

protected:
    void TopLevelItemsChanged() override;

private:
    std::unique_ptr<MenuBarHandle> FBar;
};

// A menu shown at the pointer.
class TPopupMenu : public TMenu {
    Q_OBJECT
public:
    explicit TPopupMenu(TComponent* owner);
    void Popup(int screenX, int screenY);
};
