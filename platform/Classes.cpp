#include "platform/Classes.h"

#include <QHash>

#include <algorithm>

void TPersistent::Assign(const TPersistent* source)
{
    AssignError(source);
}

void TPersistent::AssignError(const TPersistent* source) const
{
    const QString sourceName = source ? source->ClassName() : QStringLiteral("nil");
    throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(sourceName, ClassName()));
}

bool IsValidIdent(const QString& text)
{
    if (text.isEmpty())
        return false;
    auto isAsciiLetter = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    auto isAsciiDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (!isAsciiLetter(text[0]) && text[0] != u'_')
        return false;
    return std::all_of(text.begin() + 1, text.end(),
                       [&](QChar c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == u'_'; });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Destroying()
{
    if (IsDestroying())
        return;
    FComponentState |= csDestroying;
    for (TComponent* component : FComponents)
        component->Destroying();
}

void TComponent::DestroyComponents()
{
    // Each owned component removes itself from the list while it is destroyed; the last goes first.
    while (!FComponents.empty())
        delete FComponents.back();
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* component : FComponents)
        if (component->FName.compare(name, Qt::CaseInsensitive) == 0)
            return component;
    return nullptr;
}

void TComponent::SetName(const QString& name)
{
    if (name == FName)
        return;
    if (!name.isEmpty() && !IsValidIdent(name))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(name));
    if (FOwner && !name.isEmpty()) {
        TComponent* existing = FOwner->FindComponent(name);
        if (existing && existing != this)
            throw EComponentError(QStringLiteral("A component named %1 already exists").arg(name));
    }
    FName = name;
    setObjectName(name);
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~csDesigning;
    for (TComponent* component : FComponents)
        component->SetDesigning(designing);
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::Loaded()
{
    FComponentState &= ~csLoading;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (component->FOwner)
        component->FOwner->RemoveComponent(component);
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), component);
    if (it == FComponents.end())
        return;
    FComponents.erase(it);
    component->FOwner = nullptr;
}

void TStrings::SetString(int index, const QString& value)
{
    if (index < 0 || index >= FItems.size())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    if (FItems.at(index) == value)
        return;
    FItems[index] = value;
    Changed();
}

int TStrings::Add(const QString& value)
{
    FItems.append(value);
    Changed();
    return FItems.size() - 1;
}

void TStrings::Insert(int index, const QString& value)
{
    FItems.insert(std::clamp(index, 0, static_cast<int>(FItems.size())), value);
    Changed();
}

void TStrings::Delete(int index)
{
    if (index < 0 || index >= FItems.size())
        return;
    FItems.removeAt(index);
    Changed();
}

void TStrings::Clear()
{
    if (FItems.isEmpty())
        return;
    FItems.clear();
    Changed();
}

int TStrings::IndexOf(const QString& value) const
{
    return FItems.indexOf(value);
}

QString TStrings::Text() const
{
    QString text;
    for (const QString& item : FItems) {
        text += item;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void TStrings::SetText(const QString& text)
{
    QStringList items;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            items.append(line);
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        items.append(line);
    SetStrings(items);
}

void TStrings::SetStrings(const QStringList& items)
{
    if (items == FItems)
        return;
    FItems = items;
    Changed();
}

void TStrings::Assign(const TPersistent* source)
{
    if (auto* strings = qobject_cast<const TStrings*>(source)) {
        SetStrings(strings->FItems);
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TStrings::Changed()
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

namespace {
struct RegisteredClass {
    const QMetaObject* Meta = nullptr;
    TComponentFactory Factory = nullptr;
};

QHash<QString, RegisteredClass>& ClassRegistry()
{
    static QHash<QString, RegisteredClass> registry;
    return registry;
}
} // namespace

void RegisterComponentClass(const QMetaObject& meta, TComponentFactory factory)
{
    ClassRegistry().insert(QString::fromLatin1(meta.className()), RegisteredClass{&meta, factory});
}

TComponentFactory FindComponentClass(const QString& className)
{
    auto it = ClassRegistry().constFind(className);
    return it == ClassRegistry().constEnd() ? nullptr : it->Factory;
}

const QMetaObject* FindComponentMetaObject(const QString& className)
{
    auto it = ClassRegistry().constFind(className);
    return it == ClassRegistry().constEnd() ? nullptr : it->Meta;
}
