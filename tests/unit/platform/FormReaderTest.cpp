// The form reader: what a description builds, and how it reports a description it cannot read.

#include "platform/ExtCtrls.h"
#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

void PrintTo(const QString& text, std::ostream* out) { *out << testing::PrintToString(text.toStdString()); }

namespace {
// What the recording components saw, in the order they saw it: "Alpha.Number", "Beta.Parent=Alpha", ...
QStringList& Journal()
{
    static QStringList journal;
    return journal;
}
} // namespace

// A component with one published property of every kind a description stores. Its setters, its
// placement under a parent and its end of loading are written to the journal.
class TRecorder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Number READ Number WRITE SetNumber)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(uchar Small READ Small WRITE SetSmall)
    Q_PROPERTY(bool Flag READ Flag WRITE SetFlag)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(TStrings* Items READ Items)
    Q_PROPERTY(TPicture* Picture READ Picture)
    Q_PROPERTY(TRecorder* Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(int Fixed READ Fixed)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)

public:
    explicit TRecorder(TComponent* owner) : TComponent(owner) {}

    int Number() const { return FNumber; }
    void SetNumber(int value) { Record("Number"), FNumber = value; }
    int Color() const { return FColor; }
    void SetColor(int value) { Record("Color"), FColor = value; }
    uchar Small() const { return FSmall; }
    void SetSmall(uchar value) { Record("Small"), FSmall = value; }
    bool Flag() const { return FFlag; }
    void SetFlag(bool value) { Record("Flag"), FFlag = value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double value) { Record("Ratio"), FRatio = value; }
    const QString& Text() const { return FText; }
    void SetText(const QString& value) { Record("Text"), FText = value; }
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value) { Record("Align"), FAlign = value; }
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value) { Record("Anchors"), FAnchors = value; }
    TFont* Font() const { return FFont.get(); }
    TStrings* Items() const { return FItems.get(); }
    TPicture* Picture() const { return FPicture.get(); }
    TRecorder* Buddy() const { return FBuddy; }
    void SetBuddy(TRecorder* value)
    {
        Record(QStringLiteral("Buddy=%1").arg(value ? value->Name() : QStringLiteral("nil")));
        FBuddy = value;
    }
    int Fixed() const { return 3; }

    TComponent* ParentComponent() const { return FParentComponent; }
    void SetParentComponent(TComponent* parent) override
    {
        Record(QStringLiteral("Parent=%1").arg(parent->Name()));
        FParentComponent = parent;
    }
    void Loaded() override
    {
        Record(IsLoading() ? QStringLiteral("Loaded") : QStringLiteral("Loaded while not loading"));
        TComponent::Loaded();
    }

    TNotifyEvent OnClick;

private:
    void Record(const QString& what) const { Journal().append(Name() + u'.' + what); }
    void Record(const char* what) const { Record(QString::fromLatin1(what)); }

    int FNumber = 0;
    int FColor = 0;
    uchar FSmall = 0;
    bool FFlag = false;
    double FRatio = 0;
    QString FText;
    TAlign FAlign = alNone;
    TAnchors FAnchors = AnchorsLeftTop();
    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    std::unique_ptr<TStrings> FItems = std::make_unique<TStrings>();
    std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
    TRecorder* FBuddy = nullptr;
    TComponent* FParentComponent = nullptr;
};
REGISTER_COMPONENT_CLASS(TRecorder);

// A component of another class, for references that name the wrong kind of component.
class TStranger : public TComponent {
    Q_OBJECT
public:
    explicit TStranger(TComponent* owner) : TComponent(owner) {}
};
REGISTER_COMPONENT_CLASS(TStranger);

// The root of the test descriptions: a published field for the component named Alpha, and handlers.
class TRecorderRoot : public TRecorder {
    Q_OBJECT
    Q_PROPERTY(TRecorder* Alpha MEMBER Alpha)

public:
    explicit TRecorderRoot(TComponent* owner) : TRecorder(owner) {}

