#include "platform/FormReader.h"

#include "platform/Controls.h"
#include "platform/Forms.h"

#include <QHash>
#include <QMetaProperty>

#include <array>
#include <limits>

namespace {

[[noreturn]] void Fail(int line, int column, const QString& what)
{
    throw EReadError(QStringLiteral("Line %1, column %2: %3").arg(line).arg(column).arg(what));
}

// ----- Reading the text ---------------------------------------------------------------------------------

struct Token {
    enum class Kind { Identifier, Integer, Float, String, Symbol, End };
    Kind TokenKind = Kind::End;
    QString Text;
    qint64 Integer = 0;
    double Float = 0;
    int Line = 1;
    int Column = 1;
};

QString Describe(const Token& token)
{
    switch (token.TokenKind) {
    case Token::Kind::End: return QStringLiteral("end of text");
    case Token::Kind::String: return QStringLiteral("string '%1'").arg(token.Text);
    case Token::Kind::Symbol: return QStringLiteral("'%1'").arg(token.Text);
    default: return QStringLiteral("'%1'").arg(token.Text);
    }
}

// How a value appears in a message: "string 'abc'", "identifier 'clRed'", "integer 5".
QString DescribeValue(const TDescriptionValue& value)
{
    switch (value.ValueKind) {
    case TDescriptionValue::Kind::Integer: return QStringLiteral("integer %1").arg(value.Integer);
    case TDescriptionValue::Kind::Float: return QStringLiteral("number %1").arg(value.Float);
    case TDescriptionValue::Kind::String: return QStringLiteral("string '%1'").arg(value.Text);
    case TDescriptionValue::Kind::Identifier: return QStringLiteral("identifier '%1'").arg(value.Text);
    case TDescriptionValue::Kind::Set: return QStringLiteral("a set");
    case TDescriptionValue::Kind::List: return QStringLiteral("a list");
    case TDescriptionValue::Kind::Binary: return QStringLiteral("binary data");
    }
    return QString();
}

class Lexer {
public:
    explicit Lexer(const QString& text) : FText(text) {}

    Token Next()
    {
        SkipBlanks();
        Token token;
        token.Line = FLine;
        token.Column = FColumn;
        if (AtEnd())
            return token;
        const QChar c = Peek();
        if (c.isLetter() || c == u'_') {
            token.TokenKind = Token::Kind::Identifier;
            while (!AtEnd() && (Peek().isLetterOrNumber() || Peek() == u'_' || Peek() == u'.'))
                token.Text += Take();
            return token;
        }
        if (c.isDigit() || c == u'$' || ((c == u'-' || c == u'+') && IsNumberAhead()))
            return Number(token);
        if (c == u'\'' || c == u'#')
            return String(token);
        token.TokenKind = Token::Kind::Symbol;
        token.Text = Take();
        return token;
    }

