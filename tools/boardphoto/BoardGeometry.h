#pragma once

#include <QPointF>
#include <QRectF>

#include <array>

// Where things stand on the photograph, in its own pixels (600 x 401). The boxes are the places the
// main window's highlight circles mark; the settable parts are laid out from them so that each part
// stands exactly under its circle.
namespace BoardGeometry {

constexpr int kPhotoWidth = 600;
constexpr int kPhotoHeight = 401;

// 0.1 inch, the pin pitch of the headers, DIP packages and edge-connector fingers, in photo pixels.
constexpr double kPitch = 8.4;

struct Mark {
    const char* name;
    QRectF box; // the circle is the ellipse inscribed in this box
};

inline const QRectF kBaseAddressBox{468, 9, 52, 30};
inline const QRectF kIrqEnable1Box{71, 52, 16, 14};
inline const QRectF kIrqEnable0Box{250, 100, 17, 19};
inline const QRectF kBufferBox{423, 52, 33, 25};
inline const QRectF kIrqRowBox{155, 299, 42, 17};
inline const QRectF kIrqColumnBox{395, 205, 20, 40};
inline const QRectF kIrq2Box{472, 261, 13, 43};

inline const std::array<Mark, 7> kMarks{{
    {"Base Address", kBaseAddressBox},
    {"IRQ Enable (1)", kIrqEnable1Box},
    {"IRQ Enable (0)", kIrqEnable0Box},
    {"Buffer Enabling", kBufferBox},
    {"IRQ Level (3)", kIrqRowBox},
    {"IRQ Level (2)", kIrqColumnBox},
    {"IRQ Level (1)", kIrq2Box},
}};

// The printed circuit board itself.
constexpr double kBoardLeft = 10.0;
constexpr double kBoardTop = 2.0;
constexpr double kBoardRight = 550.0;
constexpr double kBoardBottom = 346.0; // main edge; the connector tab reaches lower

// The edge connector tab and its two finger sections (the 16-bit extension on the left, the 8-bit
// section next to the bracket), separated by the key notch.
constexpr double kTabLeft = 95.0;
constexpr double kTabRight = 537.0;
constexpr double kTabBottom = 383.0;
constexpr double kFingerTop = 350.0;
constexpr double kFingerBottom = 380.5;
constexpr double kFingerWidth = 5.4;
constexpr int kExtensionFingers = 18;
constexpr double kExtensionFirstFinger = 101.2; // centre of the leftmost finger
constexpr int kMainFingers = 31;
constexpr double kMainFirstFinger = 276.2;
constexpr double kNotchLeft = 251.0;
constexpr double kNotchRight = 267.0;
constexpr double kNotchTop = 349.0;

// The camera looks down on the middle of the photograph from a distance: the top of anything tall
// appears shifted away from that point by its height times its distance from it times kParallax.
inline const QPointF kCameraAxis{300, 200};
constexpr double kParallax = 1.0 / 1400.0;

inline QPointF seenAtHeight(QPointF onBoard, double height)
{
    return onBoard + (onBoard - kCameraAxis) * (height * kParallax);
}

// The mounting bracket along the right edge.
constexpr double kBracketLeft = 549.5;
constexpr double kBracketRight = 562.0;

} // namespace BoardGeometry