    Q_INVOKABLE void AlphaClick(TObject* Sender) { Clicked.push_back(Sender); }
    Q_INVOKABLE void NotAHandler(int) {}

    TRecorder* Alpha = nullptr;
    std::vector<TObject*> Clicked;
};

namespace {

class FormReaderTest : public testing::Test {
protected:
    void SetUp() override { Journal().clear(); }

    TRecorder* Component(const char* name) const
    {
        return qobject_cast<TRecorder*>(Root->FindComponent(QString::fromLatin1(name)));
    }

    // The message of the read error the description raises, or "no error".
    QString ReadError(const QString& text)
    {
        try {
            ReadComponentDescription(text, Root.get());
        } catch (const EReadError& error) {
            return error.Message();
        }
        return QStringLiteral("no error");
    }

    std::unique_ptr<TRecorderRoot> Root = std::make_unique<TRecorderRoot>(nullptr);
};

const QString kTree = QStringLiteral(R"(object Root: TRecorderRoot
  Number = 7
  object Alpha: TRecorder
    Buddy = Beta
    Number = 42
    Text = 'plain'
    Color = clBtnFace
    Small = 200
    Align = alClient
    Anchors = [akLeft, akBottom]
    Flag = True
    Ratio = 0.5
    Font.Name = 'Verdana'
    Font.Style = [fsBold, fsItalic]
    Font.Height = -13
    Items.Strings = (
      'first'
      'second')
    OnClick = AlphaClick
    object Beta: TRecorder
      Number = -5
      Anchors = []
      Buddy = Alpha
    end
  end
  object Gamma: TRecorder
    Buddy = Root
  end
end
)");

TEST_F(FormReaderTest, BuildsTheTreeOwnedByTheRootWithEachNodeUnderItsEnclosingNode)
{
    ReadComponentDescription(kTree, Root.get());

    EXPECT_EQ(Root->Name(), "Root");
    ASSERT_EQ(Root->ComponentCount(), 3);
    const char* names[] = {"Alpha", "Beta", "Gamma"};
    for (int i = 0; i < 3; ++i) {
        TComponent* component = Root->Components(i);
        EXPECT_EQ(component->Name(), names[i]);
        EXPECT_EQ(component->ClassName(), "TRecorder");
        EXPECT_EQ(component->Owner(), Root.get());
        EXPECT_EQ(component->ComponentCount(), 0) << names[i] << " owns nothing: the root owns every node";
    }
    EXPECT_EQ(Component("Alpha")->ParentComponent(), Root.get());
    EXPECT_EQ(Component("Beta")->ParentComponent(), Component("Alpha"));
    EXPECT_EQ(Component("Gamma")->ParentComponent(), Root.get());
    EXPECT_EQ(Root->Alpha, Component("Alpha")) << "the root's published field names its component";
}

TEST_F(FormReaderTest, AppliesPropertiesInStoredOrderResolvesReferencesAfterTheTreeThenEndsLoading)
{
    ReadComponentDescription(kTree, Root.get());

    const QStringList expected{
        "Root.Number",
        "Alpha.Parent=Root", "Alpha.Number", "Alpha.Text", "Alpha.Color", "Alpha.Small", "Alpha.Align",
        "Alpha.Anchors", "Alpha.Flag", "Alpha.Ratio",
        "Beta.Parent=Alpha", "Beta.Number", "Beta.Anchors",
        "Gamma.Parent=Root",
        // References, the forward one to Beta included, once every node exists; then the end of loading.
        "Alpha.Buddy=Beta", "Beta.Buddy=Alpha", "Gamma.Buddy=Root",
        "Root.Loaded", "Alpha.Loaded", "Beta.Loaded", "Gamma.Loaded",
    };
    EXPECT_EQ(Journal(), expected);
    for (TComponent* component : {static_cast<TComponent*>(Root.get()), Root->Components(0), Root->Components(1),
                                  Root->Components(2)})
        EXPECT_FALSE(component->IsLoading()) << component->Name().toStdString();
}

TEST_F(FormReaderTest, ConvertsEveryKindOfValue)
{
    ReadComponentDescription(kTree, Root.get());
    TRecorder* alpha = Component("Alpha");
    TRecorder* beta = Component("Beta");

    EXPECT_EQ(Root->Number(), 7);
    EXPECT_EQ(alpha->Number(), 42);
    EXPECT_EQ(beta->Number(), -5);
    EXPECT_EQ(alpha->Text(), "plain");
    EXPECT_EQ(alpha->Color(), clBtnFace);
    EXPECT_EQ(alpha->Small(), 200);
    EXPECT_EQ(alpha->Align(), alClient);
    EXPECT_EQ(alpha->Anchors(), TAnchors(akLeft) | akBottom);
    EXPECT_EQ(beta->Anchors(), TAnchors()) << "an empty set clears every element";
    EXPECT_TRUE(alpha->Flag());
    EXPECT_DOUBLE_EQ(alpha->Ratio(), 0.5);
    EXPECT_EQ(alpha->Font()->Name(), "Verdana");
    EXPECT_EQ(alpha->Font()->Style(), TFontStyles(fsBold) | fsItalic);
    EXPECT_EQ(alpha->Font()->Height(), -13);
    EXPECT_EQ(alpha->Items()->ToStringList(), QStringList({"first", "second"}));
    EXPECT_EQ(alpha->Buddy(), beta);
    EXPECT_EQ(beta->Buddy(), alpha);
    EXPECT_EQ(Component("Gamma")->Buddy(), Root.get()) << "the root can be referred to by its name";
}

TEST_F(FormReaderTest, BindsEventsToTheRootsPublishedMethods)
{
    ReadComponentDescription(kTree, Root.get());
    TRecorder* alpha = Component("Alpha");

    ASSERT_TRUE(alpha->OnClick);
    EXPECT_EQ(alpha->OnClick.Data(), Root.get());
    alpha->OnClick(alpha);
    alpha->OnClick(Root.get());
    EXPECT_EQ(Root->Clicked, (std::vector<TObject*>{alpha, Root.get()}));
    EXPECT_FALSE(Component("Beta")->OnClick) << "an event that is not stored stays unassigned";
}

TEST_F(FormReaderTest, PlacesControlsInTheControlOfTheEnclosingNode)
{
    auto form = std::make_unique<TForm>(nullptr);
    ReadComponentDescription(QStringLiteral(R"(object Form1: TForm
  Color = clWhite
  object Outer: TPanel
    Left = 10
    Color = clBtnFace
    Font.Style = [fsBold]
    object Inner: TPanel
      Anchors = [akLeft, akTop, akRight]
    end
  end
end
)"),
                             form.get());
    auto* outer = qobject_cast<TPanel*>(form->FindComponent(QStringLiteral("Outer")));
    auto* inner = qobject_cast<TPanel*>(form->FindComponent(QStringLiteral("Inner")));
    ASSERT_TRUE(outer && inner);
    EXPECT_EQ(outer->Parent(), form.get());
    EXPECT_EQ(inner->Parent(), outer);
    EXPECT_EQ(inner->Owner(), form.get());
    EXPECT_EQ(form->Color(), clWhite);
    EXPECT_EQ(outer->Color(), clBtnFace);
    EXPECT_EQ(outer->Left(), 10);
    EXPECT_EQ(outer->Font()->Style(), TFontStyles(fsBold));
    EXPECT_EQ(inner->Anchors(), TAnchors(akLeft) | akTop | akRight);
}

// A picture is stored as its graphic's class name (a length byte and the name) and the graphic's data.
TEST_F(FormReaderTest, ReadsBinaryDataIntoAPicture)
{
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    const uint32_t colours[2][3] = {{0x00FF0000, 0x0000FF00, 0x000000FF}, {0x00FFFFFF, 0x00000000, 0x00808080}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            bitmap.ScanLine(y)[x] = 0xFF000000u | colours[y][x];
    QByteArray data("\x07TBitmap");
    data += bitmap.SaveToData();
    // Written as the description writes it: upper-case digits, broken into lines.
    const QByteArray hex = data.toHex().toUpper();
    QString lines;
    for (qsizetype i = 0; i < hex.size(); i += 32)
        lines += QStringLiteral("\n      ") + QString::fromLatin1(hex.mid(i, 32));

    ReadComponentDescription(QStringLiteral("object Root: TRecorderRoot\n  Picture.Data = {%1}\nend\n").arg(lines),
                             Root.get());

    const TGraphic* graphic = Root->Picture()->Graphic();
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->ClassName(), "TBitmap");
    ASSERT_EQ(Root->Picture()->Width(), 3);
    ASSERT_EQ(Root->Picture()->Height(), 2);
    const auto* read = static_cast<const TBitmap*>(graphic);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(read->ScanLine(y)[x] & 0x00FFFFFFu, colours[y][x]) << "pixel " << x << "," << y;
}

struct ValueCase {
    const char* Name;
    const char* Stored;
    int Number;
};

class IntegerValueTest : public FormReaderTest, public testing::WithParamInterface<ValueCase> {};

TEST_P(IntegerValueTest, ReadsTheNumber)
{
    const QString stored = QString::fromLatin1(GetParam().Stored);
    ReadComponentDescription(QStringLiteral("object Root: TRecorderRoot\n  Number = %1\nend").arg(stored), Root.get());
    EXPECT_EQ(Root->Number(), GetParam().Number);
}

INSTANTIATE_TEST_SUITE_P(
    Integers, IntegerValueTest,
    testing::Values(ValueCase{"Decimal", "123", 123}, ValueCase{"Zero", "0", 0}, ValueCase{"Negative", "-42", -42},
                    ValueCase{"Plus", "+8", 8}, ValueCase{"Hexadecimal", "$1F", 31},
                    ValueCase{"LowerCaseHexadecimal", "$ff", 255}, ValueCase{"NegativeHexadecimal", "-$10", -16},
                    // 32-bit values written unsigned, as colours are: the bits are kept.
                    ValueCase{"UnsignedHexadecimal", "$8000000F", clBtnFace},
                    ValueCase{"LargestInteger", "2147483647", 2147483647},
                    ValueCase{"SmallestInteger", "-2147483648", -2147483647 - 1},
                    ValueCase{"SystemColour", "clBtnFace", clBtnFace}, ValueCase{"Colour", "clWhite", clWhite},
                    ValueCase{"WindowTextColour", "clWindowText", clWindowText},
                    ValueCase{"Charset", "DEFAULT_CHARSET", 1}),
    [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.Name); });

