#include "platform/Graphics.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cstdlib>

namespace {
// The system colours, as a current desktop shows them, 0x00BBGGRR. Fixed rather than taken from the
// desktop theme, so that every drawing rule has one exact answer.
constexpr std::array<TColor, 25> SystemColors = {
    0xC8C8C8, // scroll bar
    0x000000, // desktop background
    0xD1B499, // active caption
    0xDBCDBF, // inactive caption
    0xF0F0F0, // menu
    0xFFFFFF, // window background
    0x646464, // window frame
    0x000000, // menu text
    0x000000, // window text
    0x000000, // caption text
    0xB4B4B4, // active border
    0xFCF7F4, // inactive border
    0xABABAB, // application work space
    0xD77800, // highlight
    0xFFFFFF, // highlight text
    0xF0F0F0, // button face
    0xA0A0A0, // button shadow
    0x6D6D6D, // grey text
    0x000000, // button text
    0x000000, // inactive caption text
    0xFFFFFF, // button highlight
    0x696969, // 3D dark shadow
    0xE3E3E3, // 3D light
    0x000000, // tooltip text
    0xE1FFFF, // tooltip background
};

QHash<QString, TGraphicFactory>& GraphicRegistry()
{
    static QHash<QString, TGraphicFactory> registry;
    return registry;
}

QRect ToQRect(const TRect& box) { return QRect(box.Left, box.Top, box.Width(), box.Height()); }
} // namespace

TColor ColorToRGB(TColor color)
{
    if (color >= 0)
        return color & 0x00FFFFFF;
    const auto index = static_cast<size_t>(static_cast<uint32_t>(color) & 0xFF);
    return index < SystemColors.size() ? SystemColors[index] : clBlack;
}

QColor ColorToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

TColor QColorToColor(const QColor& color)
{
    return static_cast<TColor>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

TFont::TFont() = default;

void TFont::SetCharset(int charset)
{
    if (charset == FCharset)
        return;
    FCharset = charset;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == FHeight)
        return;
    FHeight = height;
    Changed();
}

void TFont::SetName(const QString& name)
{
    if (name == FName || name.isEmpty())
        return;
    FName = name;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == FPitch)
        return;
    FPitch = pitch;
    Changed();
}

namespace {
// Multiplies and divides, rounding halves away from zero, as the system's font sizing does.
int MulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
} // namespace

int TFont::Size() const
{
    return -MulDiv(FHeight, 72, ScreenPixelsPerInch());
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72));
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == FStyle)
        return;
    FStyle = style;
    Changed();
}

void TFont::Assign(const TPersistent* source)
{
    auto* font = qobject_cast<const TFont*>(source);
    if (!font) {
        TPersistent::Assign(source);
        return;
    }
    if (font->FCharset == FCharset && font->FColor == FColor && font->FHeight == FHeight && font->FName == FName
        && font->FPitch == FPitch && font->FStyle == FStyle)
        return;
    FCharset = font->FCharset;
    FColor = font->FColor;
    FHeight = font->FHeight;
    FName = font->FName;
    FPitch = font->FPitch;
    FStyle = font->FStyle;
    Changed();
}

QFont TFont::ToQFont() const
{
    QFont font(FName);
    font.setStyleHint(FPitch == fpFixed ? QFont::Monospace : QFont::SansSerif);
    // A negative height is the character height; a positive one the cell height, which includes the
    // internal leading (about a fifth of it for the fonts in use).
    const int pixels = FHeight < 0 ? -FHeight : (FHeight > 0 ? std::max(1, FHeight * 4 / 5) : 11);
    font.setPixelSize(pixels);
    font.setBold(FStyle.testFlag(fsBold));
    font.setItalic(FStyle.testFlag(fsItalic));
    font.setUnderline(FStyle.testFlag(fsUnderline));
    font.setStrikeOut(FStyle.testFlag(fsStrikeOut));
    return font;
}

