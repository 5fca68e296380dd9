#include "components/BoardHighlight.h"

#include "components/BoardImage.h"
#include "components/PopupForm.h"

#include "platform/Dialogs.h"

#include <cmath>

namespace {
bool IsAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

uint8_t RoundToByte(float value)
{
    const float rounded = std::nearbyint(value);
    return static_cast<uint8_t>(std::clamp(rounded, 0.0f, 255.0f));
}

bool IsExactly(const QObject* object, const char* className)
{
    return object && qstrcmp(object->metaObject()->className(), className) == 0;
}
} // namespace

THighlightStyle HighlightStyleOf(THighlightType type)
{
    switch (type) {
    case htOptions: return THighlightStyle{0xFF0000, 0.25f, 0.5f, 1.0f};
    case htCalibration: return THighlightStyle{0x0000FF, 0.5f, 0.75f, 1.0f};
    default: return THighlightStyle{0x00FFFF, 0.5f, 0.75f, 1.0f};
    }
}

void BlendRing(TBitmap& bitmap, TColor ringColor, float strength, bool whiteCore)
{
    const int a = bitmap.Width() - 1;
    const int b = bitmap.Height() - 1;
    // A circle one pixel wide or high has no inside to blend.
    if (a <= 0 || b <= 0)
        return;
    const float kx = 2.0f / static_cast<float>(a);
    const float ky = 2.0f / static_cast<float>(b);
    const TColor rgb = ColorToRGB(ringColor);
    const float ringRed = static_cast<float>(rgb & 0xFF);
    const float ringGreen = static_cast<float>((rgb >> 8) & 0xFF);
    const float ringBlue = static_cast<float>((rgb >> 16) & 0xFF);
    for (int r = 0; r <= b; ++r) {
        uint32_t* row = bitmap.ScanLine(r);
        const float y = static_cast<float>(r) * ky - 1.0f;
        for (int c = 0; c <= a; ++c) {
            const float x = static_cast<float>(c) * kx - 1.0f;
            const float q = x * x + y * y;
            if (q >= 1.0f)
                continue;
            uint32_t base = row[c];
            float w = 0.16f;
            if (q >= 0.5929f) {
                w = 1.0f - 8.0f * std::fabs(std::sqrt(q) - 0.875f);
                if (whiteCore) {
                    w = 2.0f * w;
                    if (w > 1.0f) {
                        base = 0x00FFFFFF;
                        w = 2.0f - w;
                    }
                }
            }
            w = w * strength;
            const float m = 1.0f - w;
            const float baseBlue = static_cast<float>(base & 0xFF);
            const float baseGreen = static_cast<float>((base >> 8) & 0xFF);
            const float baseRed = static_cast<float>((base >> 16) & 0xFF);
            const float blueMix = baseBlue * m;
            const float greenMix = baseGreen * m;
            const float redMix = baseRed * m;
            const float blueRing = ringBlue * w;
            const float greenRing = ringGreen * w;
            const float redRing = ringRed * w;
            const uint32_t blue = RoundToByte(blueMix + blueRing);
            const uint32_t green = RoundToByte(greenMix + greenRing);
            const uint32_t red = RoundToByte(redMix + redRing);
            row[c] = (base & 0xFF000000u) | (red << 16) | (green << 8) | blue;
        }
    }
}

QString PopupCaptionOf(const QString& title)
{
    QString caption = title;
    caption.remove(u'&');
    return caption;
}

QString EntryNameStemOf(const QString& title)
{
    if (title.isEmpty() || IsValidIdent(title))
        return title;
    QString stem = title;
    while (!stem.isEmpty() && stem[0] != u'_' && !IsAsciiLetter(stem[0]))
        stem.remove(0, 1);
    for (qsizetype i = 1; i < stem.size();) {
        const QChar c = stem[i];
        if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'_')
            ++i;
        else
            stem.remove(i, 1);
    }
    return stem;
}

// ---------------------------------------------------------------------------------------------------------

TBoardHighlight::TBoardHighlight(TComponent* owner)
    : TGraphicControl(owner), FPlainLook(std::make_unique<TBitmap>()), FBrightLook(std::make_unique<TBitmap>()),
      FLitLook(std::make_unique<TBitmap>())
{
    SetBounds(Left(), Top(), 65, 65);
    FHovered = false;
    FPrepared = false;
    FPinned = false;
    FPopup = nullptr;
    FMenu = nullptr;
    FCreatePopup = true;
    FHighlightType = htOptions;
    SetHighlightType(htSettings);
}

