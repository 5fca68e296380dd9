#include "StrokeFont.h"

#include <QStringList>

namespace {

struct Glyph {
    char ch;
    double advance;     // in grid units, including the gap to the next glyph
    const char* strokes; // polylines "x,y x,y ...", separated by ';'
};

// clang-format off
constexpr Glyph kGlyphs[] = {
    {'A', 5.5, "0,6 0,2 2,0 4,2 4,6;0,3.6 4,3.6"},
    {'B', 5.5, "0,0 3,0 4,0.9 4,2.1 3,3 0,3;3,3 4,3.9 4,5.1 3,6 0,6 0,0"},
    {'C', 5.5, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5"},
    {'D', 5.5, "0,0 2.4,0 4,1.6 4,4.4 2.4,6 0,6 0,0"},
    {'E', 5.5, "4,0 0,0 0,6 4,6;0,3 2.8,3"},
    {'F', 5.5, "4,0 0,0 0,6;0,3 2.8,3"},
    {'G', 5.5, "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.5 2.4,3.5"},
    {'H', 5.5, "0,0 0,6;4,0 4,6;0,3 4,3"},
    {'I', 4.0, "0.5,0 2.5,0;1.5,0 1.5,6;0.5,6 2.5,6"},
    {'J', 5.5, "4,0 4,5 3,6 1,6 0,5"},
    {'K', 5.5, "0,0 0,6;4,0 0,4;1.4,2.9 4,6"},
    {'L', 5.5, "0,0 0,6 4,6"},
    {'M', 6.0, "0,6 0,0 2.25,3.2 4.5,0 4.5,6"},
    {'N', 5.5, "0,6 0,0 4,6 4,0"},
    {'O', 5.5, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'P', 5.5, "0,6 0,0 3,0 4,0.9 4,2.1 3,3 0,3"},
    {'Q', 5.5, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0;2.5,4.5 4,6.2"},
    {'R', 5.5, "0,6 0,0 3,0 4,0.9 4,2.1 3,3 0,3;2,3 4,6"},
    {'S', 5.5, "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'T', 5.5, "0,0 4,0;2,0 2,6"},
    {'U', 5.5, "0,0 0,5 1,6 3,6 4,5 4,0"},
    {'V', 5.5, "0,0 2,6 4,0"},
    {'W', 6.0, "0,0 1.1,6 2.25,2.6 3.4,6 4.5,0"},
    {'X', 5.5, "0,0 4,6;4,0 0,6"},
    {'Y', 5.5, "0,0 2,3 4,0;2,3 2,6"},
    {'Z', 5.5, "0,0 4,0 0,6 4,6"},
    {'0', 5.5, "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0"},
    {'1', 3.6, "0,1.3 1.3,0 1.3,6"},
    {'2', 5.5, "0,1 1,0 3,0 4,1 4,2.2 0,6 4,6"},
    {'3', 5.5, "0,1 1,0 3,0 4,1 4,2 3,3 1.6,3;3,3 4,4 4,5 3,6 1,6 0,5"},
    {'4', 5.5, "3,6 3,0 0,4 4,4"},
    {'5', 5.5, "4,0 0.3,0 0,3 3,3 4,4 4,5 3,6 1,6 0,5"},
    {'6', 5.5, "3.4,0 1.6,0 0,1.6 0,5 1,6 3,6 4,5 4,4 3,3 0,3"},
    {'7', 5.5, "0,0 4,0 1.4,6"},
    {'8', 5.5, "1,0 3,0 4,0.9 4,2.1 3,3 1,3 0,2.1 0,0.9 1,0;1,3 0,3.9 0,5.1 1,6 3,6 4,5.1 4,3.9 3,3"},
    {'9', 5.5, "4,3 1,3 0,2 0,1 1,0 3,0 4,1 4,4.4 2.4,6 0.6,6"},
    {'-', 5.0, "0.5,3 3.5,3"},
    {'+', 5.0, "2,1.5 2,4.5;0.5,3 3.5,3"},
    {'(', 3.5, "2.4,-0.3 0.9,1.4 0.9,4.6 2.4,6.3"},
    {')', 3.5, "0.3,-0.3 1.8,1.4 1.8,4.6 0.3,6.3"},
    {'/', 5.0, "0,6.2 3.6,-0.2"},
    {'.', 2.5, "0.8,5.7 0.8,6"},
    {',', 2.5, "1,5.6 0.6,6.8"},
    {':', 2.5, "0.8,1.9 0.8,2.2;0.8,5.7 0.8,6"},
    {'#', 5.5, "1.3,0.5 1,5.5;3,0.5 2.7,5.5;0,2 4,2;0,4 4,4"},
    {' ', 4.0, ""},
};
// clang-format on

const Glyph* find(QChar ch)
{
    const char wanted = static_cast<char>(ch.toUpper().toLatin1());
    for (const Glyph& glyph : kGlyphs)
        if (glyph.ch == wanted)
            return &glyph;
    return nullptr;
}

double advanceUnits(const QString& text)
{
    double units = 0.0;
    for (QChar ch : text)
        if (const Glyph* glyph = find(ch))
            units += glyph->advance;
    // The gap after the last glyph is not part of the text.
    return text.isEmpty() ? 0.0 : units - 1.5;
}

} // namespace

double StrokeFont::width(const QString& text, double capHeight)
{
    return advanceUnits(text) * capHeight / 6.0;
}

QPainterPath StrokeFont::path(const QString& text, double capHeight, QPointF origin, Align align)
{
    const double unit = capHeight / 6.0;
    double x = origin.x();
    if (align == Align::Center)
        x -= width(text, capHeight) / 2.0;
    else if (align == Align::Right)
        x -= width(text, capHeight);

    QPainterPath path;
    for (QChar ch : text) {
        const Glyph* glyph = find(ch);
        if (!glyph)
            continue;
        const QStringList strokes = QString::fromLatin1(glyph->strokes).split(';', Qt::SkipEmptyParts);
        for (const QString& stroke : strokes) {
            const QStringList points = stroke.split(' ', Qt::SkipEmptyParts);
            for (int i = 0; i < points.size(); ++i) {
                const QStringList xy = points[i].split(',');
                const QPointF p(x + xy[0].toDouble() * unit, origin.y() + xy[1].toDouble() * unit);
                if (i == 0)
                    path.moveTo(p);
                else
                    path.lineTo(p);
            }
        }
        x += glyph->advance * unit;
    }
    return path;
}
