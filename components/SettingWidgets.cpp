#include "components/SettingWidgets.h"

#include "components/RadioPanel.h"

#include "platform/Forms.h"

#include <QStringList>

#include <algorithm>
#include <vector>

bool IsClassNamed(const QObject* object, const char* className)
{
    return object && qstricmp(object->metaObject()->className(), className) == 0;
}

namespace {
bool IsVertical(TOrientationType orientation)
{
    return orientation == otLeft || orientation == otRight;
}

// Where the upright pixel (x, y) of a w x h picture lands on the control.
TPoint TurnedPoint(TOrientationType orientation, int x, int y, int w, int h)
{
    switch (orientation) {
    case otDown:
        return TPoint{w - 1 - x, h - 1 - y};
    case otLeft:
        return TPoint{y, w - 1 - x};
    case otRight:
        return TPoint{h - 1 - y, x};
    case otUp:
        break;
    }
    return TPoint{x, y};
}

// Every picture starts from the same pen and brush: the settings one paint leaves behind are undone.
class TPenAndBrushKeeper {
public:
    explicit TPenAndBrushKeeper(TCanvas& canvas) : FCanvas(canvas)
    {
        FPen.Assign(canvas.Pen());
        FBrush.Assign(canvas.Brush());
    }
    ~TPenAndBrushKeeper()
    {
        FCanvas.Pen()->Assign(&FPen);
        FCanvas.Brush()->Assign(&FBrush);
    }
    TPenAndBrushKeeper(const TPenAndBrushKeeper&) = delete;
    TPenAndBrushKeeper& operator=(const TPenAndBrushKeeper&) = delete;

private:
    TCanvas& FCanvas;
    TPen FPen;
    TBrush FBrush;
};
} // namespace

// ---------------------------------------------------------------------------------------------------------

TOrientedWidget::TOrientedWidget(TComponent* owner)
    : TGraphicControl(owner), FUpright(std::make_unique<TBitmap>()), FOutput(std::make_unique<TBitmap>())
{
}

TOrientedWidget::~TOrientedWidget() = default;

void TOrientedWidget::SetOrientation(TOrientationType orientation)
{
    if (orientation == FOrientation)
        return;
    // A turn there and back before the next paint leaves the size as it was.
    if (IsVertical(orientation) != IsVertical(FOrientation))
        FSizeExchangePending = !FSizeExchangePending;
    FOrientation = orientation;
    Invalidate();
}

void TOrientedWidget::Paint()
{
    const bool vertical = IsVertical(FOrientation);
    const int w = vertical ? Height() : Width();
    const int h = vertical ? Width() : Height();
    FUpright->SetSize(w, h);
    if (w > 0 && h > 0) {
        TCanvas& canvas = *FUpright->Canvas();
        TPenAndBrushKeeper keeper(canvas);
        PaintUpright(canvas, w, h);
    }
    TurnUpright();
    ExchangeSizeIfPending();
    Canvas()->Draw(0, 0, FOutput.get());
    FPaintedOnce = true;
}

void TOrientedWidget::TurnUpright()
{
    const int w = FUpright->Width();
    const int h = FUpright->Height();
    const bool vertical = IsVertical(FOrientation);
    FOutput->SetSize(vertical ? h : w, vertical ? w : h);
    std::vector<uint32_t*> outputRows(static_cast<size_t>(FOutput->Height()));
    for (int row = 0; row < FOutput->Height(); ++row)
        outputRows[static_cast<size_t>(row)] = FOutput->ScanLine(row);
    const TBitmap& upright = *FUpright;
    for (int y = 0; y < h; ++y) {
        const uint32_t* source = upright.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            const TPoint to = TurnedPoint(FOrientation, x, y, w, h);
            outputRows[static_cast<size_t>(to.Y)][to.X] = source[x];
        }
    }
}

