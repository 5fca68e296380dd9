#pragma once

#include "platform/Controls.h"

#include "components/SetupTypes.h"

#include <QString>

#include <cstdint>
#include <memory>

// True when the object's class name is the given one, ignoring letter case. Only that very class counts:
// a class derived from it carries a name of its own.
bool IsClassNamed(const QObject* object, const char* className);

// The drawing the setting widgets share. Each widget draws its picture upright into an off-screen bitmap;
// the picture is then turned into the direction Orientation asks for and copied onto the control.
// A turn between the horizontal pair (otUp, otDown) and the vertical pair (otLeft, otRight) exchanges the
// control's Width and Height at the end of the next paint, but only on a control that has been painted
// before: a control given its orientation and a fitting size before it is first shown keeps that size.
class TOrientedWidget : public TGraphicControl {
    Q_OBJECT
public:
    ~TOrientedWidget() override;

    TOrientationType Orientation() const { return FOrientation; }
    void SetOrientation(TOrientationType orientation);

protected:
    explicit TOrientedWidget(TComponent* owner);

    void Paint() override;
    // Draws the upright picture, w x h pixels, onto the canvas of the upright bitmap.
    virtual void PaintUpright(TCanvas& canvas, int w, int h) = 0;

    template <typename T>
    void SetAndRepaint(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }

private:
    void TurnUpright();
    void ExchangeSizeIfPending();

    TOrientationType FOrientation = otUp;
    std::unique_ptr<TBitmap> FUpright;
    std::unique_ptr<TBitmap> FOutput;
    bool FSizeExchangePending = false;
    bool FPaintedOnce = false;
};

// What the two-pin and the three-pin jumper have in common: the colours of body, pins and cap, the border
// style, and a click that counts every click (the board is set by clicking quickly, so a fast second
// click is a click of its own rather than a double click).
class TJumperWidget : public TOrientedWidget {
    Q_OBJECT
public:
    TColor BaseColor() const { return FBaseColor; }
    void SetBaseColor(TColor color) { SetAndRepaint(FBaseColor, color); }
    TColor PinColor() const { return FPinColor; }
    void SetPinColor(TColor color) { SetAndRepaint(FPinColor, color); }
    TColor JumperColor() const { return FJumperColor; }
    void SetJumperColor(TColor color) { SetAndRepaint(FJumperColor, color); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    // A jumper knows only bsNone and bsSingle; every other border style is taken as bsSingle.
    void SetBorderStyle(TBorderStyle style);

protected:
    explicit TJumperWidget(TComponent* owner);

    // The outline of a shape filled with the given colour: black with bsSingle, the fill itself with bsNone.
    TColor OutlineOf(TColor fill) const;
    // Fills the upright picture with what lies behind the header: the option panel's colour, or the
    // button face under any other parent.
    void PaintBackground(TCanvas& canvas, int w, int h) const;

private:
    TColor FBaseColor = clGray;
    TColor FPinColor = clYellow;
    TColor FJumperColor = clMaroon;
    TBorderStyle FBorderStyle = bsSingle;
};

// A two-pin header that carries its shorting cap (closed) or not (open). A click puts the cap on or takes
// it off; inside an option panel with RadioEnabled the click selects this jumper among its siblings.
class TTwoJumper : public TJumperWidget {
    Q_OBJECT
    Q_PROPERTY(bool Closed READ Closed WRITE SetClosed)
    Q_PROPERTY(int BaseColor READ BaseColor WRITE SetBaseColor)
    Q_PROPERTY(int PinColor READ PinColor WRITE SetPinColor)
    Q_PROPERTY(int JumperColor READ JumperColor WRITE SetJumperColor)
    Q_PROPERTY(SetupCtrls::TOrientationType Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(Types::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)

public:
    explicit TTwoJumper(TComponent* owner);

    bool Closed() const { return FClosed; }
    void SetClosed(bool closed) { SetAndRepaint(FClosed, closed); }

    // Inverts Closed, lets a radio-enabled option panel select this jumper, then fires OnClick.
    void Click() override;

    // "Jumper, closed" or "Jumper, open": a check box that is checked while the cap is on.
    QString AccessibleName() const override;
    TAccessibleRole AccessibleRole() const override;
    TAccessibleState AccessibleState() const override;

protected:
    void PaintUpright(TCanvas& canvas, int w, int h) override;

private:
    bool FClosed = false;
};

// A three-pin header whose cap bridges the left and middle pins, the middle and right pins, or is off.
// A click moves the cap on: open, left, right, open; without AllowOpen: left, right, left.
class TThreeJumper : public TJumperWidget {
    Q_OBJECT
    Q_PROPERTY(SetupCtrls::TJumperState JumperState READ JumperState WRITE SetJumperState)
    Q_PROPERTY(int BaseColor READ BaseColor WRITE SetBaseColor)
    Q_PROPERTY(int PinColor READ PinColor WRITE SetPinColor)
    Q_PROPERTY(int JumperColor READ JumperColor WRITE SetJumperColor)
    Q_PROPERTY(SetupCtrls::TOrientationType Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(Types::TFormBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool AllowOpen READ AllowOpen WRITE SetAllowOpen)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER OnClick)

public:
    explicit TThreeJumper(TComponent* owner);

