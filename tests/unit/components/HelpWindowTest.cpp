#include "SupporterFixture.h"

#include "components/BoardImage.h"

#include "platform/ExtCtrls.h"
#include "platform/RichText.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>
#include <optional>

// A board image of a class of its own, recording the messages that start the guided walk.
class TRecordingBoard : public TBoardImage {
    Q_OBJECT
public:
    explicit TRecordingBoard(TComponent* owner) : TBoardImage(owner) {}
    void Dispatch(TMessage& message) override
    {
        if (message.Msg == WM_BOARDSTART)
            Starts.push_back(message);
        TBoardImage::Dispatch(message);
    }
    std::vector<TMessage> Starts;
};

namespace {

// ----- The document ----------------------------------------------------------------------------------------

const QString CrLf = QStringLiteral("\r\n");

// The help document put together piece by piece, each piece under its condition.
QString ExpectedDocument(const QString& company, const QString& card, bool series, bool multiPort, bool listsCards)
{
    QString d;
    d += QStringLiteral(R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
                        R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;)"
                        R"(\red255\green64\blue64;}\viewkind4\uc1\pard\f0\fs32\cf0)")
         + CrLf + QStringLiteral(R"({\b )");
    d += company;
    d += QStringLiteral(" ");
    d += card;
    if (series)
        d += QStringLiteral(" Series");
    d += QStringLiteral(R"( Settings Program}\par\par\fs24)") + CrLf;
    d += QStringLiteral("This program will help you configure the option jumpers and settings associated with this "
                        R"(product. You should have the product in-hand when first using this program.\par\par)")
         + CrLf;
    d += QStringLiteral(R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.)"
                        R"(\par\par)")
         + CrLf;
    d += QStringLiteral(R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard )"
                        R"(and optional features of the product family.\par\par)")
         + CrLf;
    d += QStringLiteral(R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require )"
                        "actually controlling the hardware device. Run this settings program again once the card "
                        "is installed. ");
    d += QStringLiteral(R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, )"
                        R"(then perform the {\cf3 calibration circles}.\par\par)")
         + CrLf;
    d += QStringLiteral("Mouse over the highlight circles to see configuration or information popups for "
                        R"({\cf1 setup}, {\cf2 features}, and {\cf3 calibration}. Click a highlight circle to )"
                        "make its popup remain on-screen. ");
    d += QStringLiteral("You can have all or as many of these popups onscreen at the same time as you desire."
                        R"(\par\par)")
         + CrLf;
    if (multiPort) {
        d += QStringLiteral(R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the )"
                            "configuration options for each port are handled identically; ");
        d += QStringLiteral("this program only shows the setup once, but you need to perform this setup for each "
                            R"(group of options on your device.\par\par)")
             + CrLf;
    }
    if (listsCards) {
        d += QStringLiteral("To see a list of ");
        d += card;
        d += QStringLiteral(" cards installed, click ") + u'"' + QStringLiteral("Display ");
        d += card;
        d += QStringLiteral(" Cards Installed") + u'"' + QStringLiteral(R"( under the File menu.\par\par)") + CrLf;
    }
    d += QStringLiteral("}");
    return d;
}

QString PlainTextOf(const QString& richText)
{
    QTextDocument document;
    ReadRichText(richText, document);
    return document.toPlainText();
}

struct DocumentCase {
    bool MultiPort = false;
    bool Series = true;
    bool UseCardNameB = false;
    bool ListsCards = false;
};

std::string NameOf(const DocumentCase& c)
{
    return std::string(c.MultiPort ? "MultiPort" : "SinglePort") + (c.Series ? "Series" : "NoSeries")
           + (c.UseCardNameB ? "NameB" : "NameA") + (c.ListsCards ? "ListsCards" : "NoCardList");
}

std::vector<DocumentCase> AllDocumentCases()
{
    std::vector<DocumentCase> cases;
    for (int bits = 0; bits < 16; ++bits)
        cases.push_back(DocumentCase{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0});
    return cases;
}