void TOrientedWidget::ExchangeSizeIfPending()
{
    if (!FSizeExchangePending)
        return;
    FSizeExchangePending = false;
    if (!FPaintedOnce)
        return;
    // The new size makes the parent paint the control again, now in its new shape.
    const int oldWidth = Width();
    const int oldHeight = Height();
    SetWidth(oldHeight);
    SetHeight(oldWidth);
}

// ---------------------------------------------------------------------------------------------------------

TJumperWidget::TJumperWidget(TComponent* owner) : TOrientedWidget(owner)
{
    SetControlStyle(ControlStyle() & ~csDoubleClicks);
}

void TJumperWidget::SetBorderStyle(TBorderStyle style)
{
    SetAndRepaint(FBorderStyle, style == bsNone ? bsNone : bsSingle);
}

TColor TJumperWidget::OutlineOf(TColor fill) const
{
    return FBorderStyle == bsSingle ? clBlack : fill;
}

void TJumperWidget::PaintBackground(TCanvas& canvas, int w, int h) const
{
    const TColor background = IsClassNamed(Parent(), "TRadioPanel") ? Parent()->Color() : clBtnFace;
    canvas.Pen()->SetColor(background);
    canvas.Brush()->SetColor(background);
    canvas.Rectangle(0, 0, w, h);
}

// ---------------------------------------------------------------------------------------------------------

TTwoJumper::TTwoJumper(TComponent* owner) : TJumperWidget(owner)
{
    SetBounds(Left(), Top(), 34, 18);
}

void TTwoJumper::Click()
{
    SetClosed(!FClosed);
    if (IsClassNamed(Parent(), "TRadioPanel")) {
        auto* panel = qobject_cast<TRadioPanel*>(Parent());
        if (panel && panel->RadioEnabled())
            panel->SelectRadioJumper(this);
    }
    TJumperWidget::Click();
}

QString TTwoJumper::AccessibleName() const
{
    return FClosed ? QStringLiteral("Jumper, closed") : QStringLiteral("Jumper, open");
}

TAccessibleRole TTwoJumper::AccessibleRole() const
{
    return TAccessibleRole::CheckBox;
}

TAccessibleState TTwoJumper::AccessibleState() const
{
    return TJumperWidget::AccessibleState() | asCheckable | (FClosed ? asChecked : 0u);
}

void TTwoJumper::PaintUpright(TCanvas& canvas, int w, int h)
{
    TPen& pen = *canvas.Pen();
    TBrush& brush = *canvas.Brush();
    PaintBackground(canvas, w, h);

    if (FClosed) {
        // The cap covers the whole header.
        brush.SetColor(JumperColor());
        pen.SetColor(OutlineOf(JumperColor()));
        canvas.Rectangle(0, 0, w, h);
    } else {
        brush.SetColor(BaseColor());
        pen.SetColor(OutlineOf(BaseColor()));
        canvas.RoundRect(1, 1, w - 1, h - 1, Div(h, 2), Div(h, 2));
    }

    const int q = RoundHalfEven(w / 3.5);
    const int a = q + 1;
    const int r = std::min(Div(q, 3), RoundHalfEven(h / 4.0));
    const int cy = Div(h, 2);
    pen.SetStyle(psClear);
    brush.SetColor(PinColor());
    canvas.Ellipse(a - r, cy - r, a + r, cy + r);
    canvas.Ellipse(w - a - r, cy - r, w - a + r, cy + r);
}

REGISTER_COMPONENT_CLASS(TTwoJumper);

// ---------------------------------------------------------------------------------------------------------

TThreeJumper::TThreeJumper(TComponent* owner) : TJumperWidget(owner)
{
    SetBounds(Left(), Top(), 43, 18);
}

void TThreeJumper::SetJumperState(TJumperState state)
{
    if (state == jsOpen && !FAllowOpen)
        return;
    SetAndRepaint(FJumperState, state);
}