TBoardHighlight::~TBoardHighlight()
{
    Destroying();
    HandOverMenuEntry();
}

bool TBoardHighlight::OnBoardImage() const
{
    return IsExactly(Parent(), "TBoardImage");
}

bool TBoardHighlight::IsLinkedTo(const TBoardHighlight* other) const
{
    return other->FTitle == FTitle && other->FHighlightType == FHighlightType;
}

std::vector<TBoardHighlight*> TBoardHighlight::LinkedCircles() const
{
    std::vector<TBoardHighlight*> linked;
    if (!OnBoardImage())
        return linked;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* control = Parent()->Controls(i);
        if (IsExactly(control, "TBoardHighlight")) {
            auto* circle = static_cast<TBoardHighlight*>(control);
            if (IsLinkedTo(circle))
                linked.push_back(circle);
        }
    }
    return linked;
}

void TBoardHighlight::SetHighlightType(THighlightType type)
{
    if (type == FHighlightType)
        return;
    FHighlightType = type;
    FStyle = HighlightStyleOf(type);
    Invalidate();
}

void TBoardHighlight::SetTitle(const QString& title)
{
    if (title == FTitle)
        return;
    FTitle = title;
    FPopupCaption = PopupCaptionOf(title);
    FEntryNameStem = EntryNameStemOf(title);
}

void TBoardHighlight::SetRadioPanel(TRadioPanel* panel)
{
    if (panel == FRadioPanel)
        return;
    if (!panel) {
        FRadioPanel = nullptr;
        return;
    }
    if (Parent()) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            TControl* control = Parent()->Controls(i);
            if (control == this || !IsExactly(control, "TBoardHighlight"))
                continue;
            auto* other = static_cast<TBoardHighlight*>(control);
            if (other->FRadioPanel != panel || IsLinkedTo(other))
                continue;
            if (Parent()->IsDesigning())
                MessageDlg(panel->Name() + QStringLiteral(" has already been assigned to ") + other->Name()
                               + QStringLiteral("."),
                           mtError, mbOK);
            return;
        }
    }
    FRadioPanel = panel;
    if (!IsDesigning() || IsLoading() || !Parent())
        return;
    for (TBoardHighlight* other : LinkedCircles()) {
        if (other == this || other->FRadioPanel == panel)
            continue;
        const QString question = Name() + QStringLiteral("'s RadioPanel property changed. Synchronize linked component ")
                                 + other->Name() + QStringLiteral("?");
        if (MessageDlg(question, mtConfirmation, mbYes | mbNo) == IDYES)
            other->FRadioPanel = panel;
    }
}

void TBoardHighlight::RenderLooks()
{
    const TRect box = Rect(0, 0, Width(), Height());
    const struct {
        TBitmap* Look;
        float Strength;
        bool WhiteCore;
    } looks[] = {{FPlainLook.get(), FStyle.PlainStrength, false},
                 {FBrightLook.get(), FStyle.BrightStrength, true},
                 {FLitLook.get(), FStyle.LitStrength, false}};
    for (const auto& look : looks) {
        look.Look->SetSize(Width(), Height());
        // What the parent has drawn here so far: the photograph and the circles painted before this one.
        look.Look->Canvas()->CopyRect(box, Canvas(), box);
        BlendRing(*look.Look, FStyle.RingColor, look.Strength, look.WhiteCore);
    }
}

const TBitmap& TBoardHighlight::CurrentLook() const
{
    if (FActive && FHovered)
        return *FBrightLook;
    if (FActive || FHovered)
        return *FLitLook;
    return *FPlainLook;
}

void TBoardHighlight::Paint()
{
    if (IsDesigning()) {
        RenderLooks();
    } else if (!FPrepared) {
        RenderLooks();
        if (OnBoardImage()) {
            FMenu = static_cast<TBoardImage*>(Parent())->Menu();
            RegisterMenuEntry();
        } else {
            FMenu = nullptr;
        }
        FPrepared = true;
    }
    Canvas()->Draw(0, 0, &CurrentLook());
}

