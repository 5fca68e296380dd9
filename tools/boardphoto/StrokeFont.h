#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>

// The plotter-style single-stroke lettering of board silkscreens and chip markings. Glyphs are
// polylines on a 4 x 6 grid (cap height 6), so the lettering does not depend on the fonts that
// happen to be installed and every run draws the same strokes.
class StrokeFont {
public:
    enum class Align { Left, Center, Right };

    // Outline of the text's centre lines, with the top-left of the first glyph cell at the origin
    // (moved for Center / Right alignment) and capitals capHeight high.
    static QPainterPath path(const QString& text, double capHeight, QPointF origin, Align align = Align::Left);

    // Width of the text as laid out by path().
    static double width(const QString& text, double capHeight);
};
