#pragma once

#include <cstdint>

// A message: a number with two parameters and a result, dispatched by number to a control's handler
// (TControl::Perform / Dispatch). Every message number the program uses is defined here, so that the
// numbers cannot drift apart between the toolkit backend that sends them and the controls that handle them.
struct TMessage {
    uint32_t Msg = 0;
    intptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
};

// Window messages, numbered as the system numbers them.
constexpr uint32_t WM_MOVE = 0x0003;           // the window moved; LParam: packed client position
constexpr uint32_t WM_SIZE = 0x0005;           // the window was resized by the system or the user
constexpr uint32_t WM_ACTIVATE = 0x0006;       // WParam: WA_INACTIVE, WA_ACTIVE or WA_CLICKACTIVE
constexpr uint32_t WM_SETFOCUS = 0x0007;
constexpr uint32_t WM_KILLFOCUS = 0x0008;
constexpr uint32_t WM_PAINT = 0x000F;          // LParam: TPaintStruct*
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_KEYDOWN = 0x0100;        // WParam: virtual key; LParam: TShiftState bits
constexpr uint32_t WM_TIMER = 0x0113;          // WParam: timer identifier
constexpr uint32_t WM_MOUSEMOVE = 0x0200;      // WParam: TShiftState bits; LParam: packed client position
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_MOUSELEAVE = 0x02A3;     // the pointer left the window
constexpr uint32_t WM_QUERYNEWPALETTE = 0x030F;
constexpr uint32_t WM_USER = 0x0400;

// Sent by the help window's Start button to the board image: opens and pins the first circle's popup.
constexpr uint32_t WM_BOARDSTART = WM_USER + 0xA2;

// Control messages of the class library.
constexpr uint32_t CM_BASE = 0xB000;
constexpr uint32_t CM_ACTIVATE = CM_BASE + 0;      // the form received the keyboard focus from another form
constexpr uint32_t CM_DEACTIVATE = CM_BASE + 1;
constexpr uint32_t CM_DIALOGKEY = CM_BASE + 5;     // WParam: virtual key not used by the focused control
constexpr uint32_t CM_ENTER = CM_BASE + 0x0A;      // the focus moved into the control or one inside it
constexpr uint32_t CM_EXIT = CM_BASE + 0x0B;
constexpr uint32_t CM_MOUSEENTER = CM_BASE + 0x13; // WParam 0 from the platform; LParam: the child passing it up
constexpr uint32_t CM_MOUSELEAVE = CM_BASE + 0x14;
// Asked by a window's surface for the windowless controls it paints, which assistive tools cannot find
// otherwise; LParam: TAccessibleChildren* (platform/qt/Handles.h) to fill.
constexpr uint32_t CM_GETACCESSIBLES = CM_BASE + 0x60;

// Notifications a native control sends about itself (a click, a changed text, a chosen item).
constexpr uint32_t CN_COMMAND = 0xBD11;            // WParam: notification code below
constexpr intptr_t BN_CLICKED = 0;
constexpr intptr_t CBN_SELCHANGE = 1;
constexpr intptr_t CBN_EDITCHANGE = 5;
constexpr intptr_t EN_CHANGE = 0x0300;

constexpr intptr_t WA_INACTIVE = 0;
constexpr intptr_t WA_ACTIVE = 1;
constexpr intptr_t WA_CLICKACTIVE = 2;

// Virtual keys the dialog handling uses.
constexpr intptr_t VK_TAB = 0x09;
constexpr intptr_t VK_RETURN = 0x0D;
constexpr intptr_t VK_ESCAPE = 0x1B;

// Keyboard and mouse-button state carried with input messages.
enum TShiftStateFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;

// Packs a client position into a message parameter, 16 signed bits each, as the system does.
constexpr intptr_t MakePointParam(int x, int y)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16)
                                 | static_cast<uint16_t>(x));
}
constexpr int PointParamX(intptr_t param) { return static_cast<int16_t>(param & 0xFFFF); }
constexpr int PointParamY(intptr_t param) { return static_cast<int16_t>((param >> 16) & 0xFFFF); }
