#include "platform/Menus.h"

#include "platform/Forms.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), FHandle(CreateMenuItemHandle([this] {
          // A handler's exception goes to the standard exception display, as a window's do.
          try {
              Click();
          } catch (const std::exception& error) {
              Application->HandleException(error);
          }
      }))
{
}

TMenuItem::~TMenuItem()
{
    Destroying();
    while (!FItems.empty())
        delete FItems.back();
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::SetCaption(const QString& caption)
{
    if (caption == FCaption)
        return;
    FCaption = caption;
    FHandle->SetCaption(caption);
}

void TMenuItem::SetChecked(bool checked)
{
    if (checked == FChecked)
        return;
    FChecked = checked;
    FHandle->SetChecked(checked);
}

void TMenuItem::SetEnabled(bool enabled)
{
    if (enabled == FEnabled)
        return;
    FEnabled = enabled;
    FHandle->SetEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible)
{
    if (visible == FVisible)
        return;
    FVisible = visible;
    FHandle->SetVisible(visible);
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::Menu() const
{
    const TMenuItem* root = this;
    while (root->FParent)
        root = root->FParent;
    return root->FMenu;
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (item->FParent)
        item->FParent->Remove(item);
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
    if (!IsDestroying())
        ChildrenChanged();
}

void TMenuItem::Delete(int index)
{
    if (index >= 0 && index < Count())
        Remove(FItems[static_cast<size_t>(index)]);
}

void TMenuItem::ChildrenChanged()
{
    std::vector<MenuItemHandle*> children;
    for (TMenuItem* item : FItems)
        children.push_back(item->FHandle.get());
    if (FMenu && !FParent) {
        if (!FMenu->IsDestroying())
            FMenu->TopLevelItemsChanged();
        return;
    }
    FHandle->SetChildren(children);
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* item = qobject_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = qobject_cast<TMenu*>(parent))
        menu->Items()->Add(this);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner), FBar(CreateMenuBarHandle()) {}

TMainMenu::~TMainMenu()
{
    Destroying();
    // The items go before the bar that shows them.
    DestroyComponents();
}

void TMainMenu::TopLevelItemsChanged()
{
    std::vector<MenuItemHandle*> items;
    for (int i = 0; i < Items()->Count(); ++i)
        items.push_back(Items()->Items(i)->Handle());
    FBar->SetItems(items);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int screenX, int screenY)
{
    std::vector<MenuItemHandle*> items;
    for (int i = 0; i < Items()->Count(); ++i)
        items.push_back(Items()->Items(i)->Handle());
    PopupMenuAt(items, QPoint(screenX, screenY));
}

REGISTER_COMPONENT_CLASS(TMenuItem);
REGISTER_COMPONENT_CLASS(TMainMenu);
REGISTER_COMPONENT_CLASS(TPopupMenu);
