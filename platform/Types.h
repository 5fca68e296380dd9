#pragma once

#include "platform/Messages.h"

#include <QFlags>
#include <QObject>

#include <algorithm>
#include <cstdint>

// Points and boxes in pixels. A box (Left, Top, Right, Bottom) covers the columns Left to Right - 1 and the
// rows Top to Bottom - 1: its right and bottom edges are excluded.
struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height)
{
    return TRect{left, top, left + width, top + height};
}

// Platform colours: 0x00BBGGRR, red in the lowest byte. Values with the top bit set name system colours
// (the low byte is the system colour's index) and are resolved by ColorToRGB (Graphics.h).
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

// The enumerations and sets of the class library. They live in one namespace so that the run-time type
// information (Q_ENUM_NS / Q_FLAG_NS) gives the form reader their value names; the names themselves are
// brought into the global scope below, as the components use them unqualified.
namespace Types {
Q_NAMESPACE

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
Q_ENUM_NS(TAlign)

enum TAnchorKind { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

// A control's border takes the first two values; a form's border any of them.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
Q_ENUM_NS(TFormBorderStyle)

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
Q_ENUM_NS(TFormStyle)

enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
    poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter
};
Q_ENUM_NS(TPosition)

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

enum TFontPitch { fpDefault, fpVariable, fpFixed };
Q_ENUM_NS(TFontPitch)

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
Q_ENUM_NS(TBrushStyle)

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
Q_ENUM_NS(TComboBoxStyle)

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
Q_ENUM_NS(TStatusPanelBevel)

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
Q_ENUM_NS(TBiDiMode)

enum TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

enum TBorderIcon { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
Q_DECLARE_FLAGS(TBorderIcons, TBorderIcon)
Q_FLAG_NS(TBorderIcons)

} // namespace Types

Q_DECLARE_OPERATORS_FOR_FLAGS(Types::TAnchors)
Q_DECLARE_OPERATORS_FOR_FLAGS(Types::TFontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(Types::TBorderIcons)

using Types::TAlign;
using Types::TAnchorKind;
using Types::TAnchors;
using Types::TAlignment;
using Types::TBevelCut;
using Types::TFormBorderStyle;
using TBorderStyle = Types::TFormBorderStyle;
using Types::TFormStyle;
using Types::TPosition;
using Types::TWindowState;
using Types::TFontStyle;
using Types::TFontStyles;
using Types::TFontPitch;
using Types::TPenStyle;
using Types::TBrushStyle;
using Types::TScrollStyle;
using Types::TComboBoxStyle;
using Types::TStatusPanelBevel;
using Types::TBiDiMode;
using Types::TTextLayout;
using Types::TBorderIcon;
using Types::TBorderIcons;
using enum Types::TAlign;
using enum Types::TAnchorKind;
using enum Types::TAlignment;
using enum Types::TBevelCut;
using enum Types::TFormBorderStyle;
using enum Types::TFormStyle;
using enum Types::TPosition;
using enum Types::TWindowState;
using enum Types::TFontStyle;
using enum Types::TFontPitch;
using enum Types::TPenStyle;
using enum Types::TBrushStyle;
using enum Types::TScrollStyle;
using enum Types::TComboBoxStyle;
using enum Types::TStatusPanelBevel;
using enum Types::TBiDiMode;
using enum Types::TTextLayout;
using enum Types::TBorderIcon;

constexpr TAnchors AnchorsLeftTop() { return TAnchors(akLeft) | akTop; }
constexpr TAnchors AnchorsAll() { return TAnchors(akLeft) | akTop | akRight | akBottom; }

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// What closing a form does with it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// "div" of the drawing rules: integer division truncating toward zero (C++'s own rule).
constexpr int Div(int a, int b) { return a / b; }

// "round" of the drawing rules: to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);