void TFont::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPen::Assign(const TPersistent* source)
{
    auto* pen = qobject_cast<const TPen*>(source);
    if (!pen) {
        TPersistent::Assign(source);
        return;
    }
    FColor = pen->FColor;
    FStyle = pen->FStyle;
    FWidth = pen->FWidth;
}

void TBrush::SetColor(TColor color)
{
    FColor = color;
    if (FStyle == bsClear)
        FStyle = bsSolid;
}

void TBrush::Assign(const TPersistent* source)
{
    auto* brush = qobject_cast<const TBrush*>(source);
    if (!brush) {
        TPersistent::Assign(source);
        return;
    }
    FColor = brush->FColor;
    FStyle = brush->FStyle;
}

TCanvas::TCanvas() : FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()), FFont(std::make_unique<TFont>())
{
}

TCanvas::~TCanvas()
{
    ReleasePainter();
}

void TCanvas::AttachSurface(QPainter* painter, QImage* image, QPoint origin)
{
    ReleasePainter();
    FExternalPainter = painter;
    FImage = image;
    FOrigin = origin;
}

void TCanvas::AttachImage(QImage* image)
{
    ReleasePainter();
    FExternalPainter = nullptr;
    FImage = image;
    FOrigin = QPoint();
}

void TCanvas::Detach()
{
    ReleasePainter();
    FExternalPainter = nullptr;
    FImage = nullptr;
}

QPainter& TCanvas::Painter() const
{
    if (FExternalPainter)
        return *FExternalPainter;
    if (!FImage)
        throw Exception(QStringLiteral("Canvas does not allow drawing"));
    if (!FOwnPainter) {
        FOwnPainter = std::make_unique<QPainter>(FImage);
        FOwnPainter->setRenderHint(QPainter::Antialiasing, false);
    }
    return *FOwnPainter;
}

void TCanvas::ReleasePainter() const
{
    FOwnPainter.reset();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    QPainter& painter = Painter();
    const QRect box(left, top, right - left, bottom - top);
    if (FBrush->Style() != bsClear)
        painter.fillRect(box, ColorToQColor(FBrush->Color()));
    if (FPen->Style() == psClear)
        return;
    if (FPen->Style() == psSolid && FPen->Width() == 1) {
        // A one-pixel frame on the box's outermost rows and columns.
        const QColor pen = ColorToQColor(FPen->Color());
        painter.fillRect(QRect(left, top, box.width(), 1), pen);
        painter.fillRect(QRect(left, bottom - 1, box.width(), 1), pen);
        painter.fillRect(QRect(left, top, 1, box.height()), pen);
        painter.fillRect(QRect(right - 1, top, 1, box.height()), pen);
        return;
    }
    QPainterPath path;
    path.addRect(QRectF(left + 0.5, top + 0.5, box.width() - 1, box.height() - 1));
    StrokeOutline(painter, path);
}

void TCanvas::StrokeOutline(QPainter& painter, const QPainterPath& path) const
{
    if (FPen->Style() == psClear)
        return;
    QPen pen(ColorToQColor(FPen->Color()));
    pen.setCosmetic(true);
    pen.setWidth(FPen->Width() == 1 ? 0 : FPen->Width());
    switch (FPen->Style()) {
    case psDash: pen.setStyle(Qt::DashLine); break;
    case psDot: pen.setStyle(Qt::DotLine); break;
    case psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen);
    painter.drawPath(path);
    painter.restore();
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    if (right <= left || bottom <= top)
        return;
    QPainter& painter = Painter();
    const int width = right - left;
    const int height = bottom - top;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (FBrush->Style() != bsClear) {
        QPainterPath fill;
        fill.addRoundedRect(QRectF(left, top, width, height), cornerWidth / 2.0, cornerHeight / 2.0);
        painter.fillPath(fill, ColorToQColor(FBrush->Color()));
    }
    painter.restore();
    QPainterPath outline;
    outline.addRoundedRect(QRectF(left + 0.5, top + 0.5, width - 1, height - 1), cornerWidth / 2.0, cornerHeight / 2.0);
    StrokeOutline(painter, outline);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    QPainter& painter = Painter();
    const int width = right - left;
    const int height = bottom - top;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (FBrush->Style() != bsClear) {
        QPainterPath fill;
        fill.addEllipse(QRectF(left, top, width, height));
        painter.fillPath(fill, ColorToQColor(FBrush->Color()));
    }
    painter.restore();
    QPainterPath outline;
    outline.addEllipse(QRectF(left + 0.5, top + 0.5, width - 1, height - 1));
    StrokeOutline(painter, outline);
}

