#include "Artwork.h"

#include <cmath>

namespace {

QPainterPath polyline(const QVector<QPointF>& points)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (int i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    return path;
}

} // namespace

void Artwork::addTrace(const QVector<QPointF>& points, double width)
{
    traces_.append({polyline(points), width});
}

void Artwork::addVia(QPointF centre, double radius, bool tented)
{
    vias_.append({centre, radius, tented});
}

void Artwork::addLegend(const QString& text, double capHeight, QPointF origin, StrokeFont::Align align,
                        double penWidth)
{
    const QPainterPath path = StrokeFont::path(text, capHeight, origin, align);
    const double pen = penWidth > 0.0 ? penWidth : qMax(0.55, capHeight * 0.15);
    ink_.append({path, pen});
    const QRectF box = path.boundingRect().adjusted(-1.5, -1.5, 1.5, 1.5);
    keepOut(box);
    legendBoxes_.append(box);
}

void Artwork::addInk(const QPainterPath& path, double width)
{
    ink_.append({path, width});
}

bool Artwork::isFree(QPointF point, double clearance) const
{
    for (const QRectF& box : keepOuts_)
        if (box.adjusted(-clearance, -clearance, clearance, clearance).contains(point))
            return false;
    for (const Via& via : vias_)
        if (std::hypot(via.centre.x() - point.x(), via.centre.y() - point.y()) < via.radius + clearance + 1.0)
            return false;
    return true;
}
