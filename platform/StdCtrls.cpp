#include "platform/StdCtrls.h"

#include <QFontMetrics>

#include <algorithm>

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
    // Measuring text needs the font database, which is still being filled while the main window is read
    // from its description; a label read from there is measured once, when loading ends.
    StartAutoSized();
}

void TCustomLabel::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout layout)
{
    if (layout == FLayout)
        return;
    FLayout = layout;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool wordWrap)
{
    if (wordWrap == FWordWrap)
        return;
    FWordWrap = wordWrap;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool show)
{
    if (show == FShowAccelChar)
        return;
    FShowAccelChar = show;
    AdjustSize();
    Invalidate();
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

QString TCustomLabel::DisplayText() const
{
    return FShowAccelChar ? RemoveAccelChars(Caption()) : Caption();
}

QString TCustomLabel::AccessibleName() const
{
    return DisplayText();
}

TAccessibleRole TCustomLabel::AccessibleRole() const
{
    return TAccessibleRole::StaticText;
}

QStringList TCustomLabel::Lines(const TCanvas& canvas, int width) const
{
    const QStringList paragraphs = DisplayText().split(u'\n');
    if (!FWordWrap)
        return paragraphs;
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && canvas.TextWidth(candidate) > width) {
                lines.append(line);
                line = word;
            } else {
                line = candidate;
            }
        }
        lines.append(line);
    }
    return lines;
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    const QStringList lines = Lines(*canvas, Width());
    const int lineHeight = canvas->TextHeight(QStringLiteral("Hg"));
    const int textHeight = lineHeight * static_cast<int>(lines.size());
    int y = 0;
    if (FLayout == tlCenter)
        y = (Height() - textHeight) / 2;
    else if (FLayout == tlBottom)
        y = Height() - textHeight;
    for (const QString& line : lines) {
        const int width = canvas->TextWidth(line);
        int x = 0;
        if (FAlignment == taCenter)
            x = (Width() - width) / 2;
        else if (FAlignment == taRightJustify)
            x = Width() - width;
        canvas->TextOut(x, y, line);
        y += lineHeight;
    }
}

bool TCustomLabel::CanAutoSize(int& newWidth, int& newHeight)
{
    TCanvas measure;
    measure.SetFont(Font());
    const QStringList lines = Lines(measure, newWidth);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, measure.TextWidth(line));
    if (!FWordWrap)
        newWidth = width;
    newHeight = measure.TextHeight(QStringLiteral("Hg")) * static_cast<int>(lines.size());
    return true;
}

// ---------------------------------------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() & ~csSetCaption);
}

std::unique_ptr<WindowHandle> TEdit::CreateHandleObject()
{
    return CreateEditHandle(*this);
}

void TEdit::InitializeHandle()
{
    TWinControl::InitializeHandle();
    Edit()->SetText(Text());
    Edit()->SetReadOnly(FReadOnly);
}

void TEdit::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    if (FHandle)
        Edit()->SetReadOnly(readOnly);
}

void TEdit::TextChanged()
{
    if (FHandle && Edit()->Text() != Text())
        Edit()->SetText(Text());
    if (!IsLoading())
        Change();
}

void TEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TEdit::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && message.WParam == EN_CHANGE) {
        SetText(Edit()->Text());
        return;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), FItems(std::make_unique<TStrings>())
{
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() & ~csSetCaption);
    FItems->OnChange = TNotifyEvent(this, &TComboBox::ItemsChanged);
}

TComboBox::~TComboBox()
{
    FItems->OnChange = TNotifyEvent();
}

std::unique_ptr<WindowHandle> TComboBox::CreateHandleObject()
{
    return CreateComboBoxHandle(*this);
}

void TComboBox::InitializeHandle()
{
    TWinControl::InitializeHandle();
    Combo()->SetEditable(FStyle != csDropDownList);
    Combo()->SetItems(FItems->ToStringList());
    Combo()->SetItemIndex(FItemIndex);
    if (FItemIndex < 0)
        Combo()->SetText(FText);
}

void TComboBox::ItemsChanged(TObject*)
{
    if (FItemIndex >= FItems->Count())
        FItemIndex = -1;
    if (FHandle) {
        Combo()->SetItems(FItems->ToStringList());
        Combo()->SetItemIndex(FItemIndex);
    }
}

