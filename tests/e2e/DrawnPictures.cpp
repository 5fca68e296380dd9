#include "tests/e2e/DrawnPictures.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// "round" of the drawing rules: to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

std::string ColourName(QRgb colour) { return QColor(colour).name().toStdString(); }

constexpr int kReportedDifferences = 6;

// A disc of radius r centred at (cx, cy) in the box (cx - r, cy - r, cx + r, cy + r): the library decides
// its edge; its middle pixels are surely the fill colour.
void Disc(ExpectedPicture& picture, int cx, int cy, int r, QRgb colour)
{
    picture.Open(Box(cx - r, cy - r, cx + r, cy + r));
    picture.Fill(Box(cx - 1, cy - 1, cx + 1, cy + 1), colour);
}

// A rounded rectangle's fill and outline; its corners, quarter ellipses of `corner` pixels across, are
// the library's.
void RoundedBody(ExpectedPicture& picture, const QRect& box, int corner, QRgb fill)
{
    picture.Fill(box, fill);
    picture.Outline(box, Colours::Black);
    const int side = (corner + 1) / 2 + 1;
    picture.Open(QRect(box.left(), box.top(), side, side));
    picture.Open(QRect(box.right() - side + 1, box.top(), side, side));
    picture.Open(QRect(box.left(), box.bottom() - side + 1, side, side));
    picture.Open(QRect(box.right() - side + 1, box.bottom() - side + 1, side, side));
}

} // namespace

ExpectedPicture::ExpectedPicture(int width, int height) : FImage(width, height, QImage::Format_ARGB32)
{
    FImage.fill(Qt::transparent);
}

void ExpectedPicture::Fill(const QRect& box, QRgb colour)
{
    const QRect clipped = box & FImage.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            FImage.setPixel(x, y, colour | 0xFF000000u);
    }
}

void ExpectedPicture::Outline(const QRect& box, QRgb colour)
{
    Fill(QRect(box.left(), box.top(), box.width(), 1), colour);
    Fill(QRect(box.left(), box.bottom(), box.width(), 1), colour);
    Fill(QRect(box.left(), box.top(), 1, box.height()), colour);
    Fill(QRect(box.right(), box.top(), 1, box.height()), colour);
}

void ExpectedPicture::Open(const QRect& box)
{
    const QRect clipped = box & FImage.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            FImage.setPixel(x, y, 0);
    }
}

void ExpectedPicture::Draw(const ExpectedPicture& picture, QPoint at)
{
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (FImage.rect().contains(at + QPoint(x, y)))
                FImage.setPixel(at + QPoint(x, y), picture.FImage.pixel(x, y));
        }
    }
}

std::optional<QRgb> ExpectedPicture::At(int x, int y) const
{
    const QRgb pixel = FImage.pixel(x, y);
    if (qAlpha(pixel) == 0)
        return std::nullopt;
    return pixel | 0xFF000000u;
}

ExpectedPicture ExpectedPicture::Turned(Orientation orientation) const
{
    const int w = Width();
    const int h = Height();
    const bool quarter = orientation == Orientation::Left || orientation == Orientation::Right;
    ExpectedPicture turned(quarter ? h : w, quarter ? w : h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QPoint at(x, y);
            switch (orientation) {
            case Orientation::Up: break;
            case Orientation::Down: at = QPoint(w - 1 - x, h - 1 - y); break;
            case Orientation::Left: at = QPoint(y, w - 1 - x); break;
            case Orientation::Right: at = QPoint(h - 1 - y, x); break;
            }
            turned.FImage.setPixel(at, FImage.pixel(x, y));
        }
    }
    return turned;
}

std::string ExpectedPicture::Differences(const QImage& screen, QPoint origin) const
{
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < Height(); ++y) {
        for (int x = 0; x < Width(); ++x) {
            const std::optional<QRgb> expected = At(x, y);
            if (!expected)
                continue;
            const QPoint at = origin + QPoint(x, y);
            const QRgb seen = screen.rect().contains(at) ? screen.pixel(at) | 0xFF000000u : 0;
            if (seen == *expected)
                continue;
            if (differing++ < kReportedDifferences)
                first << " (" << x << "," << y << ") " << ColourName(*expected) << " shows " << ColourName(seen) << ";";
        }
    }
    if (differing == 0)
        return {};
    std::ostringstream report;
    report << differing << " pixels differ at " << origin.x() << "," << origin.y() << ":" << first.str();
    return report.str();
}

ExpectedPicture TwoPinJumperPicture(int w, int h, bool closed, QRgb panel)
{
    ExpectedPicture picture(w, h);
    picture.Fill(Box(0, 0, w, h), panel);
    if (closed) {
        picture.Fill(Box(0, 0, w, h), Colours::Maroon);
        picture.Outline(Box(0, 0, w, h), Colours::Black);
    } else {
        RoundedBody(picture, Box(1, 1, w - 1, h - 1), h / 2, Colours::Grey);
    }
    const int q = RoundHalfEven(w / 3.5);
    const int a = q + 1;
    const int r = std::min(q / 3, RoundHalfEven(h / 4.0));
    const int cy = h / 2;
    Disc(picture, a, cy, r, Colours::Yellow);
    Disc(picture, w - a, cy, r, Colours::Yellow);
    return picture;
}

