#pragma once

#include "StrokeFont.h"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

// What is printed and etched on the bare board: copper traces under the solder mask, vias, and the
// white silkscreen legends. The layout fills it in; the substrate paints it.
class Artwork {
public:
    struct Stroke {
        QPainterPath path;
        double width = 1.0;
    };
    struct Via {
        QPointF centre;
        double radius = 2.0;
        bool tented = false; // covered by the solder mask rather than tinned
    };

    void addTrace(const QVector<QPointF>& points, double width);
    void addVia(QPointF centre, double radius = 2.0, bool tented = false);

    // Silkscreen: a legend (also reserving its box), or a bare outline.
    void addLegend(const QString& text, double capHeight, QPointF origin,
                   StrokeFont::Align align = StrokeFont::Align::Left, double penWidth = 0.0);
    void addInk(const QPainterPath& path, double width);

    // Places where vias and stubs must not go: the marked settings, legends, parts.
    void keepOut(const QRectF& box) { keepOuts_.append(box); }
    bool isFree(QPointF point, double clearance) const;

    const QVector<Stroke>& traces() const { return traces_; }
    const QVector<Via>& vias() const { return vias_; }
    const QVector<Stroke>& ink() const { return ink_; }
    // The boxes of the legends, which copper keeps away from so that they stay legible.
    const QVector<QRectF>& legendBoxes() const { return legendBoxes_; }

private:
    QVector<Stroke> traces_;
    QVector<Via> vias_;
    QVector<Stroke> ink_;
    QVector<QRectF> keepOuts_;
    QVector<QRectF> legendBoxes_;
};
