#include "components/HelpForm.h"

#include "components/BoardImage.h"

#include <algorithm>

namespace {

// A name spliced into the document shows as written, even one with a brace or a backslash in it.
QString RichTextLiteral(const QString& text)
{
    QString literal;
    literal.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'{' || c == u'}')
            literal += u'\\';
        literal += c;
    }
    return literal;
}

} // namespace

QString HelpDocument(const THelpTopic& topic)
{
    const QString cardName = RichTextLiteral(topic.CardName);
    QString document;
    document += QStringLiteral(
        R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
        R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
        R"(\viewkind4\uc1\pard\f0\fs32\cf0)"
        "\r\n"
        R"({\b )");
    document += RichTextLiteral(topic.CompanyName);
    document += u' ';
    document += cardName;
    if (topic.Series)
        document += QStringLiteral(" Series");
    document += QStringLiteral(R"( Settings Program}\par\par\fs24)" "\r\n");
    document += QStringLiteral(
        "This program will help you configure the option jumpers and settings associated with this product. "
        R"(You should have the product in-hand when first using this program.\par\par)" "\r\n");
    document += QStringLiteral(
        R"({\cf1\fs24\b Yellow circles} provide information on configuring jumpers and switches.\par\par)" "\r\n");
    document += QStringLiteral(
        R"({\cf2\fs24\b Blue circles} are informational only. They provide information on standard and optional )"
        R"(features of the product family.\par\par)" "\r\n");
    document += QStringLiteral(
        R"({\cf3\fs24\b Red circles} handle calibration and types of configuration that require actually )"
        "controlling the hardware device. Run this settings program again once the card is installed. ");
    document += QStringLiteral(
        R"(Repeat the {\cf1 setup circles} (using the same settings) to configure this program, then perform )"
        R"(the {\cf3 calibration circles}.\par\par)" "\r\n");
    document += QStringLiteral(
        R"(Mouse over the highlight circles to see configuration or information popups for {\cf1 setup}, )"
        R"({\cf2 features}, and {\cf3 calibration}. Click a highlight circle to make its popup remain on-screen. )");
    document += QStringLiteral(
        R"(You can have all or as many of these popups onscreen at the same time as you desire.\par\par)" "\r\n");
    if (topic.MultiPort) {
        document += QStringLiteral(
            R"({\fs32\b Note:} Make sure to set the jumpers for each option group \emdash  the configuration )"
            "options for each port are handled identically; ");
        document += QStringLiteral(
            "this program only shows the setup once, but you need to perform this setup for each group of "
            R"(options on your device.\par\par)" "\r\n");
    }
    if (topic.ListsCards) {
        document += QStringLiteral("To see a list of ");
        document += cardName;
        document += QStringLiteral(" cards installed, click \"Display ");
        document += cardName;
        document += QStringLiteral(R"( Cards Installed" under the File menu.\par\par)" "\r\n");
    }
    document += u'}';
    return document;
}

THelpForm::THelpForm(TComponent* owner) : TSupportForm(owner) {}

THelpForm* THelpForm::Create(TComponent* owner, const QString& document, int screenWidth, int screenHeight)
{
    auto* form = new THelpForm(owner);
    form->SetName(QStringLiteral("HelpForm"));
    form->SetCaption(QStringLiteral("Instructions for Settings utility"));
    form->SetPosition(poMainFormCenter);

    auto* label = new TLabel(form);
    label->SetName(QStringLiteral("HelpLabel"));
    label->SetParent(form);
    label->SetAlign(alTop);
    label->SetCaption(QStringLiteral("How to use this program"));
    label->SetAlignment(taCenter);
    label->Font()->SetName(QStringLiteral("Verdana"));
    label->Font()->SetSize(12);
    label->Font()->SetStyle(TFontStyles(fsBold));
    form->HelpLabel = label;

    auto* rich = new TRichEdit(form);
    rich->SetName(QStringLiteral("HelpRich"));
    rich->SetBounds(0, 24, 305, 73);
    rich->SetReadOnly(true);
    rich->SetScrollBars(ssVertical);
    rich->SetParent(form);
    rich->SetColor(0xDDDDDD);
    rich->LoadRichText(document);
    form->HelpRich = rich;

    auto* start = new TButton(form);
    start->SetName(QStringLiteral("StartButton"));
    start->SetDefault(true);
    start->SetBounds(start->Left(), 105, 173, 25);
    start->SetCancel(true);
    start->SetCaption(QStringLiteral("Start"));
    start->SetTabOrder(0);
    start->OnClick = TNotifyEvent(form, &THelpForm::StartButtonClick);
    start->SetParent(form);
    form->StartButton = start;

    form->SetClientWidth(rich->Width());
    form->FitToChildren();
    form->SetClientHeight(form->ClientHeight() + 8);
    rich->SetAnchors(AnchorsAll());
    start->SetLeft(Div(form->ClientWidth() - start->Width(), 2));
    start->SetAnchors(TAnchors(akBottom));
    form->ScaleToScreen(screenWidth, screenHeight);
    return form;
}

double THelpForm::ScreenScale(int screenWidth, int screenHeight)
{
    const double scale = std::min(screenHeight / 450.0, screenWidth / 800.0);
    return scale < 1 ? 1 : scale;
}

void THelpForm::ScaleToScreen(int screenWidth, int screenHeight)
{
    // The anchors carry the document and the Start button along.
    const double scale = ScreenScale(screenWidth, screenHeight);
    SetClientWidth(RoundHalfEven(ClientWidth() * scale));
    SetClientHeight(RoundHalfEven(ClientHeight() * scale));
}

void THelpForm::StartButtonClick(TObject*)
{
    Hide();
    TForm* mainForm = Application->MainForm();
    if (!mainForm)
        return;
    for (int i = 0; i < mainForm->ControlCount(); ++i) {
        if (auto* board = qobject_cast<TBoardImage*>(mainForm->Controls(i))) {
            board->Perform(WM_BOARDSTART, 0, 0);
            return;
        }
    }
}