    // The bytes of binary data, written as pairs of hexadecimal digits with blanks anywhere, up to the
    // closing brace (consumed). A picture's data is most of a description's text, so the digits are
    // decoded as they are read, and only the line breaks among them are counted.
    QByteArray Binary(int line, int column)
    {
        const QChar* text = FText.constData();
        const qsizetype end = FText.size();
        // Two digits to a byte: the rest of the text bounds the data.
        QByteArray bytes((end - FPos) / 2, Qt::Uninitialized);
        char* out = bytes.data();
        int high = -1; // the pair's first digit, once read
        int lineBreaks = 0;
        qsizetype lineStart = -1; // where the last line begins, once one has
        qsizetype pos = FPos;
        for (; pos < end; ++pos) {
            const int digit = HexDigitValue(text[pos]);
            if (digit >= 0) {
                if (high < 0) {
                    high = digit;
                } else {
                    *out++ = static_cast<char>(high << 4 | digit);
                    high = -1;
                }
            } else if (text[pos] == u'}') {
                break;
            } else if (text[pos] == u'\n') {
                ++lineBreaks;
                lineStart = pos + 1;
            } else if (!text[pos].isSpace()) {
                MoveTo(pos);
                Fail(FLine, FColumn, QStringLiteral("Invalid character '%1' in binary data").arg(text[pos]));
            }
        }
        if (pos == end)
            Fail(line, column, QStringLiteral("Binary data is not closed with '}'"));
        // Past the brace.
        FLine += lineBreaks;
        FColumn = lineStart < 0 ? FColumn + static_cast<int>(pos + 1 - FPos) : static_cast<int>(pos + 2 - lineStart);
        FPos = pos + 1;
        if (high >= 0)
            Fail(line, column, QStringLiteral("Binary data has an odd number of hexadecimal digits"));
        bytes.truncate(out - bytes.constData());
        return bytes;
    }

private:
    // A character of a hexadecimal number: any digit counts, so that a number holding a digit of another
    // script is taken whole and named whole in its error.
    static bool IsHexDigit(QChar c) { return c.isDigit() || HexDigitValue(c) >= 0; }
    // 0 to 15 for an ASCII hexadecimal digit, else -1.
    static int HexDigitValue(QChar c)
    {
        static constexpr std::array<signed char, 128> values = [] {
            std::array<signed char, 128> table{};
            table.fill(-1);
            for (int i = 0; i < 10; ++i)
                table[static_cast<size_t>('0' + i)] = static_cast<signed char>(i);
            for (int i = 0; i < 6; ++i) {
                table[static_cast<size_t>('a' + i)] = static_cast<signed char>(10 + i);
                table[static_cast<size_t>('A' + i)] = static_cast<signed char>(10 + i);
            }
            return table;
        }();
        const char16_t u = c.unicode();
        return u < values.size() ? values[u] : -1;
    }
    // Moves the reading position forward to pos, counting the lines and columns passed.
    void MoveTo(qsizetype pos)
    {
        const QChar* text = FText.constData();
        for (; FPos < pos; ++FPos) {
            if (text[FPos] == u'\n') {
                ++FLine;
                FColumn = 1;
            } else {
                ++FColumn;
            }
        }
    }
    bool AtEnd() const { return FPos >= FText.size(); }
    QChar Peek(qsizetype ahead = 0) const
    {
        return FPos + ahead < FText.size() ? FText[FPos + ahead] : QChar();
    }
    QChar Take()
    {
        const QChar c = FText[FPos++];
        if (c == u'\n') {
            ++FLine;
            FColumn = 1;
        } else {
            ++FColumn;
        }
        return c;
    }
    bool IsNumberAhead() const { return Peek(1).isDigit() || Peek(1) == u'$'; }

    void SkipBlanks()
    {
        while (!AtEnd()) {
            if (Peek().isSpace()) {
                Take();
            } else if (Peek() == u'/' && Peek(1) == u'/') {
                while (!AtEnd() && Peek() != u'\n')
                    Take();
            } else {
                break;
            }
        }
    }

    Token Number(Token& token)
    {
        QString text;
        bool negative = false;
        if (Peek() == u'-' || Peek() == u'+') {
            negative = Peek() == u'-';
            text += Take();
        }
        bool ok = false;
        if (Peek() == u'$') {
            text += Take();
            QString digits;
            while (!AtEnd() && IsHexDigit(Peek()))
                digits += Take();
            text += digits;
            const qulonglong value = digits.toULongLong(&ok, 16);
            if (!ok || digits.isEmpty() || value > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
                Fail(token.Line, token.Column, QStringLiteral("Invalid number '%1'").arg(text));
            token.TokenKind = Token::Kind::Integer;
            token.Integer = negative ? -static_cast<qint64>(value) : static_cast<qint64>(value);
            token.Text = text;
            return token;
        }
        bool isFloat = false;
        while (!AtEnd() && (Peek().isDigit() || Peek() == u'.' || Peek() == u'e' || Peek() == u'E'
                            || ((Peek() == u'-' || Peek() == u'+') && (text.endsWith(u'e') || text.endsWith(u'E'))))) {
            if (!Peek().isDigit())
                isFloat = true;
            text += Take();
        }
        token.Text = text;
        if (isFloat) {
            token.TokenKind = Token::Kind::Float;
            token.Float = text.toDouble(&ok);
        } else {
            token.TokenKind = Token::Kind::Integer;
            token.Integer = text.toLongLong(&ok);
        }
        if (!ok)
            Fail(token.Line, token.Column, QStringLiteral("Invalid number '%1'").arg(text));
        return token;
    }

    // Quoted parts and #nnn character codes, side by side, make one string.
    Token String(Token& token)
    {
        token.TokenKind = Token::Kind::String;
        while (!AtEnd() && (Peek() == u'\'' || Peek() == u'#')) {
            if (Peek() == u'\'') {
                Take();
                while (true) {
                    if (AtEnd() || Peek() == u'\n')
                        Fail(token.Line, token.Column, QStringLiteral("String is not closed"));
                    const QChar c = Take();
                    if (c == u'\'') {
                        if (Peek() == u'\'') {
                            Take();
                            token.Text += u'\'';
                            continue;
                        }
                        break;
                    }
                    token.Text += c;
                }
            } else {
                const int line = FLine, column = FColumn;
                Take();
                QString digits;
                while (!AtEnd() && Peek().isDigit())
                    digits += Take();
                bool ok = false;
                const uint code = digits.toUInt(&ok);
                if (!ok || code > 0x10FFFF)
                    Fail(line, column, QStringLiteral("Invalid character code '#%1'").arg(digits));
                token.Text += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            }
        }
        return token;
    }

    const QString& FText;
    qsizetype FPos = 0;
    int FLine = 1;
    int FColumn = 1;
};

class Parser {
public:
    explicit Parser(const QString& text) : FLexer(text) { Advance(); }