void TCanvas::FillRect(const TRect& box)
{
    if (box.IsEmpty() || FBrush->Style() == bsClear)
        return;
    Painter().fillRect(ToQRect(box), ColorToQColor(FBrush->Color()));
}

void TCanvas::FrameRect(const TRect& box)
{
    if (box.IsEmpty())
        return;
    QPainter& painter = Painter();
    const QColor color = ColorToQColor(FBrush->Color());
    painter.fillRect(QRect(box.Left, box.Top, box.Width(), 1), color);
    painter.fillRect(QRect(box.Left, box.Bottom - 1, box.Width(), 1), color);
    painter.fillRect(QRect(box.Left, box.Top, 1, box.Height()), color);
    painter.fillRect(QRect(box.Right - 1, box.Top, 1, box.Height()), color);
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    QPainter& painter = Painter();
    const QFont font = FFont->ToQFont();
    const QFontMetrics metrics(font);
    if (FBrush->Style() != bsClear)
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), ColorToQColor(FBrush->Color()));
    painter.save();
    painter.setFont(font);
    painter.setPen(ColorToQColor(FFont->Color()));
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.restore();
}

void TCanvas::TextRect(const TRect& box, int x, int y, const QString& text)
{
    QPainter& painter = Painter();
    painter.save();
    painter.setClipRect(ToQRect(box), Qt::IntersectClip);
    TextOut(x, y, text);
    painter.restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(FFont->ToQFont()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) const
{
    return QFontMetrics(FFont->ToQFont()).height();
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!FImage)
        return clNone;
    const QPoint at = FOrigin + QPoint(x, y);
    if (!FImage->rect().contains(at))
        return clNone;
    return QColorToColor(QColor::fromRgb(FImage->pixel(at)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    QPainter& painter = Painter();
    painter.fillRect(QRect(x, y, 1, 1), ColorToQColor(color));
}

QImage TCanvas::Grab(const TRect& box) const
{
    if (!FImage)
        return QImage();
    return FImage->copy(QRect(FOrigin.x() + box.Left, FOrigin.y() + box.Top, box.Width(), box.Height()));
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceBox)
{
    if (dest.IsEmpty() || sourceBox.IsEmpty() || !source)
        return;
    const QImage piece = source->Grab(sourceBox);
    QPainter& painter = Painter();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (dest.Width() == sourceBox.Width() && dest.Height() == sourceBox.Height())
        painter.drawImage(QPoint(dest.Left, dest.Top), piece);
    else
        painter.drawImage(ToQRect(dest), piece);
    painter.restore();
}

void TCanvas::Draw(int x, int y, const TGraphic* graphic)
{
    if (graphic && !graphic->Empty())
        graphic->Draw(this, Bounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& dest, const TGraphic* graphic)
{
    if (graphic && !graphic->Empty())
        graphic->Draw(this, dest);
}

void TGraphic::SetTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

TBitmap::TBitmap() : FCanvas(std::make_unique<TCanvas>())
{
    FCanvas->AttachImage(&FImage);
}

TBitmap::~TBitmap()
{
    FCanvas->Detach();
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == FImage.width() && height == FImage.height())
        return;
    FCanvas->ReleasePainter();
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(0xFFFFFFFFu);
    if (!FImage.isNull() && width > 0 && height > 0) {
        QPainter copy(&resized);
        copy.drawImage(QPoint(0, 0), FImage);
    }
    FImage = resized;
    FCanvas->AttachImage(&FImage);
    Changed();
}

uint32_t* TBitmap::ScanLine(int row)
{
    FCanvas->ReleasePainter();
    return reinterpret_cast<uint32_t*>(FImage.scanLine(row));
}

const uint32_t* TBitmap::ScanLine(int row) const
{
    FCanvas->ReleasePainter();
    return reinterpret_cast<const uint32_t*>(FImage.constScanLine(row));
}

const QImage& TBitmap::Image() const
{
    FCanvas->ReleasePainter();
    return FImage;
}

void TBitmap::Draw(TCanvas* canvas, const TRect& dest) const
{
    const QImage& image = Image();
    QPainter& painter = canvas->Painter();
    if (dest.Width() == image.width() && dest.Height() == image.height())
        painter.drawImage(QPoint(dest.Left, dest.Top), image);
    else
        painter.drawImage(ToQRect(dest), image);
}

void TBitmap::LoadFromData(const QByteArray& data)
{
    QImage image;
    if (!image.loadFromData(data, "BMP"))
        throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
    FCanvas->ReleasePainter();
    FImage = image.convertToFormat(QImage::Format_RGB32);
    FCanvas->AttachImage(&FImage);
    Changed();
}

QByteArray TBitmap::SaveToData() const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    Image().save(&buffer, "BMP");
    return data;
}

void TBitmap::Assign(const TPersistent* source)
{
    auto* bitmap = qobject_cast<const TBitmap*>(source);
    if (!bitmap) {
        TGraphic::Assign(source);
        return;
    }
    FCanvas->ReleasePainter();
    FImage = bitmap->Image().copy();
    FCanvas->AttachImage(&FImage);
    Changed();
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (!graphic) {
        if (!FGraphic)
            return;
        FGraphic.reset();
        Changed();
        return;
    }
    std::unique_ptr<TGraphic> copy = CreateGraphic(graphic->ClassName());
    if (!copy)
        throw EInvalidGraphic(QStringLiteral("Unknown picture class '%1'").arg(graphic->ClassName()));
    copy->Assign(graphic);
    copy->SetTransparent(graphic->Transparent());
    copy->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    FGraphic = std::move(copy);
    Changed();
}

QByteArray TPicture::Data() const
{
    if (!FGraphic)
        return QByteArray();
    const QByteArray name = FGraphic->ClassName().toLatin1();
    QByteArray data;
    data.append(static_cast<char>(name.size()));
    data.append(name);
    data.append(FGraphic->SaveToData());
    return data;
}

void TPicture::SetData(const QByteArray& data)
{
    if (data.isEmpty()) {
        SetGraphic(nullptr);
        return;
    }
    const int nameLength = static_cast<unsigned char>(data[0]);
    if (data.size() < 1 + nameLength)
        throw EInvalidGraphic(QStringLiteral("Picture data is truncated"));
    const QString className = QString::fromLatin1(data.mid(1, nameLength));
    std::unique_ptr<TGraphic> graphic = CreateGraphic(className);
    if (!graphic)
        throw EInvalidGraphic(QStringLiteral("Unknown picture class '%1'").arg(className));
    graphic->LoadFromData(data.mid(1 + nameLength));
    graphic->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    FGraphic = std::move(graphic);
    Changed();
}

void TPicture::Assign(const TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* picture = qobject_cast<const TPicture*>(source)) {
        SetGraphic(picture->Graphic());
        return;
    }
    if (auto* graphic = qobject_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::GraphicChanged(TObject*)
{
    Changed();
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void RegisterGraphicClass(const QMetaObject& meta, TGraphicFactory factory)
{
    GraphicRegistry().insert(QString::fromLatin1(meta.className()), factory);
}

std::unique_ptr<TGraphic> CreateGraphic(const QString& className)
{
    auto it = GraphicRegistry().constFind(className);
    if (it == GraphicRegistry().constEnd())
        return nullptr;
    return std::unique_ptr<TGraphic>((*it)());
}

[[maybe_unused]] static const bool TBitmap_registered
    = (RegisterGraphicClass(TBitmap::staticMetaObject, []() -> TGraphic* { return new TBitmap; }), true);
