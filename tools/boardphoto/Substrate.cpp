#include "Substrate.h"

#include "BoardGeometry.h"
#include "Materials.h"
#include "Random.h"

#include <QImage>

using namespace BoardGeometry;
using namespace Materials;

QPainterPath Substrate::outline()
{
    const double chamfer = 2.5;
    QPainterPath path;
    path.moveTo(kBoardLeft + 3, kBoardTop);
    path.lineTo(kBoardRight, kBoardTop);
    path.lineTo(kBoardRight, kBoardBottom);
    path.lineTo(kTabRight, kBoardBottom);
    path.lineTo(kTabRight, kTabBottom - chamfer);
    path.lineTo(kTabRight - chamfer, kTabBottom);
    path.lineTo(kNotchRight + 1, kTabBottom);
    path.lineTo(kNotchRight, kTabBottom - 1);
    path.lineTo(kNotchRight, kNotchTop + 2);
    path.arcTo(QRectF(kNotchLeft, kNotchTop, kNotchRight - kNotchLeft, 8), 0, 180);
    path.lineTo(kNotchLeft, kTabBottom - 1);
    path.lineTo(kNotchLeft - 1, kTabBottom);
    path.lineTo(kTabLeft + chamfer, kTabBottom);
    path.lineTo(kTabLeft, kTabBottom - chamfer);
    path.lineTo(kTabLeft, kBoardBottom);
    path.lineTo(kBoardLeft, kBoardBottom);
    path.lineTo(kBoardLeft, kBoardTop + 3);
    path.closeSubpath();
    return path;
}

QPainterPath Substrate::maskArea()
{
    // The solder mask stops just above the fingers; the tab below it is bare laminate.
    QPainterPath band;
    band.addRect(QRectF(0, 0, kPhotoWidth, kFingerTop - 3.5));
    return outline().intersected(band);
}

void Substrate::paintBackdrop(QPainter& p)
{
    QLinearGradient g(0, 0, kPhotoWidth, kPhotoHeight);
    g.setColorAt(0.0, shade(kBackdrop, 1.08));
    g.setColorAt(1.0, shade(kBackdrop, 0.9));
    p.fillRect(QRectF(0, 0, kPhotoWidth, kPhotoHeight), g);
}

void Substrate::paintMaskTexture(QPainter& p)
{
    // Uneven thickness of the mask shows as faint, large mottling.
    Random random(72);
    QImage mottle(48, 32, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < mottle.height(); ++y)
        for (int x = 0; x < mottle.width(); ++x) {
            const int v = static_cast<int>(random.uniform(0, 255));
            const int a = 20;
            mottle.setPixel(x, y, qRgba(v * a / 255, v * a / 255, v * a / 255, a));
        }
    p.save();
    p.setClipPath(maskArea());
    p.setCompositionMode(QPainter::CompositionMode_Overlay);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(0, 0, kPhotoWidth, kPhotoHeight), mottle);
    p.restore();
}