    TDescriptionNode Root()
    {
        TDescriptionNode node = Object();
        if (FToken.TokenKind != Token::Kind::End)
            Fail(FToken.Line, FToken.Column, QStringLiteral("Expected end of text but found %1").arg(Describe(FToken)));
        return node;
    }

private:
    void Advance() { FToken = FLexer.Next(); }

    bool IsKeyword(const char* word) const
    {
        return FToken.TokenKind == Token::Kind::Identifier && FToken.Text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(char16_t symbol) const
    {
        return FToken.TokenKind == Token::Kind::Symbol && FToken.Text == QChar(symbol);
    }
    void ExpectSymbol(char16_t symbol)
    {
        if (!IsSymbol(symbol))
            Fail(FToken.Line, FToken.Column,
                 QStringLiteral("Expected '%1' but found %2").arg(QChar(symbol)).arg(Describe(FToken)));
        Advance();
    }
    QString ExpectIdentifier(const char* what)
    {
        if (FToken.TokenKind != Token::Kind::Identifier || FToken.Text.contains(u'.'))
            Fail(FToken.Line, FToken.Column,
                 QStringLiteral("Expected %1 but found %2").arg(QLatin1String(what), Describe(FToken)));
        QString text = FToken.Text;
        Advance();
        return text;
    }

    TDescriptionNode Object()
    {
        if (!IsKeyword("object"))
            Fail(FToken.Line, FToken.Column, QStringLiteral("Expected 'object' but found %1").arg(Describe(FToken)));
        TDescriptionNode node;
        node.Line = FToken.Line;
        node.Column = FToken.Column;
        Advance();
        node.Name = ExpectIdentifier("a component name");
        ExpectSymbol(u':');
        node.ClassName = ExpectIdentifier("a class name");
        while (!IsKeyword("end") && !IsKeyword("object")) {
            if (FToken.TokenKind != Token::Kind::Identifier)
                Fail(FToken.Line, FToken.Column,
                     QStringLiteral("Expected a property name, 'object' or 'end' but found %1").arg(Describe(FToken)));
            TDescriptionProperty property;
            property.Name = FToken.Text;
            property.Line = FToken.Line;
            property.Column = FToken.Column;
            Advance();
            ExpectSymbol(u'=');
            property.Value = Value();
            node.Properties.push_back(std::move(property));
        }
        while (IsKeyword("object"))
            node.Children.push_back(Object());
        if (!IsKeyword("end"))
            Fail(FToken.Line, FToken.Column, QStringLiteral("Expected 'end' but found %1").arg(Describe(FToken)));
        Advance();
        return node;
    }

    TDescriptionValue Value()
    {
        TDescriptionValue value;
        value.Line = FToken.Line;
        value.Column = FToken.Column;
        switch (FToken.TokenKind) {
        case Token::Kind::Integer:
            value.ValueKind = TDescriptionValue::Kind::Integer;
            value.Integer = FToken.Integer;
            Advance();
            return value;
        case Token::Kind::Float:
            value.ValueKind = TDescriptionValue::Kind::Float;
            value.Float = FToken.Float;
            Advance();
            return value;
        case Token::Kind::String:
            value.ValueKind = TDescriptionValue::Kind::String;
            value.Text = FToken.Text;
            Advance();
            // Long texts are written as parts joined with '+'.
            while (IsSymbol(u'+')) {
                Advance();
                if (FToken.TokenKind != Token::Kind::String)
                    Fail(FToken.Line, FToken.Column, QStringLiteral("Expected a string after '+' but found %1").arg(Describe(FToken)));
                value.Text += FToken.Text;
                Advance();
            }
            return value;
        case Token::Kind::Identifier:
            value.ValueKind = TDescriptionValue::Kind::Identifier;
            value.Text = FToken.Text;
            Advance();
            return value;
        case Token::Kind::Symbol:
            if (IsSymbol(u'['))
                return Set(value);
            if (IsSymbol(u'('))
                return List(value);
            if (IsSymbol(u'{')) {
                value.ValueKind = TDescriptionValue::Kind::Binary;
                value.Binary = FLexer.Binary(value.Line, value.Column);
                Advance();
                return value;
            }
            break;
        default:
            break;
        }
        Fail(FToken.Line, FToken.Column, QStringLiteral("Expected a value but found %1").arg(Describe(FToken)));
    }

    TDescriptionValue Set(TDescriptionValue& value)
    {
        value.ValueKind = TDescriptionValue::Kind::Set;
        Advance();
        if (!IsSymbol(u']')) {
            value.Identifiers.append(ExpectIdentifier("a set element"));
            while (IsSymbol(u',')) {
                Advance();
                value.Identifiers.append(ExpectIdentifier("a set element"));
            }
        }
        ExpectSymbol(u']');
        return value;
    }

    TDescriptionValue List(TDescriptionValue& value)
    {
        value.ValueKind = TDescriptionValue::Kind::List;
        Advance();
        while (!IsSymbol(u')')) {
            if (FToken.TokenKind == Token::Kind::End)
                Fail(value.Line, value.Column, QStringLiteral("List is not closed with ')'"));
            value.Items.push_back(Value());
        }
        Advance();
        return value;
    }

    Lexer FLexer;
    Token FToken;
};

// ----- Applying it to components -----------------------------------------------------------------------

QHash<int, TEventBinder>& EventBinders()
{
    static QHash<int, TEventBinder> binders;
    return binders;
}

QHash<QString, qint64>& IntegerIdentifiers()
{
    static QHash<QString, qint64> identifiers = [] {
        QHash<QString, qint64> table{
            {QStringLiteral("clBlack"), clBlack}, {QStringLiteral("clMaroon"), clMaroon},
            {QStringLiteral("clGreen"), clGreen}, {QStringLiteral("clOlive"), clOlive},
            {QStringLiteral("clNavy"), clNavy}, {QStringLiteral("clPurple"), clPurple},
            {QStringLiteral("clTeal"), clTeal}, {QStringLiteral("clGray"), clGray},
            {QStringLiteral("clSilver"), clSilver}, {QStringLiteral("clRed"), clRed},
            {QStringLiteral("clLime"), clLime}, {QStringLiteral("clYellow"), clYellow},
            {QStringLiteral("clBlue"), clBlue}, {QStringLiteral("clFuchsia"), clFuchsia},
            {QStringLiteral("clAqua"), clAqua}, {QStringLiteral("clWhite"), clWhite},
            {QStringLiteral("clNone"), clNone},
            {QStringLiteral("clScrollBar"), clScrollBar}, {QStringLiteral("clBackground"), clBackground},
            {QStringLiteral("clActiveCaption"), clActiveCaption}, {QStringLiteral("clInactiveCaption"), clInactiveCaption},
            {QStringLiteral("clMenu"), clMenu}, {QStringLiteral("clWindow"), clWindow},
            {QStringLiteral("clWindowFrame"), clWindowFrame}, {QStringLiteral("clMenuText"), clMenuText},
            {QStringLiteral("clWindowText"), clWindowText}, {QStringLiteral("clCaptionText"), clCaptionText},
            {QStringLiteral("clActiveBorder"), clActiveBorder}, {QStringLiteral("clInactiveBorder"), clInactiveBorder},
            {QStringLiteral("clAppWorkSpace"), clAppWorkSpace}, {QStringLiteral("clHighlight"), clHighlight},
            {QStringLiteral("clHighlightText"), clHighlightText}, {QStringLiteral("clBtnFace"), clBtnFace},
            {QStringLiteral("clBtnShadow"), clBtnShadow}, {QStringLiteral("clGrayText"), clGrayText},
            {QStringLiteral("clBtnText"), clBtnText}, {QStringLiteral("clInactiveCaptionText"), clInactiveCaptionText},
            {QStringLiteral("clBtnHighlight"), clBtnHighlight}, {QStringLiteral("cl3DDkShadow"), cl3DDkShadow},
            {QStringLiteral("cl3DLight"), cl3DLight}, {QStringLiteral("clInfoText"), clInfoText},
            {QStringLiteral("clInfoBk"), clInfoBk},
            {QStringLiteral("ANSI_CHARSET"), 0}, {QStringLiteral("DEFAULT_CHARSET"), 1},
            {QStringLiteral("SYMBOL_CHARSET"), 2}, {QStringLiteral("OEM_CHARSET"), 255},
        };
        return table;
    }();
    return identifiers;
}

bool IsComponentPointer(QMetaType type)
{
    return type.flags().testFlag(QMetaType::PointerToQObject) && type.metaObject()
           && type.metaObject()->inherits(&TComponent::staticMetaObject);
}

struct Fixup {
    TComponent* Component = nullptr; // whose property it is: Target itself, or the holder of a sub-property
    QObject* Target = nullptr;
    QMetaProperty Property;
    QString ComponentName;
    int Line = 0;
    int Column = 0;
};

class Loader {
public:
    explicit Loader(TComponent* root) : FRoot(root) {}

