#include "platform/RichText.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <optional>
#include <ostream>
#include <vector>

// Failure messages show texts as UTF-8, with line ends and other controls escaped by the string form.
void PrintTo(const QString& text, std::ostream* out) { *out << testing::PrintToString(text.toStdString()); }

namespace {

const QColor kGrey(64, 64, 64);
const QColor kYellow(255, 255, 64);
const QColor kBlue(64, 64, 255);
const QColor kRed(255, 64, 64);

// The help document exactly as the help window composes it for the QRT-72(S) card of Veltrona, a
// "Series" card; `multiPort` adds the note for boards with several ports.
QString HelpDocument(bool multiPort)
{
    QString rtf;
    rtf += R"rtf({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})rtf"
           R"rtf({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})rtf"
           R"rtf(\viewkind4\uc1\pard\f0\fs32\cf0)rtf"
           "\r\n"
           R"rtf({\b )rtf";
    rtf += "Veltrona";
    rtf += " ";
    rtf += "QRT-72(S)";
    rtf += " Series";
    rtf += R"rtf( Settings Program}\par\par\fs24)rtf" "\r\n";
    rtf += "This program will help you configure the option jumpers and settings associated with this product. "
           R"rtf(You should have the product in-hand when first using this program.\par\par)rtf" "\r\n";
    rtf += R"rtf({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)rtf"
           "\r\n";
    rtf += R"rtf({\cf2\fs24\b Blue circles} are informational only. They provide information on standard and )rtf"
           R"rtf(optional features of the product family.\par\par)rtf" "\r\n";
    rtf += R"rtf({\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually )rtf"
           "controlling the hardware device. Run this settings program again once the card is installed. ";
    rtf += R"rtf(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then )rtf"
           R"rtf(perform the {\cf3 calibration circles}.\par\par)rtf" "\r\n";
    rtf += R"rtf(Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, )rtf"
           R"rtf({\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain )rtf"
           "on-screen. ";
    rtf += R"rtf(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)rtf"
           "\r\n";
    if (multiPort) {
        rtf += R"rtf({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the )rtf"
               "configuration options for each port are handled identically; ";
        rtf += "this program only shows the setup once, but you need to perform this setup for each group of "
               R"rtf(options on your device.\par\par)rtf" "\r\n";
    }
    rtf += "}";
    return rtf;
}

const QString kTitle = "Veltrona QRT-72(S) Series Settings Program";
const QString kIntroduction = "This program will help you configure the option jumpers and settings associated "
                              "with this product. You should have the product in-hand when first using this "
                              "program.";

class RichTextTest : public testing::Test {
protected:
    void Read(const QString& source) { ReadRichText(source, Document); }

    // The format of the fragment whose text is exactly `text`: one fragment means one format throughout.
    std::optional<QTextCharFormat> FormatOf(const QString& text) const
    {
        for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                if (it.fragment().text() == text)
                    return it.fragment().charFormat();
            }
        }
        return std::nullopt;
    }

    std::vector<QTextFragment> Fragments() const
    {
        std::vector<QTextFragment> fragments;
        for (QTextBlock block = Document.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                fragments.push_back(it.fragment());
        }
        return fragments;
    }

    QTextDocument Document;
};

QString FirstFamily(const QTextCharFormat& format) { return format.fontFamilies().toStringList().value(0); }

TEST_F(RichTextTest, HelpDocumentTitleIsBoldSixteenPointVerdanaInGrey)
{
    Read(HelpDocument(false));

    EXPECT_EQ(Document.firstBlock().text(), kTitle);
    const auto title = FormatOf(kTitle);
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(title->fontPointSize(), 16.0);
    EXPECT_EQ(FirstFamily(*title), "Verdana");
    EXPECT_EQ(title->fontStyleHint(), QFont::SansSerif);
    EXPECT_EQ(title->foreground().color(), kGrey);
}

