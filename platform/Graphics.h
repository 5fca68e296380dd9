#pragma once

#include "platform/Classes.h"

#include <QByteArray>
#include <QFont>
#include <QImage>

#include <memory>

class QPainter;
class TGraphic;

// The screen's resolution in logical pixels per inch (96 on a standard screen); fonts are sized by it.
int ScreenPixelsPerInch();

// Resolves a system colour to its 0x00BBGGRR value; other colours come back unchanged.
TColor ColorToRGB(TColor color);
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);

// A font: family name, height in pixels (negative: the character height without internal leading, as
// stored in descriptions), colour and style.
class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(Types::TFontPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(Types::TFontStyles Style READ Style WRITE SetStyle)

public:
    TFont();

    int Charset() const { return FCharset; }
    void SetCharset(int charset);
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    const QString& Name() const { return FName; }
    void SetName(const QString& name);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch pitch);
    // Points at the screen's resolution: Size = -Height * 72 / PixelsPerInch.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);

    void Assign(const TPersistent* source) override;
    QFont ToQFont() const;

    TNotifyEvent OnChange;

private:
    void Changed();

    int FCharset = 1; // DEFAULT_CHARSET
    TColor FColor = clWindowText;
    int FHeight = -11;
    QString FName = QStringLiteral("MS Sans Serif");
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
};

class TPen : public TPersistent {
    Q_OBJECT
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color) { FColor = color; }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style) { FStyle = style; }
    int Width() const { return FWidth; }
    void SetWidth(int width) { FWidth = width < 1 ? 1 : width; }
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};

class TBrush : public TPersistent {
    Q_OBJECT
public:
    TColor Color() const { return FColor; }
    // Choosing a colour makes a clear brush solid again, as the system's brushes behave.
    void SetColor(TColor color);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style) { FStyle = style; }
    void Assign(const TPersistent* source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// A drawing surface with a pen, a brush and a font. Shapes are given by boxes that exclude their right and
// bottom edges; a one-pixel pen is drawn inside the box. A canvas draws either into a bitmap or, while a
// control is being painted, into its parent's off-screen surface at the control's place, so that it can
// read back what the parent has drawn there.
class TCanvas : public TPersistent {
    Q_OBJECT
public:
    TCanvas();
    ~TCanvas() override;

    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* font) { FFont->Assign(font); }

    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& box) { Rectangle(box.Left, box.Top, box.Right, box.Bottom); }
    // Corners are quarter ellipses of the given full width and height.
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& box) { Ellipse(box.Left, box.Top, box.Right, box.Bottom); }
    // Fills with the brush, without an outline.
    void FillRect(const TRect& box);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& box);
    // The top-left corner of the text's character cell is at (x, y). A solid brush fills the cell first.
    void TextOut(int x, int y, const QString& text);
    // Text clipped to a box.
    void TextRect(const TRect& box, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Copies a box of another canvas into a box of this one, scaling when the sizes differ.
    void CopyRect(const TRect& dest, const TCanvas* source, const TRect& sourceBox);
    void Draw(int x, int y, const TGraphic* graphic);
    void StretchDraw(const TRect& dest, const TGraphic* graphic);

    // The platform's side: the image and the place in it this canvas draws to.
    void AttachSurface(QPainter* painter, QImage* image, QPoint origin);
    void AttachImage(QImage* image);
    void Detach();
    bool HasSurface() const { return FImage != nullptr; }
    QPainter& Painter() const;
    // Ends a painter the canvas opened itself, before the image is accessed directly or resized.
    void ReleasePainter() const;
    QImage Grab(const TRect& box) const;

private:
    void StrokeOutline(QPainter& painter, const class QPainterPath& path) const;

    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TFont> FFont;
    QImage* FImage = nullptr;
    QPoint FOrigin;
    QPainter* FExternalPainter = nullptr;
    mutable std::unique_ptr<QPainter> FOwnPainter;
};

// A picture that can draw itself into a box of a canvas.
class TGraphic : public TPersistent {
    Q_OBJECT
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool transparent);
    // The graphic's colour palette. Our graphics are true-colour and have none.
    virtual void* Palette() const { return nullptr; }
    bool PaletteModified() const { return FPaletteModified; }
    void SetPaletteModified(bool modified) { FPaletteModified = modified; }
    virtual void Draw(TCanvas* canvas, const TRect& dest) const = 0;
    // The graphic's own stream format.
    virtual void LoadFromData(const QByteArray& data) = 0;
    virtual QByteArray SaveToData() const = 0;
    virtual bool IsMetafileOrIcon() const { return false; }

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    bool FTransparent = false;
    bool FPaletteModified = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// An off-screen bitmap of 32 bits per pixel. A pixel is a 32-bit value with blue in the lowest byte, then
// green, then red, then a fourth byte.
class TBitmap : public TGraphic {
    Q_OBJECT
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    void SetSize(int width, int height);
    TPixelFormat PixelFormat() const { return pf32bit; }
    void SetPixelFormat(TPixelFormat) {}
    TCanvas* Canvas() const { return FCanvas.get(); }
    // Direct access to one row of pixels.
    uint32_t* ScanLine(int row);
    const uint32_t* ScanLine(int row) const;

    void Draw(TCanvas* canvas, const TRect& dest) const override;
    void LoadFromData(const QByteArray& data) override;
    QByteArray SaveToData() const override;
    void Assign(const TPersistent* source) override;
    const QImage& Image() const;

private:
    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
};

// Holds one graphic, notifies on change and stores it in a description as "Picture.Data": the graphic's
// class name (a length byte and the name) followed by the graphic's own data.
class TPicture : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QByteArray Data READ Data WRITE SetData)

public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of the graphic (nullptr empties the picture).
    void SetGraphic(const TGraphic* graphic);
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    QByteArray Data() const;
    // Raises EInvalidGraphic for an unknown class or undecodable data; the picture is then unchanged.
    void SetData(const QByteArray& data);
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void GraphicChanged(TObject* sender);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
};

// The graphic classes a picture can hold, by class name.
using TGraphicFactory = TGraphic* (*)();
void RegisterGraphicClass(const QMetaObject& meta, TGraphicFactory factory);
std::unique_ptr<TGraphic> CreateGraphic(const QString& className);