void Substrate::paintCopper(QPainter& p, const Artwork& artwork)
{
    p.save();
    p.setClipPath(maskArea());
    p.setBrush(Qt::NoBrush);
    for (const Artwork::Stroke& trace : artwork.traces()) {
        p.setPen(QPen(kCopperUnderMask, trace.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(trace.path);
        // The mask runs thinner over the crown of the trace.
        p.setPen(QPen(withAlpha(shade(kCopperUnderMask, 1.12), 120), trace.width * 0.35, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(trace.path.translated(-trace.width * 0.12, -trace.width * 0.12));
    }
    p.restore();

    for (const Artwork::Via& via : artwork.vias()) {
        p.setPen(Qt::NoPen);
        if (via.tented) {
            p.setBrush(kCopperUnderMask);
            p.drawEllipse(via.centre, via.radius, via.radius);
            p.setBrush(shade(kSolderMask, 0.55));
            p.drawEllipse(via.centre, via.radius * 0.42, via.radius * 0.42);
        } else {
            solderJoint(p, via.centre, via.radius);
            p.setBrush(QColor(40, 44, 36));
            p.drawEllipse(via.centre, via.radius * 0.42, via.radius * 0.42);
        }
    }
}

void Substrate::paintFingers(QPainter& p)
{
    // Each finger has been through a few insertions: its shine and its wear differ a little.
    Random random(31);
    auto finger = [&p, &random](double centre) {
        const QRectF r(centre - kFingerWidth / 2, kFingerTop, kFingerWidth, kFingerBottom - kFingerTop);
        const QColor gold = shade(kGold, random.uniform(0.92, 1.06));
        // Gold plating polished by the light: a bright band across the fingers and brighter left edges.
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        const double band = random.uniform(0.36, 0.44);
        g.setColorAt(0.0, shade(gold, 0.82));
        g.setColorAt(band - 0.12, shade(gold, 1.08));
        g.setColorAt(band, shade(gold, 1.5));
        g.setColorAt(band + 0.12, shade(gold, 1.05));
        g.setColorAt(0.85, shade(gold, 0.86));
        g.setColorAt(1.0, shade(gold, 0.7));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r, 0.9, 0.9);
        QLinearGradient across(r.topLeft(), r.topRight());
        across.setColorAt(0.0, QColor(255, 250, 220, 90));
        across.setColorAt(0.3, QColor(255, 250, 220, 0));
        across.setColorAt(0.8, QColor(0, 0, 0, 0));
        across.setColorAt(1.0, QColor(60, 40, 0, 70));
        p.setBrush(across);
        p.drawRoundedRect(r, 0.9, 0.9);
        // Wiping marks of the slot's contacts.
        p.setPen(QPen(QColor(255, 245, 200, 60), 0.3));
        for (int k = 0; k < 3; ++k) {
            const double x = r.left() + random.uniform(0.8, r.width() - 0.8);
            p.drawLine(QPointF(x, r.top() + random.uniform(6, 12)), QPointF(x, r.bottom() - random.uniform(1, 6)));
        }
        p.setPen(Qt::NoPen);
        // The narrow neck joining the finger to its trace under the mask.
        p.setBrush(shade(gold, 0.9));
        p.drawRect(QRectF(centre - 0.8, kFingerTop - 4.5, 1.6, 4.6));
    };
    for (int i = 0; i < kExtensionFingers; ++i)
        finger(kExtensionFirstFinger + i * kPitch);
    for (int i = 0; i < kMainFingers; ++i)
        finger(kMainFirstFinger + i * kPitch);
}

void Substrate::paintSilkscreen(QPainter& p, const Artwork& artwork)
{
    p.save();
    p.setClipPath(maskArea());
    p.setBrush(Qt::NoBrush);
    for (const Artwork::Stroke& stroke : artwork.ink()) {
        p.setPen(QPen(withAlpha(kSilkscreen, 235), stroke.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(stroke.path);
    }
    p.restore();
}

void Substrate::paintSheen(QPainter& p)
{
    // The glossy mask mirrors the soft box above the upper left of the board.
    p.save();
    p.setClipPath(maskArea());
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    QRadialGradient g(QPointF(170, 70), 330);
    g.setColorAt(0.0, QColor(40, 48, 42));
    g.setColorAt(0.5, QColor(14, 17, 14));
    g.setColorAt(1.0, QColor(0, 0, 0));
    p.fillRect(QRectF(0, 0, kPhotoWidth, kPhotoHeight), g);
    // and, more sharply, the soft box's own broad reflection.
    p.save();
    p.translate(235, 95);
    p.rotate(-18);
    QRadialGradient box(QPointF(0, 0), 1.0);
    box.setCoordinateMode(QGradient::LogicalMode);
    p.scale(230, 70);
    box.setColorAt(0.0, QColor(34, 40, 36));
    box.setColorAt(0.7, QColor(20, 24, 21));
    box.setColorAt(1.0, QColor(0, 0, 0));
    p.setBrush(box);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
    p.restore();
}

void Substrate::paintBoard(QPainter& p, const Artwork& artwork)
{
    const QPainterPath board = outline();
    p.setPen(Qt::NoPen);
    p.setBrush(kLaminate);
    p.drawPath(board);
    p.setBrush(kSolderMask);
    p.drawPath(maskArea());
    paintMaskTexture(p);
    paintCopper(p, artwork);
    paintFingers(p);
    paintSilkscreen(p, artwork);
    paintSheen(p);

    // The milled edge catches the light on the upper and left sides.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(190, 200, 150, 120), 0.8));
    p.drawPath(board);
}