void TThreeJumper::SetAllowOpen(bool allowOpen)
{
    if (allowOpen == FAllowOpen)
        return;
    FAllowOpen = allowOpen;
    if (!FAllowOpen && FJumperState == jsOpen)
        SetJumperState(jsLeft);
    Invalidate();
}

void TThreeJumper::Click()
{
    switch (FJumperState) {
    case jsOpen:
        SetJumperState(jsLeft);
        break;
    case jsLeft:
        SetJumperState(jsRight);
        break;
    case jsRight:
        SetJumperState(FAllowOpen ? jsOpen : jsLeft);
        break;
    }
    TJumperWidget::Click();
}

QString TThreeJumper::AccessibleName() const
{
    if (FJumperState == jsOpen)
        return QStringLiteral("Three-pin jumper, open");
    // Where the left end of the upright picture lands on the screen (otDown: right, otLeft: bottom,
    // otRight: top), and so which two pins the cap bridges there.
    static constexpr const char* leftCap[] = {"left", "right", "lower", "upper"};
    static constexpr const char* rightCap[] = {"right", "left", "upper", "lower"};
    const auto side = static_cast<size_t>(Orientation());
    return QStringLiteral("Three-pin jumper, cap on the %1 two pins")
        .arg(QLatin1String(FJumperState == jsLeft ? leftCap[side] : rightCap[side]));
}

TAccessibleRole TThreeJumper::AccessibleRole() const
{
    return TAccessibleRole::Button;
}

void TThreeJumper::PaintUpright(TCanvas& canvas, int w, int h)
{
    TPen& pen = *canvas.Pen();
    TBrush& brush = *canvas.Brush();
    PaintBackground(canvas, w, h);

    const int q = RoundHalfEven((w - 2) / 4.5);
    const int a = q + 1;
    const int r = std::min(Div(q, 3), RoundHalfEven((h - 2) / 4.0));
    const int cy = Div(h, 2);
    const int cx = Div(w, 2);
    const int d = cx - a + 2;

    brush.SetColor(BaseColor());
    pen.SetColor(OutlineOf(BaseColor()));
    canvas.RoundRect(1, 1, w - 1, h - 1, Div(h, 2), Div(h, 2));

    // The cap runs over the whole height and out to the edge on its side, outlined whatever the border.
    pen.SetColor(clBlack);
    brush.SetColor(JumperColor());
    if (FJumperState == jsLeft)
        canvas.Rectangle(0, 0, cx + Div(d, 2), h);
    else if (FJumperState == jsRight)
        canvas.Rectangle(cx - Div(d, 2), 0, w, h);

    pen.SetStyle(psClear);
    brush.SetColor(PinColor());
    canvas.Ellipse(a - r, cy - r, a + r, cy + r);
    canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
    canvas.Ellipse(w - a - r, cy - r, w - a + r, cy + r);
}

REGISTER_COMPONENT_CLASS(TThreeJumper);

// ---------------------------------------------------------------------------------------------------------

namespace {
// The label font: 8 points at the screen's resolution.
int LabelFontHeight()
{
    return RoundHalfEven(8.0 * Screen->PixelsPerInch() / 72.0);
}

constexpr int SlotTop = 13;
constexpr int MaxSignificantDigits = 8;
} // namespace

TBaseAddress::TBaseAddress(TComponent* owner) : TOrientedWidget(owner)
{
    SetBounds(Left(), Top(), 102, 61);
}

void TBaseAddress::SetNumSwitches(uint8_t count)
{
    SetAndRepaint(FNumSwitches, std::clamp(count, MinSwitches, MaxSwitches));
}