    void Read(const TDescriptionNode& node)
    {
        const QString rootClass = FRoot->ClassName();
        if (node.ClassName != rootClass)
            Fail(node.Line, node.Column,
                 QStringLiteral("The description is of class '%1', not '%2'").arg(node.ClassName, rootClass));
        const int componentsBefore = FRoot->ComponentCount();
        try {
            FRoot->BeginLoading();
            FLoaded.push_back(FRoot);
            SetName(FRoot, node);
            ApplyProperties(FRoot, node);
            for (const TDescriptionNode& child : node.Children)
                CreateComponent(FRoot, child);
            ResolveFixups();
            for (TComponent* component : FLoaded)
                component->Loaded();
        } catch (...) {
            Discard(componentsBefore);
            throw;
        }
    }

private:
    // A description that fails halfway leaves no half-built tree behind: the root's references to the
    // components this read created are cleared, those components are destroyed, newest first (a child
    // before its parent), and the root is no longer loading. Values the root itself was given stay.
    void Discard(int componentsBefore)
    {
        for (const QMetaProperty& field : FPublishedFields) {
            QObject* none = nullptr;
            field.write(FRoot, QVariant(field.metaType(), &none));
        }
        for (size_t i = FResolvedFixups; i-- > 0;) {
            const Fixup& fixup = FFixups[i];
            if (fixup.Component != FRoot)
                continue;
            QObject* none = nullptr;
            fixup.Property.write(fixup.Target, QVariant(fixup.Property.metaType(), &none));
        }
        while (FRoot->ComponentCount() > componentsBefore)
            delete FRoot->Components(FRoot->ComponentCount() - 1);
        // Only the loading state ends: the root's own end-of-loading work is for a complete tree.
        FRoot->TComponent::Loaded();
    }