class HelpDocumentCases : public SupporterTest, public testing::WithParamInterface<DocumentCase> {};

TEST_P(HelpDocumentCases, ComposedFromThePiecesItsPropertiesAskFor)
{
    const DocumentCase& c = GetParam();
    const QString card = c.UseCardNameB ? QStringLiteral("MXR72S/BT-K") : QStringLiteral("QRT-72(S)");
    const QString expected = ExpectedDocument(QStringLiteral("Veltrona"), card, c.Series, c.MultiPort, c.ListsCards);

    THelpTopic topic{QStringLiteral("Veltrona"), card, c.Series, c.MultiPort, c.ListsCards};
    EXPECT_EQ(HelpDocument(topic), expected);

    // The supporter asks for the same document from its properties.
    Sup->SetMultiPort(c.MultiPort);
    Sup->SetbSeries(c.Series);
    Sup->SetUseCardNameB(c.UseCardNameB);
    if (c.ListsCards)
        Sup->OnGetCardString = TPCIEvent(Sup, [](TObject*, int32_t) { return QStringLiteral("card"); }, 1);
    Sup->BuildSupport();
    ASSERT_NE(Sup->HelpForm(), nullptr);
    EXPECT_EQ(Sup->HelpForm()->HelpRich->Document().toPlainText(), PlainTextOf(expected));
}

INSTANTIATE_TEST_SUITE_P(, HelpDocumentCases, testing::ValuesIn(AllDocumentCases()),
                         [](const auto& info) { return NameOf(info.param); });

TEST(HelpDocument, NamesWithRichTextCharactersShowAsWritten)
{
    const QString document = HelpDocument(THelpTopic{QStringLiteral("A{B}"), QStringLiteral("C\\D"), false});
    QTextDocument read;
    ReadRichText(document, read);
    EXPECT_EQ(read.firstBlock().text(), "A{B} C\\D Settings Program");
}

// ----- The document as the window shows it -----------------------------------------------------------------

class HelpWindowDocument : public SupporterTest {
protected:
    // The format of the fragment whose text is exactly `text`.
    std::optional<QTextCharFormat> FormatOf(const QString& text) const
    {
        const QTextDocument& document = Sup->HelpForm()->HelpRich->Document();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                if (it.fragment().text() == text)
                    return it.fragment().charFormat();
        return std::nullopt;
    }
};