ExpectedPicture ThreePinJumperPicture(int w, int h, CapPosition cap, QRgb panel)
{
    ExpectedPicture picture(w, h);
    picture.Fill(Box(0, 0, w, h), panel);
    const int q = RoundHalfEven((w - 2) / 4.5);
    const int a = q + 1;
    const int r = std::min(q / 3, RoundHalfEven((h - 2) / 4.0));
    const int cy = h / 2;
    const int cx = w / 2;
    const int d = cx - a + 2;
    RoundedBody(picture, Box(1, 1, w - 1, h - 1), h / 2, Colours::Grey);
    if (cap != CapPosition::Open) {
        const QRect box = cap == CapPosition::Left ? Box(0, 0, cx + d / 2, h) : Box(cx - d / 2, 0, w, h);
        picture.Fill(box, Colours::Maroon);
        picture.Outline(box, Colours::Black);
    }
    for (int x : {a, cx, w - a})
        Disc(picture, x, cy, r, Colours::Yellow);
    return picture;
}

ExpectedPicture SwitchBlockPicture(int w, int h, int switches, unsigned address, int fontHeight)
{
    constexpr int slotTop = 13;
    const int bodyBottom = h - 2 * fontHeight - 1;
    const int slotBottom = bodyBottom - 3;
    const int halfSlot = (bodyBottom - 16) / 2;
    const int knob = 85 * halfSlot / 100;
    ExpectedPicture picture(w, h);
    picture.Fill(Box(0, 0, w, bodyBottom), Colours::Black);
    picture.Fill(Box(0, bodyBottom, w, h), Colours::Green);
    // "ON" in the top-left corner, white on the body, above the slots.
    picture.Open(Box(0, 0, 2 * fontHeight + 2, slotTop));
    const int slotWidth = (w - 3) / (switches + 1);
    const int offset = (w - 3 - switches * slotWidth) / switches + 1;
    const int pitch = slotWidth + offset - 1;
    for (int j = 0; j < switches; ++j) {
        const int x = offset + j * pitch;
        picture.Fill(Box(x, slotTop, x + slotWidth, slotBottom), Colours::Grey);
        picture.Outline(Box(x, slotTop, x + slotWidth, slotBottom), Colours::Black);
        // "A" over the line number, centred under the slot.
        picture.Open(Box(x, bodyBottom, x + slotWidth, h));
        const bool bit = (address >> (10 - switches + j)) & 1u;
        const QRect knobBox = bit ? Box(x, slotBottom - knob, x + slotWidth, slotBottom)
                                  : Box(x, slotTop, x + slotWidth, slotTop + knob);
        picture.Fill(knobBox, Colours::White);
        picture.Outline(knobBox, Colours::Black);
    }
    return picture;
}

QImage BlendedRing(const QImage& background, QRgb ring, float strength, bool whiteCore)
{
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    const int a = image.width() - 1;
    const int b = image.height() - 1;
    const float kx = 2.0f / static_cast<float>(a);
    const float ky = 2.0f / static_cast<float>(b);
    for (int r = 0; r <= b; ++r) {
        for (int c = 0; c <= a; ++c) {
            const float x = static_cast<float>(c) * kx - 1.0f;
            const float y = static_cast<float>(r) * ky - 1.0f;
            const float q = x * x + y * y;
            if (q >= 1.0f)
                continue;
            QRgb base = image.pixel(c, r);
            float weight = 0.16f;
            if (q >= 0.5929f) {
                weight = 1.0f - 8.0f * std::fabs(std::sqrt(q) - 0.875f);
                if (whiteCore) {
                    weight = 2.0f * weight;
                    if (weight > 1.0f) {
                        base = Colours::White;
                        weight = 2.0f - weight;
                    }
                }
            }
            weight = weight * strength;
            const float keep = 1.0f - weight;
            const auto mix = [&](int baseValue, int ringValue) {
                const float mixed = static_cast<float>(baseValue) * keep + static_cast<float>(ringValue) * weight;
                return std::clamp(static_cast<int>(std::nearbyint(mixed)), 0, 255);
            };
            image.setPixel(c, r, qRgb(mix(qRed(base), qRed(ring)), mix(qGreen(base), qGreen(ring)),
                                      mix(qBlue(base), qBlue(ring))));
        }
    }
    return image;
}

std::string ImageDifferences(const QImage& screen, QPoint origin, const QImage& expected)
{
    ExpectedPicture picture(expected.width(), expected.height());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x)
            picture.Fill(QRect(x, y, 1, 1), expected.pixel(x, y));
    }
    return picture.Differences(screen, origin);
}