    void SetName(TComponent* component, const TDescriptionNode& node)
    {
        try {
            component->SetName(node.Name);
        } catch (const Exception& error) {
            Fail(node.Line, node.Column, error.Message());
        }
    }

    // The class of a node: a registered one, or the type of the root's published reference of that name.
    TComponentFactory FactoryFor(const TDescriptionNode& node) const
    {
        if (TComponentFactory factory = FindComponentClass(node.ClassName))
            return factory;
        Fail(node.Line, node.Column, QStringLiteral("Unknown class '%1'").arg(node.ClassName));
    }

    void CreateComponent(TComponent* parent, const TDescriptionNode& node)
    {
        TComponent* component = FactoryFor(node)(FRoot);
        component->BeginLoading();
        FLoaded.push_back(component);
        SetName(component, node);
        PublishReference(component, node);
        component->SetParentComponent(parent);
        ApplyProperties(component, node);
        for (const TDescriptionNode& child : node.Children)
            CreateComponent(component, child);
    }

    // The root's published field of the component's name refers to the component.
    void PublishReference(TComponent* component, const TDescriptionNode& node)
    {
        const QMetaObject* rootMeta = FRoot->metaObject();
        const int index = rootMeta->indexOfProperty(node.Name.toLatin1().constData());
        if (index < 0)
            return;
        const QMetaProperty property = rootMeta->property(index);
        if (!IsComponentPointer(property.metaType()))
            return;
        if (!component->metaObject()->inherits(property.metaType().metaObject()))
            Fail(node.Line, node.Column,
                 QStringLiteral("Field '%1' of '%2' needs a %3, but '%1' is a %4")
                     .arg(node.Name, FRoot->ClassName(), QLatin1String(property.metaType().metaObject()->className()),
                          node.ClassName));
        QObject* pointer = component;
        property.write(FRoot, QVariant(property.metaType(), &pointer));
        FPublishedFields.push_back(property);
    }

