#pragma once

#include "platform/Classes.h"

#include <QByteArray>
#include <QMetaMethod>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

// The form description: a readable text of nested "object Name: TClass ... end" nodes, each with its
// properties in stored order. The reader creates each component by its class name with the root as owner
// and the enclosing node's component as parent, sets the properties through the run-time type
// information, resolves references to other components once the whole tree is read, binds events to the
// root's published methods by name, and finally tells every component that loading has ended. Every error
// raises EReadError with the line and column and names what is wrong.

struct TDescriptionValue {
    enum class Kind { Integer, Float, String, Identifier, Set, List, Binary };
    Kind ValueKind = Kind::Integer;
    qint64 Integer = 0;
    double Float = 0;
    QString Text;                         // a string, or an identifier
    QStringList Identifiers;              // a set
    std::vector<TDescriptionValue> Items; // a list
    QByteArray Binary;
    int Line = 0;
    int Column = 0;
};

struct TDescriptionProperty {
    QString Name; // dotted for sub-properties: "Font.Name"
    TDescriptionValue Value;
    int Line = 0;
    int Column = 0;
};

struct TDescriptionNode {
    QString Name;
    QString ClassName;
    std::vector<TDescriptionProperty> Properties;
    std::vector<TDescriptionNode> Children;
    int Line = 0;
    int Column = 0;
};

// Parses a description into its tree; raises EReadError on a syntax error.
TDescriptionNode ParseDescription(const QString& text);

// Reads a description into an existing root component of the class it names.
void ReadComponentDescription(const QString& text, TComponent* root);
void ReadComponentDescription(const TDescriptionNode& node, TComponent* root);

// Event types are bound to the root's methods by a binder registered per type.
using TEventBinder = std::function<std::optional<QVariant>(QObject* root, const QByteArray& methodName)>;
void RegisterEventBinder(QMetaType eventType, TEventBinder binder);

// Integer constants a description may name, such as colours (clBtnFace) and character sets.
void RegisterIntegerIdentifier(const QString& name, qint64 value);

namespace FormReaderDetail {
template <typename Arg>
bool ParameterMatches(const QMetaMethod& method, int index)
{
    using Plain = std::remove_cvref_t<Arg>;
    if (method.parameterMetaType(index) == QMetaType::fromType<Plain>())
        return true;
    // Reference parameters are recorded by name.
    QByteArray expected = QMetaType::fromType<Plain>().name();
    if constexpr (std::is_lvalue_reference_v<Arg> && !std::is_const_v<std::remove_reference_t<Arg>>)
        expected += '&';
    return QMetaObject::normalizedType(method.parameterTypes().at(index).constData())
           == QMetaObject::normalizedType(expected.constData());
}

template <typename R, typename... Args, size_t... I>
bool SignatureMatches(const QMetaMethod& method, std::index_sequence<I...>)
{
    if (method.parameterCount() != static_cast<int>(sizeof...(Args)))
        return false;
    if constexpr (std::is_void_v<R>) {
        if (method.returnMetaType() != QMetaType::fromType<void>())
            return false;
    } else if (method.returnMetaType() != QMetaType::fromType<R>()) {
        return false;
    }
    return (ParameterMatches<Args>(method, static_cast<int>(I)) && ...);
}

template <typename R, typename... Args>
TMethodRef<R(Args...)> BindMethod(QObject* root, int methodIndex)
{
    auto code = [root, methodIndex](Args... args) -> R {
        if constexpr (std::is_void_v<R>) {
            void* argv[] = {nullptr, const_cast<void*>(static_cast<const void*>(std::addressof(args)))...};
            QMetaObject::metacall(root, QMetaObject::InvokeMetaMethod, methodIndex, argv);
        } else {
            R result{};
            void* argv[] = {&result, const_cast<void*>(static_cast<const void*>(std::addressof(args)))...};
            QMetaObject::metacall(root, QMetaObject::InvokeMetaMethod, methodIndex, argv);
            return result;
        }
    };
    return TMethodRef<R(Args...)>(root, code, static_cast<uintptr_t>(methodIndex));
}

template <typename Event>
struct Binder;

template <typename R, typename... Args>
struct Binder<TMethodRef<R(Args...)>> {
    static std::optional<QVariant> Bind(QObject* root, const QByteArray& methodName)
    {
        const QMetaObject* meta = root->metaObject();
        for (int i = 0; i < meta->methodCount(); ++i) {
            const QMetaMethod method = meta->method(i);
            if (method.name() == methodName
                && SignatureMatches<R, Args...>(method, std::index_sequence_for<Args...>{}))
                return QVariant::fromValue(BindMethod<R, Args...>(root, i));
        }
        return std::nullopt;
    }
};
} // namespace FormReaderDetail

// Lets descriptions bind events of this type to the root's published methods of the same signature.
template <typename Event>
bool RegisterEventType()
{
    RegisterEventBinder(QMetaType::fromType<Event>(), &FormReaderDetail::Binder<Event>::Bind);
    return true;
}