void TBoardHighlight::MouseEnterHandling(const TMessage& message)
{
    if (FHovered)
        return;
    FHovered = true;
    Invalidate();
    if (FCreatePopup)
        ShowPopup();
    if (message.WParam == 1)
        return;
    for (TBoardHighlight* circle : LinkedCircles())
        circle->Perform(CM_MOUSEENTER, 1, 0);
}

void TBoardHighlight::MouseLeaveHandling(const TMessage& message)
{
    if (!FHovered)
        return;
    if (FPopup && !FPinned) {
        const TPoint pointer = Mouse->CursorPos();
        const bool insidePopup = pointer.X >= FPopup->Left() && pointer.X < FPopup->Left() + FPopup->Width()
                                 && pointer.Y >= FPopup->Top() && pointer.Y < FPopup->Top() + FPopup->Height();
        if (insidePopup) {
            FPopup->SetCloseOnLeave(true);
            Pin();
        } else {
            ClosePopup();
        }
    }
    if (message.WParam == 1)
        return;
    for (TBoardHighlight* circle : LinkedCircles())
        circle->Perform(CM_MOUSELEAVE, 1, 0);
}

void TBoardHighlight::Click()
{
    TGraphicControl::Click();
    // The pointer is over the circle. If the popup closed while it stayed there (Done from the keyboard),
    // no new enter came: the click brings the popup back first, so that it never pins and checks the
    // entry of a popup that is not shown.
    if (!FHovered)
        Perform(CM_MOUSEENTER, 0, 0);
    Pin();
}

QString TBoardHighlight::AccessibleName() const
{
    return FPopupCaption;
}

TAccessibleRole TBoardHighlight::AccessibleRole() const
{
    return TAccessibleRole::Button;
}

TAccessibleState TBoardHighlight::AccessibleState() const
{
    TAccessibleState state = TGraphicControl::AccessibleState();
    // The hovered flag stays set for as long as the popup (perhaps a linked circle's) is open.
    if (FCreatePopup)
        state |= asHasPopup | (FHovered ? asExpanded : 0u);
    return state;
}

void TBoardHighlight::Pin()
{
    if (FPopup) {
        FPinned = true;
        CheckMenuEntry(true);
    }
    for (TBoardHighlight* circle : LinkedCircles()) {
        if (!circle->FPopup)
            continue;
        circle->FPinned = true;
        circle->CheckMenuEntry(true);
        circle->FPopup->SetFocus();
    }
}

void TBoardHighlight::PopupClosed(TObject*, TCloseAction&)
{
    CheckMenuEntry(false);
    if (FPopup)
        FPopup->SetCloseOnLeave(false);
    FHovered = false;
    Invalidate();
    for (TBoardHighlight* circle : LinkedCircles()) {
        circle->FHovered = false;
        circle->Invalidate();
    }
}

void TBoardHighlight::SetActiveLook(bool active)
{
    FActive = active;
    BringToFront();
    Invalidate();
    if (!OnBoardImage())
        return;
    // Bringing a circle to the front moves it to the end of the list: the walk stays at its index and
    // ends one place earlier, so that every linked circle is handled once.
    TWinControl* board = Parent();
    int count = board->ControlCount();
    for (int i = 0; i < count;) {
        TControl* control = board->Controls(i);
        auto* circle = IsExactly(control, "TBoardHighlight") ? static_cast<TBoardHighlight*>(control) : nullptr;
        if (circle && circle != this && IsLinkedTo(circle)) {
            circle->FActive = active;
            circle->BringToFront();
            circle->Invalidate();
            --count;
        } else {
            ++i;
        }
    }
}

void TBoardHighlight::ShowPopup()
{
    if (FPopup) {
        if (!FPopup->Visible())
            FPinned = false;
        FPopup->Show();
        return;
    }
    // A linked circle that built the popup already: its window carries this caption and tag.
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* form = Screen->Forms(i);
        if (form->Caption() == FPopupCaption && form->Tag() == static_cast<int>(FHighlightType))
            return;
    }
    TPopupForm::Build(this);
}

void TBoardHighlight::ClosePopup()
{
    if (FPopup)
        FPopup->Close();
}

void TBoardHighlight::DoneClick(TObject*)
{
    ClosePopup();
}

void TBoardHighlight::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        MouseEnterHandling(message);
        return;
    case CM_MOUSELEAVE:
        MouseLeaveHandling(message);
        return;
    default:
        TGraphicControl::Dispatch(message);
    }
}

REGISTER_COMPONENT_CLASS(TBoardHighlight);