    void ApplyProperties(TComponent* component, const TDescriptionNode& node)
    {
        for (const TDescriptionProperty& property : node.Properties)
            ApplyProperty(component, property);
    }

    void ApplyProperty(TComponent* component, const TDescriptionProperty& entry)
    {
        QObject* target = component;
        const QStringList path = entry.Name.split(u'.');
        for (qsizetype i = 0; i + 1 < path.size(); ++i) {
            const QMetaProperty holder = FindProperty(target, path[i], entry);
            QObject* sub = holder.metaType().flags().testFlag(QMetaType::PointerToQObject)
                               ? holder.read(target).value<QObject*>()
                               : nullptr;
            if (!sub)
                Fail(entry.Line, entry.Column,
                     QStringLiteral("Property '%1' of '%2' has no sub-properties").arg(path[i], ClassOf(target)));
            target = sub;
        }
        const QMetaProperty property = FindProperty(target, path.last(), entry);
        if (!property.isWritable())
            Fail(entry.Line, entry.Column,
                 QStringLiteral("Property '%1' of '%2' is read-only").arg(path.last(), ClassOf(target)));
        if (IsComponentPointer(property.metaType())) {
            if (entry.Value.ValueKind != TDescriptionValue::Kind::Identifier)
                WrongKind(entry, target, QStringLiteral("a component name"));
            FFixups.push_back(Fixup{component, target, property, entry.Value.Text, entry.Value.Line, entry.Value.Column});
            return;
        }
        Write(target, property, Convert(target, property, entry), entry);
    }

    static QString ClassOf(const QObject* object) { return QString::fromLatin1(object->metaObject()->className()); }

    QMetaProperty FindProperty(QObject* target, const QString& name, const TDescriptionProperty& entry) const
    {
        // Only declared properties count: an unknown name is an error, never a new dynamic property.
        const int index = target->metaObject()->indexOfProperty(name.toLatin1().constData());
        if (index < 0)
            Fail(entry.Line, entry.Column, QStringLiteral("Class '%1' has no property '%2'").arg(ClassOf(target), name));
        return target->metaObject()->property(index);
    }

    [[noreturn]] void BadValue(const TDescriptionProperty& entry, QObject* target, const QString& why) const
    {
        Fail(entry.Value.Line, entry.Value.Column,
             QStringLiteral("Invalid value for property '%1' of '%2': %3").arg(entry.Name, ClassOf(target), why));
    }

    // A value of the wrong kind: the message says what was expected and what the description holds.
    [[noreturn]] void WrongKind(const TDescriptionProperty& entry, QObject* target, const QString& expected) const
    {
        BadValue(entry, target, QStringLiteral("%1 is expected but found %2").arg(expected, DescribeValue(entry.Value)));
    }