    TJumperState JumperState() const { return FJumperState; }
    // jsOpen is refused while AllowOpen is False.
    void SetJumperState(TJumperState state);
    bool AllowOpen() const { return FAllowOpen; }
    // Turning it off moves an open cap to jsLeft.
    void SetAllowOpen(bool allowOpen);

    // Moves the cap to its next position, then fires OnClick.
    void Click() override;

    // The cap's place as the user sees it, turned by Orientation: "Three-pin jumper, cap on the upper two
    // pins", or "Three-pin jumper, open".
    QString AccessibleName() const override;
    TAccessibleRole AccessibleRole() const override;

protected:
    void PaintUpright(TCanvas& canvas, int w, int h) override;

private:
    TJumperState FJumperState = jsOpen;
    bool FAllowOpen = true;
};

// The base-address DIP-switch block, set for a hexadecimal I/O address: a black body with one slot per
// switch, each knob at its "ON" end or at the other one, and under the body the address line of each
// switch. The switches stand for the address bits 9 down to 10 - NumSwitches.
class TBaseAddress : public TOrientedWidget {
    Q_OBJECT
    Q_PROPERTY(int SwitchColor READ SwitchColor WRITE SetSwitchColor)
    Q_PROPERTY(bool OnIsOne READ OnIsOne WRITE SetOnIsOne)
    Q_PROPERTY(bool LeftToRight READ LeftToRight WRITE SetLeftToRight)
    Q_PROPERTY(SetupCtrls::TOrientationType Orientation READ Orientation WRITE SetOrientation)
    Q_PROPERTY(uchar NumSwitches READ NumSwitches WRITE SetNumSwitches)
    Q_PROPERTY(QString BaseAddressStr READ BaseAddressStr WRITE SetBaseAddressStr)
    Q_PROPERTY(Types::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(Types::TAnchors Anchors READ Anchors WRITE SetAnchors)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TSizeConstraints* Constraints READ Constraints WRITE SetConstraints)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(TMouseEvent OnMouseDown MEMBER OnMouseDown)
    Q_PROPERTY(TMouseMoveEvent OnMouseMove MEMBER OnMouseMove)
    Q_PROPERTY(TMouseEvent OnMouseUp MEMBER OnMouseUp)

public:
    static constexpr uint8_t MinSwitches = 1;
    static constexpr uint8_t MaxSwitches = 10;

    explicit TBaseAddress(TComponent* owner);

    TColor SwitchColor() const { return FSwitchColor; }
    void SetSwitchColor(TColor color) { SetAndRepaint(FSwitchColor, color); }
    // False: a switch at its ON end stands for a 0 bit; True: for a 1 bit.
    bool OnIsOne() const { return FOnIsOne; }
    void SetOnIsOne(bool onIsOne) { SetAndRepaint(FOnIsOne, onIsOne); }
    // False: the leftmost switch stands for the lowest address bit; True: for bit 9.
    bool LeftToRight() const { return FLeftToRight; }
    void SetLeftToRight(bool leftToRight) { SetAndRepaint(FLeftToRight, leftToRight); }
    uint8_t NumSwitches() const { return FNumSwitches; }
    // Kept within MinSwitches to MaxSwitches, the address bits 9 down to 0 a block can have. The stored
    // address is not masked again.
    void SetNumSwitches(uint8_t count);
    const QString& BaseAddressStr() const { return FBaseAddressStr; }
    // Keeps the hexadecimal digits of the text and the address bits the switches can set, and stores the
    // result as upper-case hexadecimal text. A text without digits changes nothing; more than eight
    // significant digits raise EConvertError and change nothing.
    void SetBaseAddressStr(const QString& text);

    // "Address switch, 200", described switch by switch as drawn: "A4 on, A5 on, ..., A9 off".
    QString AccessibleName() const override;
    QString AccessibleDescription() const override;

protected:
    void PaintUpright(TCanvas& canvas, int w, int h) override;

private:
    uint32_t SwitchMask() const;
    // The address bit switch j (from the left end of the upright picture) stands for.
    int BitOfSwitch(int j) const;
    bool KnobAtOnEnd(int j) const;

    TColor FSwitchColor = clWhite;
    bool FOnIsOne = false;
    bool FLeftToRight = false;
    uint8_t FNumSwitches = 7;
    uint32_t FAddress = 0;
    QString FBaseAddressStr = QStringLiteral("0");
};
