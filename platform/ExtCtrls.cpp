#include "platform/ExtCtrls.h"

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls | csSetCaption | csOpaque);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut bevel)
{
    if (bevel == FBevelInner)
        return;
    FBevelInner = bevel;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel)
{
    if (bevel == FBevelOuter)
        return;
    FBevelOuter = bevel;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int width)
{
    if (width < 1 || width == FBevelWidth)
        return;
    FBevelWidth = width;
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int width)
{
    if (width < 0 || width == FBorderWidth)
        return;
    FBorderWidth = width;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle style)
{
    style = style == bsNone ? bsNone : bsSingle;
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    Invalidate();
}

void Frame3D(TCanvas* canvas, TRect& box, TColor topLeft, TColor bottomRight, int width)
{
    TBrush* brush = canvas->Brush();
    const TColor savedColor = brush->Color();
    const TBrushStyle savedStyle = brush->Style();
    for (int i = 0; i < width && !box.IsEmpty(); ++i) {
        brush->SetColor(topLeft);
        canvas->FillRect(Rect(box.Left, box.Top, box.Right - 1, box.Top + 1));
        canvas->FillRect(Rect(box.Left, box.Top, box.Left + 1, box.Bottom - 1));
        brush->SetColor(bottomRight);
        canvas->FillRect(Rect(box.Left, box.Bottom - 1, box.Right, box.Bottom));
        canvas->FillRect(Rect(box.Right - 1, box.Top, box.Right, box.Bottom));
        box = Rect(box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
    }
    brush->SetColor(savedColor);
    brush->SetStyle(savedStyle);
}

namespace {
void DrawBevel(TCanvas* canvas, TRect& box, TBevelCut cut, int width)
{
    if (cut == bvLowered)
        Frame3D(canvas, box, clBtnShadow, clBtnHighlight, width);
    else if (cut == bvRaised)
        Frame3D(canvas, box, clBtnHighlight, clBtnShadow, width);
    else if (cut == bvSpace)
        box = Rect(box.Left + width, box.Top + width, box.Right - width, box.Bottom - width);
}
} // namespace

void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect box = ClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(box);
    if (FBorderStyle == bsSingle)
        Frame3D(canvas, box, clWindowFrame, clWindowFrame, 1);
    DrawBevel(canvas, box, FBevelOuter, FBevelWidth);
    box = Rect(box.Left + FBorderWidth, box.Top + FBorderWidth, box.Right - FBorderWidth, box.Bottom - FBorderWidth);
    DrawBevel(canvas, box, FBevelInner, FBevelWidth);
    if (Caption().isEmpty())
        return;
    canvas->SetFont(Font());
    canvas->Brush()->SetStyle(bsClear);
    const int width = canvas->TextWidth(Caption());
    const int height = canvas->TextHeight(Caption());
    int x = box.Left;
    if (FAlignment == taCenter)
        x = box.Left + (box.Width() - width) / 2;
    else if (FAlignment == taRightJustify)
        x = box.Right - width;
    canvas->TextOut(x, box.Top + (box.Height() - height) / 2, Caption());
}

REGISTER_COMPONENT_CLASS(TPanel);
