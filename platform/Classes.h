#pragma once

#include "platform/SysUtils.h"
#include "platform/Types.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

// Every object the class library hands around as "Sender". Its run-time class name is
// metaObject()->className(), the exact name components compare.
using TObject = QObject;

// A method reference: a method bound to the object it runs on, as events are. It can be tested for being
// assigned, copied between components and compared (same object, same method).
template <typename Signature>
class TMethodRef;

template <typename R, typename... Args>
class TMethodRef<R(Args...)> {
public:
    using Code = std::function<R(Args...)>;

    TMethodRef() = default;

    template <typename C>
    TMethodRef(C* data, R (C::*method)(Args...))
        : FData(data), FCode([data, method](Args... args) -> R { return (data->*method)(std::forward<Args>(args)...); })
    {
        static_assert(sizeof(method) <= sizeof(FIdentity));
        std::memcpy(FIdentity.data(), &method, sizeof(method));
    }

    // A reference to code that is not a member function (a reader binding or a test's handler). The
    // identity distinguishes two references on the same object.
    TMethodRef(QObject* data, Code code, uintptr_t identity) : FData(data), FCode(std::move(code))
    {
        std::memcpy(FIdentity.data(), &identity, sizeof(identity));
    }

    explicit operator bool() const { return static_cast<bool>(FCode); }
    R operator()(Args... args) const { return FCode(std::forward<Args>(args)...); }
    QObject* Data() const { return FData; }

    friend bool operator==(const TMethodRef& a, const TMethodRef& b)
    {
        return a.FData == b.FData && a.FIdentity == b.FIdentity && static_cast<bool>(a) == static_cast<bool>(b);
    }

private:
    QObject* FData = nullptr;
    std::array<unsigned char, 2 * sizeof(void*)> FIdentity{};
    Code FCode;
};

using TNotifyEvent = TMethodRef<void(TObject* Sender)>;
Q_DECLARE_METATYPE(TNotifyEvent)

// Objects with published properties that are not components themselves (fonts, string lists, pictures).
class TPersistent : public QObject {
    Q_OBJECT
public:
    TPersistent() = default;
    // Copies the content of another object; raises EConvertError when the classes don't fit.
    virtual void Assign(const TPersistent* source);
    QString ClassName() const { return QString::fromLatin1(metaObject()->className()); }

protected:
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

enum TComponentStateFlag : unsigned { csLoading = 1, csDestroying = 2, csDesigning = 4 };
using TComponentState = unsigned;

// The root of the component model. The owner destroys what it owns; a component unlinks itself from its
// owner when it is destroyed.
class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    // Where a form designer shows the icon of a non-visual component; no run-time meaning. Controls
    // publish their own Left and Top, which hide these.
    Q_PROPERTY(int Left READ DesignLeft WRITE SetDesignLeft)
    Q_PROPERTY(int Top READ DesignTop WRITE SetDesignTop)

public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    // The owned component of this name, compared ignoring case; nullptr when there is none.
    TComponent* FindComponent(const QString& name) const;

    const QString& Name() const { return FName; }
    // Raises EComponentError for a name that is not an identifier or that the owner already holds.
    virtual void SetName(const QString& name);
    int Tag() const { return FTag; }
    void SetTag(int tag) { FTag = tag; }
    int DesignLeft() const { return FDesignLeft; }
    void SetDesignLeft(int value) { FDesignLeft = value; }
    int DesignTop() const { return FDesignTop; }
    void SetDesignTop(int value) { FDesignTop = value; }

    TComponentState ComponentState() const { return FComponentState; }
    bool IsLoading() const { return (FComponentState & csLoading) != 0; }
    bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
    bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
    // Marks this component and everything it owns as shown in a form designer.
    void SetDesigning(bool designing);

    // The form reader's protocol: loading starts, the component is placed under the component of the
    // enclosing description node, and loading ends once every reference is resolved.
    void BeginLoading() { FComponentState |= csLoading; }
    virtual void SetParentComponent(TComponent* parent);
    virtual void Loaded();

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

protected:
    // Marks the component and everything it owns as being destroyed, so that no handler reacts to the
    // teardown.
    void Destroying();
    void DestroyComponents();

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    QString FName;
    int FTag = 0;
    int FDesignLeft = 0;
    int FDesignTop = 0;
    TComponentState FComponentState = 0;
};

// True for an identifier: a letter or "_" followed by letters, digits or "_" (ASCII only).
bool IsValidIdent(const QString& text);

// An ordered list of strings with a change notification, for list properties such as Lines and Items.
class TStrings : public TPersistent {
    Q_OBJECT
    // The form description stores a list as "Items.Strings = ('a' 'b')".
    Q_PROPERTY(QStringList Strings READ ToStringList WRITE SetStrings)

public:
    TStrings() = default;

    int Count() const { return FItems.size(); }
    const QString& Strings(int index) const { return FItems.at(index); }
    // Raises for an index outside the list.
    void SetString(int index, const QString& value);
    int Add(const QString& value);
    void Insert(int index, const QString& value);
    void Delete(int index);
    void Clear();
    int IndexOf(const QString& value) const;

    // The lines joined with CR LF; setting it splits at CR LF, LF or CR.
    QString Text() const;
    void SetText(const QString& text);
    QStringList ToStringList() const { return FItems; }
    void SetStrings(const QStringList& items);
    void Assign(const TPersistent* source) override;

    // Groups several changes into one notification.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    TNotifyEvent OnChange;

private:
    void Changed();

    QStringList FItems;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};

// The class registry: the form reader creates components by their class names.
using TComponentFactory = TComponent* (*)(TComponent* owner);
void RegisterComponentClass(const QMetaObject& meta, TComponentFactory factory);
TComponentFactory FindComponentClass(const QString& className);
const QMetaObject* FindComponentMetaObject(const QString& className);

template <typename T>
bool RegisterComponentClass()
{
    RegisterComponentClass(T::staticMetaObject, [](TComponent* owner) -> TComponent* { return new T(owner); });
    return true;
}

// Registers a class next to its definition (in its .cpp), so that descriptions can name it.
#define REGISTER_COMPONENT_CLASS(Class) \
    [[maybe_unused]] static const bool Class##_registered = RegisterComponentClass<Class>()