struct StringCase {
    const char* Name;
    const char* Stored;
    QString Text;
};

class StringValueTest : public FormReaderTest, public testing::WithParamInterface<StringCase> {};

TEST_P(StringValueTest, ReadsTheText)
{
    const QString stored = QString::fromUtf8(GetParam().Stored);
    ReadComponentDescription(QStringLiteral("object Root: TRecorderRoot\n  Text = %1\nend").arg(stored), Root.get());
    EXPECT_EQ(Root->Text(), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, StringValueTest,
    testing::Values(StringCase{"Plain", "'Setup'", "Setup"}, StringCase{"Empty", "''", ""},
                    StringCase{"DoubledQuote", "'It''s here'", "It's here"},
                    StringCase{"OnlyAQuote", "''''", "'"},
                    StringCase{"LineBreak", "'one'#13#10'two'", "one\r\ntwo"},
                    StringCase{"CodesOnly", "#65#66", "AB"},
                    StringCase{"CodeBeyondAscii", "'caf'#233", QStringLiteral("caf\u00E9")},
                    StringCase{"JoinedAcrossLines", "'first part' +\n    ' second part' +\n    ' third'",
                               "first part second part third"},
                    StringCase{"JoinedWithCodes", "'a'#13#10 + 'b'", "a\r\nb"},
                    StringCase{"KeepsBlanks", "'  spaced  '", "  spaced  "}),
    [](const testing::TestParamInfo<StringCase>& info) { return std::string(info.param.Name); });

struct ErrorCase {
    const char* Name;
    const char* Description;
    const char* Message;
};

void PrintTo(const ErrorCase& error, std::ostream* out) { *out << error.Name; }

class ReadErrorTest : public FormReaderTest, public testing::WithParamInterface<ErrorCase> {};

TEST_P(ReadErrorTest, NamesWhatIsWrongAndWhere)
{
    EXPECT_EQ(ReadError(QString::fromUtf8(GetParam().Description)), QString::fromUtf8(GetParam().Message));
}

// Columns count from 1; "Root" always starts at line 1, column 1.
INSTANTIATE_TEST_SUITE_P(
    Descriptions, ReadErrorTest,
    testing::Values(
        ErrorCase{"UnknownClass", "object Root: TRecorderRoot\n  object Widget: TNoSuchClass\n  end\nend",
                  "Line 2, column 3: Unknown class 'TNoSuchClass'"},
        ErrorCase{"UnknownProperty",
                  "object Root: TRecorderRoot\n  object Alpha: TRecorder\n    Colour = 5\n  end\nend",
                  "Line 3, column 5: Class 'TRecorder' has no property 'Colour'"},
        ErrorCase{"UnknownSubProperty", "object Root: TRecorderRoot\n  Font.Nmae = 'Verdana'\nend",
                  "Line 2, column 3: Class 'TFont' has no property 'Nmae'"},
        ErrorCase{"SubPropertyOfAPlainValue", "object Root: TRecorderRoot\n  Number.Low = 1\nend",
                  "Line 2, column 3: Property 'Number' of 'TRecorderRoot' has no sub-properties"},
        ErrorCase{"ReadOnlyProperty", "object Root: TRecorderRoot\n  Fixed = 4\nend",
                  "Line 2, column 3: Property 'Fixed' of 'TRecorderRoot' is read-only"},
        ErrorCase{"UnknownHandler", "object Root: TRecorderRoot\n  OnClick = RootClick\nend",
                  "Line 2, column 13: Class 'TRecorderRoot' has no handler 'RootClick' for event 'OnClick'"},
        ErrorCase{"HandlerOfTheWrongSignature", "object Root: TRecorderRoot\n  OnClick = NotAHandler\nend",
                  "Line 2, column 13: Class 'TRecorderRoot' has no handler 'NotAHandler' for event 'OnClick'"},
        ErrorCase{"HandlerAsString", "object Root: TRecorderRoot\n  OnClick = 'AlphaClick'\nend",
                  "Line 2, column 13: Invalid value for property 'OnClick' of 'TRecorderRoot': a handler name is "
                  "expected but found string 'AlphaClick'"},
        ErrorCase{"StringForAnInteger", "object Root: TRecorderRoot\n  Number = '12'\nend",
                  "Line 2, column 12: Invalid value for property 'Number' of 'TRecorderRoot': an integer is "
                  "expected but found string '12'"},
        ErrorCase{"UnknownColour", "object Root: TRecorderRoot\n  Color = clBtnFcae\nend",
                  "Line 2, column 11: Invalid value for property 'Color' of 'TRecorderRoot': an integer is "
                  "expected but found identifier 'clBtnFcae'"},
        ErrorCase{"FloatForAnInteger", "object Root: TRecorderRoot\n  Number = 1.5\nend",
                  "Line 2, column 12: Invalid value for property 'Number' of 'TRecorderRoot': an integer is "
                  "expected but found number 1.5"},
        ErrorCase{"IntegerOutOfRange", "object Root: TRecorderRoot\n  Number = 4294967296\nend",
                  "Line 2, column 12: Invalid value for property 'Number' of 'TRecorderRoot': 4294967296 is out "
                  "of range"},
        ErrorCase{"NegativeIntegerOutOfRange", "object Root: TRecorderRoot\n  Number = -2147483649\nend",
                  "Line 2, column 12: Invalid value for property 'Number' of 'TRecorderRoot': -2147483649 is out "
                  "of range"},
        ErrorCase{"ByteOutOfRange", "object Root: TRecorderRoot\n  Small = 256\nend",
                  "Line 2, column 11: Invalid value for property 'Small' of 'TRecorderRoot': 256 is out of range"},
        ErrorCase{"NumberTooLong", "object Root: TRecorderRoot\n  Number = 99999999999999999999\nend",
                  "Line 2, column 12: Invalid number '99999999999999999999'"},
        ErrorCase{"UnknownEnumValue", "object Root: TRecorderRoot\n  Align = alMiddle\nend",
                  "Line 2, column 11: Invalid value for property 'Align' of 'TRecorderRoot': 'alMiddle' is not a "
                  "value of TAlign"},
        ErrorCase{"IntegerForAnEnum", "object Root: TRecorderRoot\n  Align = 2\nend",
                  "Line 2, column 11: Invalid value for property 'Align' of 'TRecorderRoot': an identifier is "
                  "expected but found integer 2"},
        ErrorCase{"UnknownSetElement", "object Root: TRecorderRoot\n  Anchors = [akLeft, akFront]\nend",
                  "Line 2, column 13: Invalid value for property 'Anchors' of 'TRecorderRoot': 'akFront' is not "
                  "an element of TAnchors"},
        ErrorCase{"IdentifierForASet", "object Root: TRecorderRoot\n  Anchors = akLeft\nend",
                  "Line 2, column 13: Invalid value for property 'Anchors' of 'TRecorderRoot': a set is expected "
                  "but found identifier 'akLeft'"},
        ErrorCase{"NotABoolean", "object Root: TRecorderRoot\n  Flag = Yes\nend",
                  "Line 2, column 10: Invalid value for property 'Flag' of 'TRecorderRoot': True or False is "
                  "expected but found identifier 'Yes'"},
        ErrorCase{"IntegerForAString", "object Root: TRecorderRoot\n  Text = 5\nend",
                  "Line 2, column 10: Invalid value for property 'Text' of 'TRecorderRoot': a string is expected "
                  "but found integer 5"},
        ErrorCase{"NumberInAStringList", "object Root: TRecorderRoot\n  Items.Strings = (\n    'a'\n    7)\nend",
                  "Line 4, column 5: Invalid value for property 'Items.Strings' of 'TStrings': a list of strings "
                  "is expected but found integer 7"},
        ErrorCase{"UndecodablePicture", "object Root: TRecorderRoot\n  Picture.Data = {07544269746D6170 0102}\nend",
                  "Line 2, column 18: Invalid value for property 'Picture.Data' of 'TPicture': Bitmap image is "
                  "not valid"},
        ErrorCase{"PictureOfAnUnknownClass", "object Root: TRecorderRoot\n  Picture.Data = {03544D46 00}\nend",
                  "Line 2, column 18: Invalid value for property 'Picture.Data' of 'TPicture': Unknown picture "
                  "class 'TMF'"},
        ErrorCase{"DanglingReference", "object Root: TRecorderRoot\n  Buddy = Ghost\nend",
                  "Line 2, column 11: Unresolved reference 'Ghost' in property 'Buddy' of 'TRecorderRoot'"},
        ErrorCase{"ReferenceOfTheWrongClass",
                  "object Root: TRecorderRoot\n  object Alpha: TRecorder\n    Buddy = Other\n  end\n"
                  "  object Other: TStranger\n  end\nend",
                  "Line 3, column 13: Property 'Buddy' of 'TRecorder' needs a TRecorder, but 'Other' is a "
                  "TStranger"},
        ErrorCase{"PublishedFieldOfTheWrongClass", "object Root: TRecorderRoot\n  object Alpha: TStranger\n  end\nend",
                  "Line 2, column 3: Field 'Alpha' of 'TRecorderRoot' needs a TRecorder, but 'Alpha' is a TStranger"},
        ErrorCase{"DuplicateName",
                  "object Root: TRecorderRoot\n  object Alpha: TRecorder\n  end\n  object Alpha: TRecorder\n  end\nend",
                  "Line 4, column 3: A component named Alpha already exists"},
        ErrorCase{"DuplicateNameInOtherCase",
                  "object Root: TRecorderRoot\n  object Alpha: TRecorder\n    object ALPHA: TRecorder\n    end\n"
                  "  end\nend",
                  "Line 3, column 5: A component named ALPHA already exists"},
        ErrorCase{"WrongRootClass", "object Root: TRecorder\nend",
                  "Line 1, column 1: The description is of class 'TRecorder', not 'TRecorderRoot'"},
        ErrorCase{"MissingEnd", "object Root: TRecorderRoot\n  object Alpha: TRecorder\n    Number = 1\n  end\n",
                  "Line 5, column 1: Expected 'end' but found end of text"},
        ErrorCase{"MissingEqualsSign", "object Root: TRecorderRoot\n  Number 1\nend",
                  "Line 2, column 10: Expected '=' but found '1'"},
        ErrorCase{"MissingClassName", "object Root\nend", "Line 2, column 1: Expected ':' but found 'end'"},
        ErrorCase{"NotAnObject", "Root: TRecorderRoot\nend", "Line 1, column 1: Expected 'object' but found 'Root'"},
        ErrorCase{"UnterminatedString", "object Root: TRecorderRoot\n  Text = 'never closed\nend",
                  "Line 2, column 10: String is not closed"},
        ErrorCase{"StringJoinedToNothing", "object Root: TRecorderRoot\n  Text = 'a' +\nend",
                  "Line 3, column 1: Expected a string after '+' but found 'end'"},
        ErrorCase{"OddBinaryDigits", "object Root: TRecorderRoot\n  Picture.Data = {\n    0A1\n  }\nend",
                  "Line 2, column 18: Binary data has an odd number of hexadecimal digits"},
        ErrorCase{"NonHexadecimalBinary", "object Root: TRecorderRoot\n  Picture.Data = {0A 1G}\nend",
                  "Line 2, column 23: Invalid character 'G' in binary data"},
        ErrorCase{"NonAsciiDigitInBinary", "object Root: TRecorderRoot\n  Picture.Data = {0A \u0663B}\nend",
                  "Line 2, column 22: Invalid character '\u0663' in binary data"},
        ErrorCase{"ErrorOnTheLineAfterBinaryData",
                  "object Root: TRecorderRoot\n  Picture.Data = {\n    0A0B\n  0C}\n  Number 1\nend",
                  "Line 5, column 10: Expected '=' but found '1'"},
        ErrorCase{"ErrorOnTheLineOfBinaryData", "object Root: TRecorderRoot\n  Picture.Data = {0A0B} Number 1\nend",
                  "Line 2, column 32: Expected '=' but found '1'"},
        ErrorCase{"UnclosedBinary", "object Root: TRecorderRoot\n  Picture.Data = {0A\n", "Line 2, column 18: "
                                                                                               "Binary data is not "
                                                                                               "closed with '}'"},
        ErrorCase{"UnclosedList", "object Root: TRecorderRoot\n  Items.Strings = ('a'\n",
                  "Line 2, column 19: List is not closed with ')'"},
        ErrorCase{"UnclosedSet", "object Root: TRecorderRoot\n  Anchors = [akLeft\nend",
                  "Line 3, column 1: Expected ']' but found 'end'"},
        ErrorCase{"JunkAfterTheLastEnd", "object Root: TRecorderRoot\nend\nend",
                  "Line 3, column 1: Expected end of text but found 'end'"},
        ErrorCase{"TextAfterTheLastEnd", "object Root: TRecorderRoot\nend\n  Number = 1",
                  "Line 3, column 3: Expected end of text but found 'Number'"}),
    [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.Name); });