TEST_F(HelpWindowDocument, TitleColoursAndDashAsRequested)
{
    Sup->SetMultiPort(true);
    Sup->BuildSupport();
    const QTextDocument& document = Sup->HelpForm()->HelpRich->Document();

    const QString title = QStringLiteral("Veltrona QRT-72(S) Series Settings Program");
    EXPECT_EQ(document.firstBlock().text(), title);
    const auto titleFormat = FormatOf(title);
    ASSERT_TRUE(titleFormat.has_value());
    EXPECT_EQ(titleFormat->fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(titleFormat->fontPointSize(), 16.0);
    EXPECT_EQ(titleFormat->fontFamilies().toStringList().value(0), "Verdana");

    const auto yellow = FormatOf(QStringLiteral("Yellow circles"));
    ASSERT_TRUE(yellow.has_value());
    EXPECT_EQ(yellow->fontWeight(), QFont::Bold);
    EXPECT_EQ(yellow->foreground().color(), QColor(255, 255, 64));

    const auto plain = FormatOf(QStringLiteral(" provide information on configuring jumpers and switches."));
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(plain->fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(plain->fontPointSize(), 12.0);
    EXPECT_EQ(plain->foreground().color(), QColor(64, 64, 64));

    EXPECT_TRUE(document.toPlainText().contains(u"each option group \u2014 the configuration options"));
}

// ----- Layout and screen scaling ---------------------------------------------------------------------------

struct ScreenCase {
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    double Scale = 1;
    int ClientWidth = 0;
    int ClientHeight = 0;
    friend void PrintTo(const ScreenCase& c, std::ostream* out) { *out << c.ScreenWidth << "x" << c.ScreenHeight; }
};

class HelpWindowScreen : public testing::TestWithParam<ScreenCase> {};

TEST_P(HelpWindowScreen, GrowsWithTheScreenAndCarriesItsChildren)
{
    const ScreenCase& c = GetParam();
    EXPECT_NEAR(THelpForm::ScreenScale(c.ScreenWidth, c.ScreenHeight), c.Scale, 1e-9);

    TComponent owner(nullptr);
    THelpForm* form = THelpForm::Create(&owner, HelpDocument(THelpTopic{}), c.ScreenWidth, c.ScreenHeight);

    EXPECT_EQ(form->ClientWidth(), c.ClientWidth);
    EXPECT_EQ(form->ClientHeight(), c.ClientHeight);
    EXPECT_EQ(BoxOf(form->HelpRich), (TBox{0, 24, c.ClientWidth, c.ClientHeight - 65}));
    const TBox start = BoxOf(form->StartButton);
    EXPECT_EQ(start.Width, 173);
    EXPECT_EQ(start.Height, 25);
    EXPECT_EQ(start.Top + start.Height, c.ClientHeight - 8);
    EXPECT_LE(std::abs(2 * start.Left + start.Width - c.ClientWidth), 1) << "not centred: left " << start.Left;
    EXPECT_EQ(form->HelpLabel->Left(), 0);
    EXPECT_EQ(form->HelpLabel->Top(), 0);
    EXPECT_EQ(form->HelpLabel->Width(), c.ClientWidth);
}

INSTANTIATE_TEST_SUITE_P(, HelpWindowScreen,
                         testing::Values(ScreenCase{800, 600, 1.0, 305, 138}, ScreenCase{1024, 768, 1.28, 390, 177},
                                         ScreenCase{1280, 1024, 1.6, 488, 221},
                                         ScreenCase{1600, 600, 600.0 / 450.0, 407, 184},
                                         ScreenCase{640, 480, 1.0, 305, 138}),
                         [](const auto& info) {
                             return std::to_string(info.param.ScreenWidth) + "x"
                                    + std::to_string(info.param.ScreenHeight);
                         });

TEST(HelpWindowLayout, DesignedLayoutBeforeScaling)
{
    TComponent owner(nullptr);
    THelpForm* form = THelpForm::Create(&owner, HelpDocument(THelpTopic{}), 800, 600);

    EXPECT_EQ(BoxOf(form->HelpRich), (TBox{0, 24, 305, 73}));
    EXPECT_EQ(BoxOf(form->StartButton), (TBox{66, 105, 173, 25}));
    EXPECT_EQ(form->HelpRich->Anchors(), AnchorsAll());
    EXPECT_EQ(form->StartButton->Anchors(), TAnchors(akBottom));

    // The user may resize the window: the document follows every edge, Start stays centred at the bottom.
    form->SetClientSize(405, 200);
    EXPECT_EQ(BoxOf(form->HelpRich), (TBox{0, 24, 405, 135}));
    EXPECT_EQ(form->StartButton->Top(), 200 - 8 - 25);
    EXPECT_LE(std::abs(2 * form->StartButton->Left() + 173 - 405), 1);
}

using HelpWindow = SupporterTest;

TEST_F(HelpWindow, BuiltHiddenOnTheMainWindowWithItsSettings)
{
    Sup->BuildSupport();
    THelpForm* form = Sup->HelpForm();
    ASSERT_NE(form, nullptr);

    EXPECT_EQ(form->Name(), "HelpForm");
    EXPECT_EQ(form->Owner(), Main);
    EXPECT_EQ(form->Caption(), "Instructions for Settings utility");
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_EQ(form->Position(), poMainFormCenter);
    EXPECT_EQ(form->BorderStyle(), bsSizeable);
    EXPECT_EQ(form->BorderIcons(), TBorderIcons(biSystemMenu) | biMinimize | biMaximize);
    EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
    // The offscreen screen is 1024 x 768.
    EXPECT_EQ(form->ClientWidth(), 390);
    EXPECT_EQ(form->ClientHeight(), 177);

    EXPECT_EQ(form->HelpLabel->Name(), "HelpLabel");
    EXPECT_EQ(form->HelpLabel->Caption(), "How to use this program");
    EXPECT_EQ(form->HelpLabel->Align(), alTop);
    EXPECT_EQ(form->HelpLabel->Alignment(), taCenter);
    EXPECT_EQ(form->HelpLabel->Font()->Name(), "Verdana");
    EXPECT_EQ(form->HelpLabel->Font()->Size(), 12);
    EXPECT_EQ(form->HelpLabel->Font()->Style(), TFontStyles(fsBold));

    EXPECT_EQ(form->HelpRich->Name(), "HelpRich");
    EXPECT_TRUE(form->HelpRich->ReadOnly());
    EXPECT_EQ(form->HelpRich->ScrollBars(), ssVertical);
    EXPECT_EQ(form->HelpRich->Color(), 0xDDDDDD);

    TButton* start = form->StartButton;
    EXPECT_EQ(start->Name(), "StartButton");
    EXPECT_EQ(start->Caption(), "Start");
    EXPECT_TRUE(start->Default());
    EXPECT_TRUE(start->Cancel());
    EXPECT_EQ(start->TabOrder(), 0);
}

TEST_F(HelpWindow, FirstTickShowsItCentredOverTheMainWindow)
{
    Sup->BuildSupport();
    THelpForm* form = Sup->HelpForm();

    Sup->TimerTick();
    QCoreApplication::processEvents();

    ASSERT_TRUE(form->Visible());
    EXPECT_LE(std::abs((2 * form->Left() + form->Width()) - (2 * Main->Left() + Main->Width())), 2);
    EXPECT_LE(std::abs((2 * form->Top() + form->Height()) - (2 * Main->Top() + Main->Height())), 2);
}

// Start asks for the first place in the tab order; the document, given none, follows it. Shown, the
// window gives Start the keyboard focus, so that Enter presses it (the document keeps Enter to itself).
TEST_F(HelpWindow, TheKeyboardStartsAtStartBeforeTheDocument)
{
    Sup->BuildSupport();
    THelpForm* form = Sup->HelpForm();
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{form->StartButton, form->HelpRich}));

    Sup->TimerTick();
    QCoreApplication::processEvents();
    form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(form->ActiveControl(), form->StartButton);
}

