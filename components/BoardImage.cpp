#include "components/BoardImage.h"

#include "platform/Forms.h"
#include "platform/qt/Handles.h"

#include <QPointer>

TBoardImage::TBoardImage(TComponent* owner) : TCustomPanel(owner), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = TNotifyEvent(this, &TBoardImage::PictureChanged);
    // The panel paints its whole box and so calls itself opaque; the image paints only its picture, and
    // until a picture covers it the background has to show.
    SetControlStyle(ControlStyle() & ~csOpaque);
    SetBounds(Left(), Top(), 105, 105);
    FAspectRatio = 1.0;
    SetAutoSize(true);
    FScale = true;
    FMenu = nullptr;
    FCenterOnForm = true;
    FPositionRecorded = false;
    SetStretch(false);
}

TBoardImage::~TBoardImage()
{
    FPicture->OnChange = TNotifyEvent();
}

void TBoardImage::SetScale(bool scale)
{
    if (scale == FScale)
        return;
    FScale = scale;
    PictureChanged(this);
}

void TBoardImage::SetCenter(bool center)
{
    if (center == FCenter)
        return;
    FCenter = center;
    PictureChanged(this);
}

void TBoardImage::SetStretch(bool stretch)
{
    if (stretch == FStretch)
        return;
    FStretch = stretch;
    PictureChanged(this);
}

void TBoardImage::SetTransparent(bool transparent)
{
    if (transparent == FTransparent)
        return;
    FTransparent = transparent;
    PictureChanged(this);
}

TRect TBoardImage::DestRect() const
{
    if (FStretch)
        return ClientRect();
    const int width = FPicture->Width();
    const int height = FPicture->Height();
    if (FCenter)
        return Bounds(Div(Width() - width, 2), Div(Height() - height, 2), width, height);
    return Rect(0, 0, width, height);
}

void* TBoardImage::GetPalette() const
{
    return FPicture->Graphic() ? FPicture->Graphic()->Palette() : nullptr;
}

void TBoardImage::Paint()
{
    if (!FPositionRecorded) {
        FDesignedLeft = Left();
        FDesignedTop = Top();
        FPositionRecorded = true;
    }
    // The window's outer size is used, frame and bars included, as the program always did.
    if (FCenterOnForm && !IsDesigning() && Parent()) {
        SetLeft(Div(Parent()->Width() - Width(), 2));
        SetTop(Div(Parent()->Height() - Height(), 2));
    }
    TCanvas* canvas = Canvas();
    if (IsDesigning()) {
        if (FScale)
            SetHeight(RoundHalfEven(Width() * FAspectRatio));
        canvas->Pen()->SetStyle(psDash);
        canvas->Pen()->SetColor(clBlack);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(0, 0, Width(), Height());
        canvas->Pen()->SetStyle(psSolid);
        canvas->Brush()->SetStyle(bsSolid);
    }
    const bool wasDrawing = FDrawing;
    FDrawing = true;
    struct Restore {
        bool& Flag;
        bool Value;
        ~Restore() { Flag = Value; }
    } restore{FDrawing, wasDrawing};
    canvas->StretchDraw(DestRect(), FPicture->Graphic());
}

void TBoardImage::PictureChanged(TObject*)
{
    const int width = FPicture->Width();
    const int height = FPicture->Height();
    if (width > 0 && height > 0)
        FAspectRatio = static_cast<double>(height) / width;
    if (AutoSize() && width > 0 && height > 0)
        SetBounds(Left(), Top(), width, height);
    if (TGraphic* graphic = FPicture->Graphic()) {
        if (!graphic->IsMetafileOrIcon())
            graphic->SetTransparent(FTransparent);
        // An opaque control's background need not be painted before the picture.
        const bool opaque = !graphic->Transparent()
                            && (FStretch || (graphic->Width() >= Width() && graphic->Height() >= Height()));
        SetControlStyle(opaque ? ControlStyle() | csOpaque : ControlStyle() & ~csOpaque);
        if (DoPaletteChange() && FDrawing)
            Repaint();
    } else {
        SetControlStyle(ControlStyle() & ~csOpaque);
    }
    if (!FDrawing)
        Invalidate();
}

bool TBoardImage::DoPaletteChange()
{
    TGraphic* graphic = FPicture->Graphic();
    if (!Visible() || IsLoading() || !graphic || !graphic->PaletteModified())
        return false;
    if (!graphic->Palette()) {
        graphic->SetPaletteModified(false);
        return false;
    }
    TForm* form = GetParentForm(this);
    if (!form || !form->Active() || !form->HandleAllocated())
        return false;
    if (FDrawing) {
        form->Perform(WM_QUERYNEWPALETTE, 0, 0);
    } else {
        QPointer<TForm> target(form);
        Backend::PostCall([target] {
            if (target)
                target->Perform(WM_QUERYNEWPALETTE, 0, 0);
        });
    }
    graphic->SetPaletteModified(false);
    return true;
}

bool TBoardImage::CanAutoSize(int& newWidth, int& newHeight)
{
    const bool emptyPicture = FPicture->Width() == 0 || FPicture->Height() == 0;
    if (IsDesigning() && emptyPicture)
        return true;
    if (Align() == alNone || Align() == alLeft || Align() == alRight)
        newWidth = FPicture->Width();
    if (Align() == alNone || Align() == alTop || Align() == alBottom)
        newHeight = FPicture->Height();
    return true;
}

void TBoardImage::BoardStart(TMessage& message)
{
    // The start of the guided walk: the first circle is entered, clicked and left, as by the pointer.
    if (!FFirst)
        return;
    FFirst->MouseEnterHandling(message);
    FFirst->Click();
    FFirst->MouseLeaveHandling(message);
}

void TBoardImage::Dispatch(TMessage& message)
{
    if (message.Msg == WM_BOARDSTART) {
        BoardStart(message);
        return;
    }
    TCustomPanel::Dispatch(message);
}

REGISTER_COMPONENT_CLASS(TBoardImage);