TEST_F(FormReaderTest, AnUnknownPropertyCreatesNoDynamicProperty)
{
    EXPECT_NE(ReadError(QStringLiteral("object Root: TRecorderRoot\n  Colour = 6\nend")), "no error");
    EXPECT_TRUE(Root->dynamicPropertyNames().isEmpty());
    EXPECT_FALSE(Root->property("Colour").isValid());
}

struct FailureCase {
    const char* Name;
    const char* Description;
};

void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.Name; }

class FailedReadTest : public FormReaderTest, public testing::WithParamInterface<FailureCase> {};

// However far a read gets, a failure leaves the root as a complete read would have found it: none of
// the components it created, no reference to one, not loading; and the root can be read into again.
TEST_P(FailedReadTest, LeavesNoHalfBuiltTreeBehind)
{
    EXPECT_NE(ReadError(QString::fromUtf8(GetParam().Description)), "no error");

    EXPECT_EQ(Root->ComponentCount(), 0);
    EXPECT_EQ(Root->Alpha, nullptr) << "the published field of a destroyed component";
    EXPECT_EQ(Root->Buddy(), nullptr) << "a resolved reference to a destroyed component";
    EXPECT_FALSE(Root->IsLoading());

    Journal().clear();
    ReadComponentDescription(kTree, Root.get());
    EXPECT_EQ(Root->ComponentCount(), 3);
    EXPECT_EQ(Root->Alpha, Component("Alpha"));
}

