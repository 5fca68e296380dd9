#pragma once

#include <QColor>
#include <QGradient>
#include <QPainter>
#include <QPainterPath>

// The colours of the board's materials under the studio light, and the shading that makes flat
// shapes read as solid ones. The light comes from the upper left.
namespace Materials {

inline const QColor kBackdrop{206, 206, 200};
inline const QColor kSolderMask{22, 78, 44};
inline const QColor kCopperUnderMask{58, 132, 58};
inline const QColor kLaminate{170, 164, 112};
inline const QColor kSilkscreen{236, 236, 222};
inline const QColor kTin{196, 196, 190};
inline const QColor kGold{214, 174, 78};
inline const QColor kEpoxy{30, 30, 33};
inline const QColor kMarkingInk{196, 196, 186};
inline const QColor kPlastic{22, 22, 25};
inline const QColor kZincPlate{178, 182, 188};

// c with its value scaled by factor (above 1 lightens towards white).
inline QColor shade(const QColor& c, double factor)
{
    auto channel = [factor](int v) {
        const double scaled = factor <= 1.0 ? v * factor : v + (255 - v) * (factor - 1.0);
        return static_cast<int>(qBound(0.0, scaled, 255.0));
    };
    return QColor(channel(c.red()), channel(c.green()), channel(c.blue()), c.alpha());
}

inline QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// A cylinder lying along the line a-b seen from above: dark flanks, a bright band towards the light
// and a narrow specular line. `across` is the half-width vector from the axis to one flank.
inline QLinearGradient cylinderShading(const QColor& base, QPointF axisPoint, QPointF across, double gloss = 1.0)
{
    QLinearGradient g(axisPoint - across, axisPoint + across);
    g.setColorAt(0.0, shade(base, 0.55));
    g.setColorAt(0.22, shade(base, 1.0 + 0.12 * gloss));
    g.setColorAt(0.32, shade(base, 1.0 + 0.40 * gloss));
    g.setColorAt(0.42, shade(base, 1.0 + 0.10 * gloss));
    g.setColorAt(0.75, shade(base, 0.85));
    g.setColorAt(1.0, shade(base, 0.45));
    return g;
}

// A flat top face lit from the upper left: slightly brighter towards the light.
inline QLinearGradient faceShading(const QColor& base, const QRectF& box, double strength = 0.12)
{
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0.0, shade(base, 1.0 + strength));
    g.setColorAt(1.0, shade(base, 1.0 - strength));
    return g;
}

// A raised rectangular top with a bevelled rim: light on the upper and left rim, dark on the lower and
// right one.
inline void bevelledBox(QPainter& p, const QRectF& box, double radius, const QColor& base, double rim = 0.9,
                        double strength = 0.12)
{
    p.setPen(Qt::NoPen);
    p.setBrush(shade(base, 0.6));
    p.drawRoundedRect(box, radius, radius);
    const QRectF top = box.adjusted(rim, rim, -rim, -rim);
    p.setBrush(faceShading(base, top, strength));
    p.drawRoundedRect(top, qMax(0.0, radius - rim * 0.5), qMax(0.0, radius - rim * 0.5));
    QPainterPath lit;
    lit.moveTo(top.bottomLeft() + QPointF(0.3, -radius));
    lit.lineTo(top.topLeft() + QPointF(0.3, 0.3));
    lit.lineTo(top.topRight() + QPointF(-radius, 0.3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(shade(base, 1.0 + 3.0 * strength), 150), rim * 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(lit);
}

// A round solder joint in a plated hole: a tinned ring with a domed, shiny fillet.
inline void solderJoint(QPainter& p, QPointF centre, double radius)
{
    p.setPen(Qt::NoPen);
    QRadialGradient g(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.2);
    g.setColorAt(0.0, shade(kTin, 1.45));
    g.setColorAt(0.35, kTin);
    g.setColorAt(0.85, shade(kTin, 0.7));
    g.setColorAt(1.0, shade(kTin, 0.55));
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

} // namespace Materials
