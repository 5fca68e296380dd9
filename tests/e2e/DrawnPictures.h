#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <optional>
#include <string>

// What the program's drawn pictures must look like on the screen, computed from their drawing rules:
// boxes (left, top, right, bottom) that exclude their right and bottom edge, one-pixel outlines drawn
// inside the box, fills in the widgets' colours, the four orientations, and the highlight ring blended
// over the board photograph. The drawn widgets are exact, so a picture is compared pixel for pixel;
// only what the drawing library rasterises its own way (round corners, pin discs, text) is left open.

namespace Colours {
constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Grey = qRgb(128, 128, 128);        // 0x808080: a jumper's body, the switch slots
constexpr QRgb Yellow = qRgb(255, 255, 0);        // 0x00FFFF: the pins, the setting circles' ring
constexpr QRgb Maroon = qRgb(128, 0, 0);          // 0x000080: a jumper's cap
constexpr QRgb Green = qRgb(0, 128, 0);           // 0x008000: the switch block's label strip
constexpr QRgb ButtonFace = qRgb(240, 240, 240);  // the option panels' colour
} // namespace Colours

// The box (left, top, right, bottom) of the drawing rules, right and bottom excluded.
inline QRect Box(int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); }

// A picture in which every pixel is either a colour the rules decide or left open.
class ExpectedPicture {
public:
    ExpectedPicture(int width, int height);

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    // Fills the box (clipped to the picture) with a colour, deciding its pixels.
    void Fill(const QRect& box, QRgb colour);
    // The one-pixel outline on the box's outermost rows and columns.
    void Outline(const QRect& box, QRgb colour);
    // Leaves the box's pixels open again.
    void Open(const QRect& box);
    // Draws another picture over this one with its top-left corner at `at`, open pixels included: a
    // control painted later covers what lies under it.
    void Draw(const ExpectedPicture& picture, QPoint at);
    std::optional<QRgb> At(int x, int y) const;

    // How the upright picture lands on a widget turned by `orientation`: otRight shows upright (x, y) at
    // (h - 1 - y, x), otLeft at (y, w - 1 - x), otDown at (w - 1 - x, h - 1 - y).
    enum class Orientation { Up, Down, Left, Right };
    ExpectedPicture Turned(Orientation orientation) const;

    // Compares the screen at `origin` with the picture: empty when every decided pixel shows its colour,
    // else a description of how many differ and the first few of them (in picture coordinates).
    std::string Differences(const QImage& screen, QPoint origin) const;
    bool ShownAt(const QImage& screen, QPoint origin) const { return Differences(screen, origin).empty(); }

private:
    QImage FImage; // ARGB: alpha 0 marks an open pixel
};

using Orientation = ExpectedPicture::Orientation;

// A two-pin jumper's upright picture (w x h) on its panel: open, a grey rounded body with two yellow
// pins; closed, the maroon cap over the whole control, outlined in black.
ExpectedPicture TwoPinJumperPicture(int w, int h, bool closed, QRgb panel = Colours::ButtonFace);

enum class CapPosition { Open, Left, Right };
// A three-pin jumper's upright picture: grey rounded body, the cap over the left and middle or the middle
// and right pins (out to the control's edge), three yellow pins.
ExpectedPicture ThreePinJumperPicture(int w, int h, CapPosition cap, QRgb panel = Colours::ButtonFace);

// The address switch block's upright picture for an address (ON means a 0 bit): black body with grey slots
// and white knobs, green label strip; `fontHeight` is the label font's pixel height. The label texts and
// the word ON are left open.
ExpectedPicture SwitchBlockPicture(int w, int h, int switches, unsigned address, int fontHeight);

// The highlight ring blended over a background (the photograph under a circle), by the ring rule in
// single precision with halves rounded to even: tinted at 0.16 of the strength inside 0.77 of the radii,
// a ring peaking at 0.875 of them; with the white core a white line at the peak.
QImage BlendedRing(const QImage& background, QRgb ring, float strength, bool whiteCore);

// Compares a screen box at `origin` with an image exactly: empty when equal, else a description.
std::string ImageDifferences(const QImage& screen, QPoint origin, const QImage& expected);