INSTANTIATE_TEST_SUITE_P(
    FailurePoints, FailedReadTest,
    testing::Values(
        FailureCase{"InTheRootsOwnProperties", "object Root: TRecorderRoot\n  Number = 'one'\nend"},
        FailureCase{"InANestedComponent",
                    "object Root: TRecorderRoot\n  object Alpha: TRecorder\n    object Beta: TRecorder\n"
                    "      Colour = 5\n    end\n  end\nend"},
        FailureCase{"AtAnUnknownClassAfterOthers",
                    "object Root: TRecorderRoot\n  object Alpha: TRecorder\n  end\n  object Beta: TRecorder\n"
                    "  end\n  object Gamma: TNoSuchClass\n  end\nend"},
        // The root's own reference resolves first; the next one fails.
        FailureCase{"AfterTheRootsReferenceResolved",
                    "object Root: TRecorderRoot\n  Buddy = Alpha\n  object Alpha: TRecorder\n    Buddy = Ghost\n"
                    "  end\nend"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.Name); });

TEST_F(FormReaderTest, AFailedReadTakesItsMenuOffTheWindow)
{
    auto form = std::make_unique<TForm>(nullptr);
    EXPECT_THROW(ReadComponentDescription(QStringLiteral("object Form1: TForm\n  Menu = MainMenu1\n"
                                                         "  object MainMenu1: TMainMenu\n  end\n"
                                                         "  object Panel1: TPanel\n  end\n"
                                                         "  object Recorder: TRecorder\n    Buddy = Ghost\n  end\n"
                                                         "end\n"),
                                          form.get()),
                 EReadError);
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(form->ControlCount(), 0);
    form->Show();
    form.reset();
}

} // namespace

#include "FormReaderTest.moc"
