#pragma once

#include "components/RadioPanel.h"
#include "components/SettingWidgets.h"
#include "components/SetupTypes.h"

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/qt/Handles.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <vector>

// Paints a container the way its window does: one WM_PAINT into a fresh off-screen surface, which draws
// the container and then its windowless children at their places.
inline QImage PaintSurface(TWinControl& parent)
{
    QImage surface(parent.ClientWidth(), parent.ClientHeight(), QImage::Format_RGB32);
    surface.fill(Qt::white);
    TPaintStruct paint{&surface, surface.rect()};
    parent.Perform(WM_PAINT, 0, reinterpret_cast<intptr_t>(&paint));
    return surface;
}

// A surface pixel as a platform colour (0x00BBGGRR).
inline TColor PixelAt(const QImage& surface, int x, int y)
{
    return QColorToColor(QColor::fromRgb(surface.pixel(x, y)));
}

// otLeft and otRight turn the upright picture a quarter: the control is as wide as the picture is high.
inline bool IsVerticalOrientation(TOrientationType orientation)
{
    return orientation == otLeft || orientation == otRight;
}

// Where the upright pixel (x, y) of a w x h picture lands on the control, by the orientation table:
// otDown half a turn, otLeft a quarter turn counter-clockwise, otRight a quarter turn clockwise.
inline TPoint ScreenPointOf(TOrientationType orientation, int x, int y, int w, int h)
{
    switch (orientation) {
    case otUp: return TPoint{x, y};
    case otDown: return TPoint{w - 1 - x, h - 1 - y};
    case otLeft: return TPoint{y, w - 1 - x};
    case otRight: return TPoint{h - 1 - y, x};
    }
    return TPoint{x, y};
}

// One expected colour at a point of the upright picture.
struct TProbe {
    int X = 0;
    int Y = 0;
    TColor Color = clBlack;
};

using TProbes = std::vector<TProbe>;

inline void Append(TProbes& probes, const TProbes& more)
{
    probes.insert(probes.end(), more.begin(), more.end());
}

// The middle of each edge of a box: a one-pixel outline drawn inside the box covers them.
inline TProbes EdgeProbes(const TRect& box, TColor color)
{
    const int midX = (box.Left + box.Right) / 2;
    const int midY = (box.Top + box.Bottom) / 2;
    return {{midX, box.Top, color}, {midX, box.Bottom - 1, color}, {box.Left, midY, color}, {box.Right - 1, midY, color}};
}

// The pixels just outside the middle of each edge of a box.
inline TProbes AroundProbes(const TRect& box, TColor color)
{
    const int midX = (box.Left + box.Right) / 2;
    const int midY = (box.Top + box.Bottom) / 2;
    return {{midX, box.Top - 1, color}, {midX, box.Bottom, color}, {box.Left - 1, midY, color}, {box.Right, midY, color}};
}

// A filled circle in its box: the centre and the outermost pixel of each side, and the pixels just beyond.
inline TProbes DiscProbes(const TRect& box, TColor fill, TColor outside)
{
    TProbes probes = EdgeProbes(box, fill);
    probes.push_back({(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2, fill});
    Append(probes, AroundProbes(box, outside));
    return probes;
}

// The colour a widget shows at a point of its upright picture, read from a painted surface of its parent.
inline TColor UprightPixel(const QImage& surface, const TOrientedWidget& widget, int x, int y)
{
    const bool vertical = IsVerticalOrientation(widget.Orientation());
    const int w = vertical ? widget.Height() : widget.Width();
    const int h = vertical ? widget.Width() : widget.Height();
    const TPoint at = ScreenPointOf(widget.Orientation(), x, y, w, h);
    return PixelAt(surface, widget.Left() + at.X, widget.Top() + at.Y);
}

inline void ExpectProbes(const QImage& surface, const TOrientedWidget& widget, const TProbes& probes)
{
    for (const TProbe& probe : probes)
        EXPECT_EQ(UprightPixel(surface, widget, probe.X, probe.Y), ColorToRGB(probe.Color))
            << "upright pixel (" << probe.X << ", " << probe.Y << ")";
}

// An option panel in a colour that no part of a widget uses, to put widgets on and paint them.
class PanelBench {
public:
    static constexpr TColor PanelColor = 0x3C78B4;
    static constexpr int WidgetLeft = 10;
    static constexpr int WidgetTop = 20;

    PanelBench() : Panel(std::make_unique<TRadioPanel>(nullptr))
    {
        Panel->SetColor(PanelColor);
        Panel->SetBounds(0, 0, 240, 160);
    }

    // A widget given its orientation and then its size, before it is first painted, as code creates them.
    template <typename Widget>
    Widget* Add(int width, int height, TOrientationType orientation = otUp, int left = WidgetLeft,
                int top = WidgetTop)
    {
        auto* widget = new Widget(Panel.get());
        widget->SetOrientation(orientation);
        widget->SetBounds(left, top, width, height);
        widget->SetParent(Panel.get());
        return widget;
    }

    QImage Paint() const { return PaintSurface(*Panel); }

    std::unique_ptr<TRadioPanel> Panel;
};