TEST_F(RichTextTest, HelpDocumentShowsEachPhraseInItsColourAndWeight)
{
    struct Phrase {
        QString text;
        bool bold = false;
        QColor colour;
    };
    const Phrase phrases[] = {
        {"Yellow circles", true, kYellow},
        {"Blue circles", true, kBlue},
        {"Red circles", true, kRed},
        {"setup circles", false, kYellow},
        {"setup", false, kYellow},
        {"features", false, kBlue},
        {"calibration circles", false, kRed},
        {"calibration", false, kRed},
        {kIntroduction, false, kGrey},
        {" provide information on configuring jumpers and switches.", false, kGrey},
    };
    Read(HelpDocument(false));

    for (const Phrase& phrase : phrases) {
        SCOPED_TRACE(phrase.text.toStdString());
        const auto format = FormatOf(phrase.text);
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(format->fontWeight(), phrase.bold ? QFont::Bold : QFont::Normal);
        EXPECT_DOUBLE_EQ(format->fontPointSize(), 12.0);
        EXPECT_EQ(format->foreground().color(), phrase.colour);
        EXPECT_EQ(FirstFamily(*format), "Verdana");
    }
}

TEST_F(RichTextTest, HelpDocumentParagraphsIncludingTheEmptyOnes)
{
    Read(HelpDocument(false));

    const QString expected =
        kTitle + "\n\n" + kIntroduction + "\n\n" +
        "Yellow circles provide information on configuring jumpers and switches.\n\n"
        "Blue circles are informational only. They provide information on standard and optional features of "
        "the product family.\n\n"
        "Red circles handle calibration and types of configuration that require actually controlling the "
        "hardware device. Run this settings program again once the card is installed. Repeat the setup "
        "circles (using the same settings) to configure this program, then perform the calibration circles.\n\n"
        "Mouse over the highlight circles to see configuration or information popups for setup, features, and "
        "calibration. Click a highlight circle to make its popup remain on-screen. You can have all or as many "
        "of these popups onscreen at the same time as you desire.\n\n";
    EXPECT_EQ(Document.toPlainText(), expected);
    EXPECT_EQ(Document.blockCount(), 13);
}

TEST_F(RichTextTest, HelpDocumentBlankLineUnderTheTitleIsSixteenPoint)
{
    Read(HelpDocument(false));

    // The blank line under the title is as tall as the title; the ones between the 12 pt paragraphs are not.
    const QTextBlock underTitle = Document.findBlockByNumber(1);
    const QTextBlock underIntroduction = Document.findBlockByNumber(3);
    ASSERT_TRUE(underTitle.text().isEmpty());
    ASSERT_TRUE(underIntroduction.text().isEmpty());
    EXPECT_DOUBLE_EQ(underTitle.charFormat().fontPointSize(), 16.0);
    EXPECT_DOUBLE_EQ(underIntroduction.charFormat().fontPointSize(), 12.0);
}

TEST_F(RichTextTest, EmptyParagraphTakesTheSizeChosenBeforeItsMark)
{
    Read(R"({\rtf1 a\par\fs40\par\fs24 b})");

    ASSERT_EQ(Document.blockCount(), 3);
    EXPECT_DOUBLE_EQ(Document.findBlockByNumber(1).charFormat().fontPointSize(), 20.0);
}

TEST_F(RichTextTest, EveryFragmentCarriesItsFormatExplicitly)
{
    Read(HelpDocument(true));

    const std::vector<QTextFragment> fragments = Fragments();
    ASSERT_FALSE(fragments.empty());
    for (const QTextFragment& fragment : fragments) {
        SCOPED_TRACE(fragment.text().toStdString());
        const QTextCharFormat format = fragment.charFormat();
        EXPECT_EQ(FirstFamily(format), "Verdana");
        EXPECT_TRUE(format.hasProperty(QTextFormat::FontPointSize));
        EXPECT_TRUE(format.hasProperty(QTextFormat::FontWeight));
        EXPECT_TRUE(format.hasProperty(QTextFormat::ForegroundBrush));
    }
}