    QVariant Convert(QObject* target, const QMetaProperty& property, const TDescriptionProperty& entry)
    {
        const TDescriptionValue& value = entry.Value;
        const QMetaType type = property.metaType();
        using Kind = TDescriptionValue::Kind;

        if (auto binder = EventBinders().constFind(type.id()); binder != EventBinders().constEnd()) {
            if (value.ValueKind != Kind::Identifier)
                WrongKind(entry, target, QStringLiteral("a handler name"));
            std::optional<QVariant> event = (*binder)(FRoot, value.Text.toLatin1());
            if (!event)
                Fail(value.Line, value.Column,
                     QStringLiteral("Class '%1' has no handler '%2' for event '%3'")
                         .arg(FRoot->ClassName(), value.Text, QString::fromLatin1(property.name())));
            return *event;
        }
        if (property.isFlagType()) {
            if (value.ValueKind != Kind::Set)
                WrongKind(entry, target, QStringLiteral("a set"));
            int bits = 0;
            const QMetaEnum flags = property.enumerator();
            for (const QString& name : value.Identifiers) {
                bool ok = false;
                const int bit = flags.keyToValue(name.toLatin1().constData(), &ok);
                if (!ok)
                    BadValue(entry, target, QStringLiteral("'%1' is not an element of %2").arg(name, QLatin1String(flags.name())));
                bits |= bit;
            }
            return QVariant(type, &bits);
        }
        if (property.isEnumType()) {
            if (value.ValueKind != Kind::Identifier)
                WrongKind(entry, target, QStringLiteral("an identifier"));
            bool ok = false;
            const QMetaEnum enumeration = property.enumerator();
            int number = enumeration.keyToValue(value.Text.toLatin1().constData(), &ok);
            if (!ok)
                BadValue(entry, target, QStringLiteral("'%1' is not a value of %2").arg(value.Text, QLatin1String(enumeration.name())));
            return QVariant(type, &number);
        }
        switch (type.id()) {
        case QMetaType::Bool:
            if (value.ValueKind == Kind::Identifier) {
                if (value.Text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                    return QVariant(true);
                if (value.Text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                    return QVariant(false);
            }
            WrongKind(entry, target, QStringLiteral("True or False"));
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::UChar:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::LongLong: {
            qint64 number = 0;
            if (value.ValueKind == Kind::Integer) {
                number = value.Integer;
            } else if (value.ValueKind == Kind::Identifier && IntegerIdentifiers().contains(value.Text)) {
                number = IntegerIdentifiers().value(value.Text);
            } else {
                WrongKind(entry, target, QStringLiteral("an integer"));
            }
            return CheckedInteger(entry, target, type, number);
        }
        case QMetaType::Double:
        case QMetaType::Float:
            if (value.ValueKind == Kind::Integer)
                return QVariant(static_cast<double>(value.Integer));
            if (value.ValueKind == Kind::Float)
                return QVariant(value.Float);
            WrongKind(entry, target, QStringLiteral("a number"));
        case QMetaType::QString:
            if (value.ValueKind != Kind::String)
                WrongKind(entry, target, QStringLiteral("a string"));
            return QVariant(value.Text);
        case QMetaType::QStringList: {
            if (value.ValueKind != Kind::List)
                WrongKind(entry, target, QStringLiteral("a list of strings"));
            QStringList items;
            for (const TDescriptionValue& item : value.Items) {
                if (item.ValueKind != Kind::String)
                    Fail(item.Line, item.Column,
                         QStringLiteral("Invalid value for property '%1' of '%2': a list of strings is expected but found %3")
                             .arg(entry.Name, ClassOf(target), DescribeValue(item)));
                items.append(item.Text);
            }
            return QVariant(items);
        }
        case QMetaType::QByteArray:
            if (value.ValueKind != Kind::Binary)
                WrongKind(entry, target, QStringLiteral("binary data"));
            return QVariant(value.Binary);
        default:
            break;
        }
        BadValue(entry, target, QStringLiteral("properties of type %1 cannot be stored").arg(QLatin1String(type.name())));
    }

    QVariant CheckedInteger(const TDescriptionProperty& entry, QObject* target, QMetaType type, qint64 number) const
    {
        qint64 low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
        switch (type.id()) {
        case QMetaType::UInt: low = 0; high = std::numeric_limits<uint>::max(); break;
        case QMetaType::UChar: low = 0; high = 255; break;
        case QMetaType::Short: low = -32768; high = 32767; break;
        case QMetaType::UShort: low = 0; high = 65535; break;
        case QMetaType::LongLong: low = std::numeric_limits<qint64>::min(); high = std::numeric_limits<qint64>::max(); break;
        default:
            // Colours and other 32-bit values are written unsigned as often as signed.
            low = std::numeric_limits<int>::min();
            high = std::numeric_limits<uint>::max();
            break;
        }
        if (number < low || number > high)
            BadValue(entry, target, QStringLiteral("%1 is out of range").arg(number));
        switch (type.id()) {
        case QMetaType::UInt: return QVariant(static_cast<uint>(number));
        case QMetaType::UChar: return QVariant::fromValue(static_cast<uchar>(number));
        case QMetaType::Short: return QVariant::fromValue(static_cast<short>(number));
        case QMetaType::UShort: return QVariant::fromValue(static_cast<ushort>(number));
        case QMetaType::LongLong: return QVariant(number);
        default: return QVariant(static_cast<int>(static_cast<uint32_t>(number)));
        }
    }

    void Write(QObject* target, const QMetaProperty& property, const QVariant& value, const TDescriptionProperty& entry)
    {
        bool written = false;
        try {
            written = property.write(target, value);
        } catch (const Exception& error) {
            BadValue(entry, target, error.Message());
        } catch (const std::exception& error) {
            BadValue(entry, target, QString::fromUtf8(error.what()));
        }
        if (!written)
            BadValue(entry, target, QStringLiteral("the value does not fit the property"));
    }

    void ResolveFixups()
    {
        for (const Fixup& fixup : FFixups) {
            TComponent* component = fixup.ComponentName.compare(FRoot->Name(), Qt::CaseInsensitive) == 0
                                        ? FRoot
                                        : FRoot->FindComponent(fixup.ComponentName);
            if (!component)
                Fail(fixup.Line, fixup.Column,
                     QStringLiteral("Unresolved reference '%1' in property '%2' of '%3'")
                         .arg(fixup.ComponentName, QString::fromLatin1(fixup.Property.name()), ClassOf(fixup.Target)));
            const QMetaObject* wanted = fixup.Property.metaType().metaObject();
            if (!component->metaObject()->inherits(wanted))
                Fail(fixup.Line, fixup.Column,
                     QStringLiteral("Property '%1' of '%2' needs a %3, but '%4' is a %5")
                         .arg(QString::fromLatin1(fixup.Property.name()), ClassOf(fixup.Target),
                              QLatin1String(wanted->className()), fixup.ComponentName, component->ClassName()));
            QObject* pointer = component;
            bool written = false;
            try {
                written = fixup.Property.write(fixup.Target, QVariant(fixup.Property.metaType(), &pointer));
            } catch (const Exception& error) {
                Fail(fixup.Line, fixup.Column, error.Message());
            }
            if (!written)
                Fail(fixup.Line, fixup.Column,
                     QStringLiteral("Reference '%1' does not fit property '%2'")
                         .arg(fixup.ComponentName, QString::fromLatin1(fixup.Property.name())));
            ++FResolvedFixups;
        }
    }

    TComponent* FRoot;
    std::vector<TComponent*> FLoaded;
    std::vector<Fixup> FFixups;
    size_t FResolvedFixups = 0;
    std::vector<QMetaProperty> FPublishedFields;
};

[[maybe_unused]] const bool PlatformEventsRegistered = RegisterEventType<TNotifyEvent>()
                                                       && RegisterEventType<TMouseEvent>()
                                                       && RegisterEventType<TMouseMoveEvent>()
                                                       && RegisterEventType<TCanResizeEvent>()
                                                       && RegisterEventType<TConstrainedResizeEvent>()
                                                       && RegisterEventType<TCloseEvent>();
} // namespace

TDescriptionNode ParseDescription(const QString& text)
{
    Parser parser(text);
    return parser.Root();
}

void ReadComponentDescription(const QString& text, TComponent* root)
{
    ReadComponentDescription(ParseDescription(text), root);
}

void ReadComponentDescription(const TDescriptionNode& node, TComponent* root)
{
    Loader loader(root);
    loader.Read(node);
}

void RegisterEventBinder(QMetaType eventType, TEventBinder binder)
{
    EventBinders().insert(eventType.id(), std::move(binder));
}

void RegisterIntegerIdentifier(const QString& name, qint64 value)
{
    IntegerIdentifiers().insert(name, value);
}