void TComboBox::SetItemIndex(int index)
{
    if (index < -1 || index >= FItems->Count())
        index = -1;
    FItemIndex = index;
    FText = index >= 0 ? FItems->Strings(index) : QString();
    if (FHandle)
        Combo()->SetItemIndex(index);
}

void TComboBox::SetText(const QString& text)
{
    FText = text;
    FItemIndex = FItems->IndexOf(text);
    if (FHandle) {
        Combo()->SetItemIndex(FItemIndex);
        Combo()->SetText(text);
    }
}

void TComboBox::SetStyle(TComboBoxStyle style)
{
    FStyle = style;
    if (FHandle)
        Combo()->SetEditable(style != csDropDownList);
}

void TComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TComboBox::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && (message.WParam == CBN_SELCHANGE || message.WParam == CBN_EDITCHANGE)) {
        if (message.WParam == CBN_SELCHANGE) {
            FItemIndex = Combo()->ItemIndex();
            FText = FItemIndex >= 0 ? FItems->Strings(FItemIndex) : QString();
        } else {
            // Typed text selects the item it names exactly, and no item otherwise.
            FText = Combo()->Text();
            FItemIndex = FItems->IndexOf(FText);
        }
        Change();
        return;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------------------

TMemo::TMemo(TComponent* owner) : TWinControl(owner), FLines(std::make_unique<TStrings>())
{
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() & ~csSetCaption);
    FLines->OnChange = TNotifyEvent(this, &TMemo::LinesChanged);
}

TMemo::~TMemo()
{
    FLines->OnChange = TNotifyEvent();
}

QString TMemo::Text() const
{
    return FLines->ToStringList().join(QStringLiteral("\r\n"));
}

std::unique_ptr<WindowHandle> TMemo::CreateHandleObject()
{
    return CreateMemoHandle(*this);
}

void TMemo::InitializeHandle()
{
    TWinControl::InitializeHandle();
    Memo()->SetReadOnly(FReadOnly);
    Memo()->SetWordWrap(FWordWrap);
    Memo()->SetScrollBars(FScrollBars == ssHorizontal || FScrollBars == ssBoth,
                          FScrollBars == ssVertical || FScrollBars == ssBoth);
    Memo()->SetText(FLines->ToStringList().join(u'\n'));
}

void TMemo::SetReadOnly(bool readOnly)
{
    FReadOnly = readOnly;
    if (FHandle)
        Memo()->SetReadOnly(readOnly);
}

void TMemo::SetScrollBars(TScrollStyle scrollBars)
{
    FScrollBars = scrollBars;
    if (FHandle)
        Memo()->SetScrollBars(scrollBars == ssHorizontal || scrollBars == ssBoth,
                              scrollBars == ssVertical || scrollBars == ssBoth);
}

void TMemo::SetWordWrap(bool wordWrap)
{
    FWordWrap = wordWrap;
    if (FHandle)
        Memo()->SetWordWrap(wordWrap);
}

void TMemo::LinesChanged(TObject*)
{
    if (FHandle && !FTakingTyped)
        Memo()->SetText(FLines->ToStringList().join(u'\n'));
    if (!IsLoading() && OnChange)
        OnChange(this);
}

void TMemo::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && message.WParam == EN_CHANGE) {
        FTakingTyped = true;
        FLines->SetText(Memo()->Text());
        FTakingTyped = false;
        return;
    }
    TWinControl::Dispatch(message);
}

// ---------------------------------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
    SetColor(clBtnFace);
}

std::unique_ptr<WindowHandle> TButton::CreateHandleObject()
{
    return CreateButtonHandle(*this);
}

void TButton::InitializeHandle()
{
    TWinControl::InitializeHandle();
    Button()->SetCaption(Caption());
    Button()->SetDefault(FDefault);
}

void TButton::SetDefault(bool isDefault)
{
    FDefault = isDefault;
    if (FHandle)
        Button()->SetDefault(isDefault);
}

void TButton::TextChanged()
{
    if (FHandle)
        Button()->SetCaption(Caption());
}

void TButton::Dispatch(TMessage& message)
{
    if (message.Msg == CN_COMMAND && message.WParam == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::Dispatch(message);
}

REGISTER_COMPONENT_CLASS(TLabel);
REGISTER_COMPONENT_CLASS(TEdit);
REGISTER_COMPONENT_CLASS(TComboBox);
REGISTER_COMPONENT_CLASS(TMemo);
REGISTER_COMPONENT_CLASS(TButton);