TEST_F(RichTextTest, MultiPortNoteIsBoldSixteenPointWithOneBlankAfterTheDash)
{
    Read(HelpDocument(true));

    const auto note = FormatOf("Note:");
    ASSERT_TRUE(note.has_value());
    EXPECT_EQ(note->fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(note->fontPointSize(), 16.0);
    EXPECT_EQ(note->foreground().color(), kGrey);

    const QString noteParagraph = Document.findBlockByNumber(12).text();
    EXPECT_TRUE(noteParagraph.startsWith("Note: Make sure to set the jumpers for each option group"));
    EXPECT_TRUE(noteParagraph.contains(u"each option group \u2014 the configuration options"));
    EXPECT_TRUE(noteParagraph.endsWith("for each group of options on your device."));
    const auto afterNote = FormatOf(noteParagraph.mid(5));
    ASSERT_TRUE(afterNote.has_value());
    EXPECT_EQ(afterNote->fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(afterNote->fontPointSize(), 12.0);
}

TEST_F(RichTextTest, ReadingReplacesContentAndLeavesNothingToUndo)
{
    Document.setPlainText("old content");
    Read(R"({\rtf1 new})");

    EXPECT_EQ(Document.toPlainText(), "new");
    EXPECT_FALSE(Document.isUndoAvailable());
    EXPECT_TRUE(Document.isUndoRedoEnabled());
}

TEST_F(RichTextTest, UnclosedGroupKeepsWhatWasRead)
{
    Read(R"({\rtf1 Hello {\b world)");

    EXPECT_EQ(Document.toPlainText(), "Hello world");
    const auto hello = FormatOf("Hello ");
    const auto world = FormatOf("world");
    ASSERT_TRUE(hello.has_value());
    ASSERT_TRUE(world.has_value());
    EXPECT_EQ(hello->fontWeight(), QFont::Normal);
    EXPECT_EQ(world->fontWeight(), QFont::Bold);
}

TEST_F(RichTextTest, GroupRestoresTheCharacterStateItSaved)
{
    Read(R"({\rtf1{\colortbl\red10\green20\blue30;\red200\green0\blue0;}a{\b\fs40\cf1 b}c})");

    const auto inner = FormatOf("b");
    ASSERT_TRUE(inner.has_value());
    EXPECT_EQ(inner->fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(inner->fontPointSize(), 20.0);
    EXPECT_EQ(inner->foreground().color(), QColor(200, 0, 0));
    // Leaving the group brings back exactly the format "a" had.
    const std::vector<QTextFragment> fragments = Fragments();
    ASSERT_EQ(fragments.size(), 3u);
    EXPECT_EQ(fragments[0].charFormat(), fragments[2].charFormat());
    EXPECT_EQ(fragments[2].charFormat().foreground().color(), QColor(10, 20, 30));
}

TEST_F(RichTextTest, PlainResetsToTheDefaultFontAndTwelvePoint)
{
    // The table is written the short way (no inner groups; the last name closed by the group's end).
    Read(R"({\rtf1\deff1{\fonttbl\f0\froman Serifa;\f1\fmodern Monoline}{\colortbl\red1\green2\blue3;\red200\green0\blue0;})"
         R"(\f0\fs40\b\cf1 a\plain b})");

    const auto before = FormatOf("a");
    const auto after = FormatOf("b");
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(FirstFamily(*before), "Serifa");
    EXPECT_EQ(before->fontStyleHint(), QFont::Serif);
    EXPECT_EQ(before->fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(before->fontPointSize(), 20.0);
    EXPECT_EQ(before->foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(FirstFamily(*after), "Monoline");
    EXPECT_EQ(after->fontStyleHint(), QFont::Monospace);
    EXPECT_EQ(after->fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(after->fontPointSize(), 12.0);
    EXPECT_EQ(after->foreground().color(), QColor(1, 2, 3));
}

TEST_F(RichTextTest, UnknownOrNegativeIndexesKeepTheCurrentFontAndColour)
{
    Read(R"({\rtf1{\fonttbl{\f0 Serifa;}}{\colortbl;\red10\green20\blue30;}\f0\cf1 a\cf7\f7 b\cf-1\f-1 c\cf0 d})");

    const auto kept = FormatOf("abc");
    const auto reset = FormatOf("d");
    ASSERT_TRUE(kept.has_value());
    ASSERT_TRUE(reset.has_value());
    EXPECT_EQ(kept->foreground().color(), QColor(10, 20, 30));
    EXPECT_EQ(FirstFamily(*kept), "Serifa");
    // An empty first entry is the default text colour.
    EXPECT_EQ(reset->foreground().color(), QColor(Qt::black));
}

TEST_F(RichTextTest, SizesAndColourComponentsAreClamped)
{
    Read(R"({\rtf1{\colortbl\red300\green-5\blue99999999999;}\fs99999999999 a\fs-4 b\fs0 c\fs d})");

    const auto huge = FormatOf("a");
    const auto negative = FormatOf("bc");
    const auto unsized = FormatOf("d");
    ASSERT_TRUE(huge.has_value());
    ASSERT_TRUE(negative.has_value());
    ASSERT_TRUE(unsized.has_value());
    EXPECT_DOUBLE_EQ(huge->fontPointSize(), 1638.0);
    EXPECT_DOUBLE_EQ(negative->fontPointSize(), 1.0);
    EXPECT_DOUBLE_EQ(unsized->fontPointSize(), 12.0);
    EXPECT_EQ(huge->foreground().color(), QColor(255, 0, 255));
}

TEST_F(RichTextTest, WithoutTablesTextUsesTheDocumentFontInBlack)
{
    Read("plain words");

    const auto format = FormatOf("plain words");
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ(FirstFamily(*format), Document.defaultFont().family());
    EXPECT_EQ(format->foreground().color(), QColor(Qt::black));
    EXPECT_DOUBLE_EQ(format->fontPointSize(), 12.0);
    EXPECT_EQ(format->fontWeight(), QFont::Normal);
}

// ---- Characters the control words and escapes stand for

struct CharacterCase {
    const char* name = "";
    QString source;
    QStringView text;  // the first paragraph's text, unconverted

    friend void PrintTo(const CharacterCase& c, std::ostream* out) { *out << c.name; }
};

class RichTextCharacters : public testing::TestWithParam<CharacterCase> {};

TEST_P(RichTextCharacters, ShowTheirCharacter)
{
    QTextDocument document;
    ReadRichText(GetParam().source, document);
    EXPECT_EQ(document.firstBlock().text(), GetParam().text.toString());
}

const CharacterCase kCharacterCases[] = {
    {"EmDash", R"({\rtf1 a\emdash b})", u"a\u2014b"},
    {"EnDash", R"({\rtf1 a\endash b})", u"a\u2013b"},
    {"Quotes", R"({\rtf1 \lquote\rquote\ldblquote\rdblquote})", u"\u2018\u2019\u201C\u201D"},
    {"Bullet", R"({\rtf1 \bullet x})", u"\u2022x"},
    {"Tab", R"({\rtf1 a\tab b})", u"a\tb"},
    {"LineBreakStaysInTheParagraph", R"({\rtf1 a\line b})", u"a\u2028b"},
    {"NoBreakSpace", R"({\rtf1 a\~b})", u"a\u00A0b"},
    {"EscapedBracesAndBackslash", R"({\rtf1 \\ \{ \}})", u"\\ { }"},
    {"Windows1252Byte", R"({\rtf1 caf\'e9 \'80\'93})", u"caf\u00E9 \u20AC\u201C"},
    {"UndefinedWindows1252ByteShowsNothing", R"({\rtf1 a\'81b})", u"ab"},
    {"UnicodeSkipsOneFallback", R"({\rtf1 \u8212?x})", u"\u2014x"},
    {"NegativeUnicodeWrapsToSixteenBits", R"({\rtf1 \u-3?x})", u"\uFFFDx"},
    {"FallbackCountSetByUc", R"({\rtf1 \uc2\u8212 abc})", u"\u2014c"},
    {"EscapedByteCountsAsOneFallback", R"({\rtf1 \u8212\'97x})", u"\u2014x"},
    {"BraceEndsTheFallback", R"({\rtf1 {\uc5\u8212 ab}c})", u"\u2014c"},
    {"NoFallbackWithUcZero", R"({\rtf1 \uc0\u233 x})", u"\u00E9x"},
    {"WordDelimiterIsConsumedOnlyOnce", R"({\rtf1 \b  two})", u" two"},
    {"LineEndsInTheSourceAreIgnored", "{\\rtf1 a\r\nb\rc\nd}", u"abcd"},
    {"ControlCharactersAreDropped", "{\\rtf1 a\x01\x1f" "b}", u"ab"},
};

INSTANTIATE_TEST_SUITE_P(, RichTextCharacters, testing::ValuesIn(kCharacterCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Malformed input: never a crash, and the readable text is shown

struct MalformedCase {
    const char* name = "";
    QString source;
    QString plainText;

    friend void PrintTo(const MalformedCase& c, std::ostream* out) { *out << c.name; }
};

class RichTextMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(RichTextMalformed, ShowsWhatCouldBeRead)
{
    QTextDocument document;
    ReadRichText(GetParam().source, document);
    EXPECT_EQ(document.toPlainText(), GetParam().plainText);
}

std::vector<MalformedCase> MalformedCases()
{
    const qsizetype depth = 100'000;
    return {
        {"Empty", "", ""},
        {"MissingClosingBraces", R"({\rtf1 Hello {\b world)", "Hello world"},
        // Closing braces with no group open are ignored, so text after them still shows, joined as written.
        {"StrayClosingBraces", R"({\rtf1 a}}}b)", "ab"},
        {"MissingHeader", R"(Hello \b bold\par next)", "Hello bold\nnext"},
        {"TruncatedHexEscapeAtTheEnd", R"({\rtf1 x\'4)", "x"},
        {"HexEscapeWithOneDigit", R"({\rtf1 x\'4y})", "xy"},
        {"BackslashAtTheEnd", R"({\rtf1 abc\)", "abc"},
        {"TruncatedControlWordAtTheEnd", R"({\rtf1 abc\pa)", "abc"},
        {"MinusWithoutDigitsEndsTheWordAsText", R"({\rtf1 abc\fs-)", "abc-"},
        {"UnknownWordsAreIgnored", R"({\rtf1 a\zzz12 b\ql\pard\sa200 c})", "abc"},
        {"UnknownSymbolsAreIgnored", R"({\rtf1 a\-b\|c\:d})", "abcd"},
        {"StarredDestinationIsSkipped", R"({\rtf1 {\*\unknown skipped} kept})", " kept"},
        {"StarredDestinationSkipsNestedGroups", R"({\rtf1 {\*\unknown {a{b}}\par c}kept})", "kept"},
        {"KnownNonTextDestinationIsSkipped", R"({\rtf1 {\info{\title T}}{\stylesheet{\s0 Normal;}}body})", "body"},
        {"UnfinishedFontTableShowsNothing", R"({\rtf1 {\fonttbl{\f0 Broken)", ""},
        {"ColourTableTextShowsNothing", R"({\rtf1 {\colortbl words;\red1;}x})", "x"},
        {"HugeAndNegativeNumbers", R"({\rtf1 \fs99999999999999999999 a\cf-99999999999 b\f-1 c\uc-5\u1 d})", "abcd"},
        {"UnicodeOutOfRangeShowsOnlyTheRest", R"({\rtf1 \u99999999?x})", "x"},
        {"ReservedParagraphSeparatorIsDropped", R"({\rtf1 a\u8233?b})", "ab"},
        {"BinaryDataIsSkipped", R"({\rtf1 \bin5 abcdeafter})", "after"},
        {"BinaryLengthBeyondTheEnd", R"({\rtf1 \bin99999999 abc})", ""},
        {"BackslashBeforeLineEndIsAParagraph", "{\\rtf1 a\\\r\nb}", "a\nb"},
        {"TrailingParagraphMarksKeepEmptyParagraphs", R"({\rtf1 a\par\par})", "a\n\n"},
        {"VeryDeepNesting", QString(depth, u'{') + "deep", "deep"},
        {"VeryDeepBalancedNesting", QString(depth, u'{') + "x" + QString(depth, u'}') + "y", "xy"},
    };
}

INSTANTIATE_TEST_SUITE_P(, RichTextMalformed, testing::ValuesIn(MalformedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