class HelpWindowStart : public SupporterTest {
protected:
    void SetUp() override
    {
        SupporterTest::SetUp();
        Sup->BuildSupport();
        Help = Sup->HelpForm();
        Help->Show();
    }

    TRecordingBoard* AddBoard()
    {
        auto* board = new TRecordingBoard(Main);
        board->SetParent(Main);
        return board;
    }

    THelpForm* Help = nullptr;
};

TEST_F(HelpWindowStart, HidesAndStartsTheWalkOnTheFirstBoardImageAtOnce)
{
    auto* panel = new TPanel(Main);
    panel->SetParent(Main);
    TRecordingBoard* first = AddBoard();
    TRecordingBoard* second = AddBoard();

    Help->StartButton->Click();

    EXPECT_FALSE(Help->Visible());
    ASSERT_EQ(first->Starts.size(), 1u);
    EXPECT_EQ(first->Starts[0].WParam, 0);
    EXPECT_EQ(first->Starts[0].LParam, 0);
    EXPECT_TRUE(second->Starts.empty());
}

TEST_F(HelpWindowStart, WithoutBoardImageOnlyHides)
{
    Help->StartButton->Click();
    EXPECT_FALSE(Help->Visible());
}

TEST_F(HelpWindowStart, EscapeAndReturnPressStart)
{
    TRecordingBoard* board = AddBoard();
    for (intptr_t key : {VK_ESCAPE, VK_RETURN}) {
        SCOPED_TRACE(key);
        Help->Show();
        Help->Perform(CM_DIALOGKEY, key, 0);
        EXPECT_FALSE(Help->Visible());
    }
    EXPECT_EQ(board->Starts.size(), 2u);
}

} // namespace

#include "HelpWindowTest.moc"