void TBaseAddress::SetBaseAddressStr(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            u = static_cast<char16_t>(u - u'a' + u'A');
        if ((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F'))
            digits.append(QChar(u));
    }
    if (digits.isEmpty())
        return;

    qsizetype first = 0;
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    if (digits.size() - first > MaxSignificantDigits)
        throw EConvertError(QStringLiteral("'$%1' is not a valid integer value").arg(digits));
    uint32_t number = 0;
    for (qsizetype i = first; i < digits.size(); ++i) {
        const char16_t u = digits[i].unicode();
        number = (number << 4) | static_cast<uint32_t>(u <= u'9' ? u - u'0' : u - u'A' + 10);
    }

    const uint32_t address = number & SwitchMask();
    if (address == FAddress)
        return;
    FAddress = address;
    FBaseAddressStr = QString::number(address, 16).toUpper();
    Invalidate();
}

uint32_t TBaseAddress::SwitchMask() const
{
    uint32_t mask = 0;
    for (int j = 0; j < FNumSwitches; ++j)
        mask |= 1u << (9 - j);
    return mask;
}

int TBaseAddress::BitOfSwitch(int j) const
{
    return FLeftToRight ? 9 - j : 10 - FNumSwitches + j;
}

bool TBaseAddress::KnobAtOnEnd(int j) const
{
    const bool bitSet = (FAddress >> BitOfSwitch(j)) & 1u;
    return bitSet == FOnIsOne;
}

QString TBaseAddress::AccessibleName() const
{
    return QStringLiteral("Address switch, ") + FBaseAddressStr;
}

QString TBaseAddress::AccessibleDescription() const
{
    QStringList switches;
    for (int j = 0; j < FNumSwitches; ++j)
        switches << QStringLiteral("A%1 %2").arg(BitOfSwitch(j)).arg(QLatin1String(KnobAtOnEnd(j) ? "on" : "off"));
    return switches.join(QStringLiteral(", "));
}

void TBaseAddress::PaintUpright(TCanvas& canvas, int w, int h)
{
    TPen& pen = *canvas.Pen();
    TBrush& brush = *canvas.Brush();
    TFont& font = *canvas.Font();
    const int fh = LabelFontHeight();

    // The body above, the strip with the address lines below it.
    const int bodyBottom = h - 2 * fh - 1;
    const int slotBottom = bodyBottom - 3;
    const int halfSlot = Div(bodyBottom - 16, 2);
    const int knobLength = Div(85 * halfSlot, 100);
    pen.SetColor(clBlack);
    brush.SetColor(clBlack);
    canvas.Rectangle(0, 0, w, bodyBottom);
    brush.SetColor(clGreen);
    canvas.FillRect(Rect(0, bodyBottom, w, h));

    font.SetName(QStringLiteral("MS Sans Serif"));
    font.SetHeight(-fh);
    font.SetColor(clWhite);
    brush.SetStyle(bsClear);
    canvas.TextOut(0, 0, QStringLiteral("ON"));

    const int n = FNumSwitches;
    const int slotWidth = Div(w - 3, n + 1);
    const int offset = Div(w - 3 - n * slotWidth, n) + 1;
    const int pitch = slotWidth + offset - 1;
    brush.SetColor(clGray);
    for (int j = 0; j < n; ++j) {
        const int x = offset + j * pitch;
        canvas.Rectangle(x, SlotTop, x + slotWidth, slotBottom);
    }

    // The labels name the address bit each knob shows, whichever way the switches count.
    const int letterWidth = canvas.TextWidth(QStringLiteral("A"));
    for (int j = 0; j < n; ++j) {
        const int x = offset + j * pitch;
        const int labelX = x + Div(slotWidth, 2) - Div(letterWidth, 2);
        brush.SetStyle(bsClear);
        canvas.TextOut(labelX, bodyBottom, QStringLiteral("A"));
        canvas.TextOut(labelX, bodyBottom + fh - 1, QString::number(BitOfSwitch(j)));
        brush.SetColor(FSwitchColor);
        if (KnobAtOnEnd(j))
            canvas.Rectangle(x, SlotTop, x + slotWidth, SlotTop + knobLength);
        else
            canvas.Rectangle(x, slotBottom - knobLength, x + slotWidth, slotBottom);
    }
}

REGISTER_COMPONENT_CLASS(TBaseAddress);
