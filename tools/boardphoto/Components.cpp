#include "Components.h"

#include "BoardGeometry.h"
#include "Materials.h"
#include "Random.h"
#include "StrokeFont.h"

#include <QTransform>

#include <cmath>

using namespace Materials;
using BoardGeometry::kPitch;

namespace {

void strokeText(QPainter& p, const QPainterPath& path, const QColor& ink, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath rectPath(const QRectF& r)
{
    QPainterPath path;
    path.addRect(r);
    return path;
}

// The frame of a part centred on `centre` and turned by `degrees` (clockwise on the photo).
QTransform placed(QPointF centre, double degrees)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    return t;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// DIP package

double DipPackage::length() const
{
    return design_.pins / 2 * kPitch + 1.0;
}

double DipPackage::width() const
{
    return design_.rowPitches * kPitch - 4.2;
}

double DipPackage::rowOffset() const
{
    return design_.rowPitches * kPitch / 2;
}

double DipPackage::leadPosition(int index) const
{
    return (index - (design_.pins / 2 - 1) / 2.0) * kPitch;
}

QTransform DipPackage::frame() const
{
    return placed(design_.centre, design_.vertical ? 90 : 0);
}

QRectF DipPackage::body() const
{
    const QSizeF size = design_.vertical ? QSizeF(width(), length()) : QSizeF(length(), width());
    return QRectF(design_.centre - QPointF(size.width() / 2, size.height() / 2), size);
}

QVector<DipPackage::Lead> DipPackage::leads() const
{
    const QTransform f = frame();
    const QPointF down = f.map(QPointF(0, 1)) - f.map(QPointF());
    QVector<Lead> leads;
    // Pin 1 is at the notch end of the lower row (notch to the left); numbering runs along that row
    // and back along the upper one.
    for (int i = 0; i < design_.pins / 2; ++i)
        leads.append({f.map(QPointF(leadPosition(i), rowOffset())), down});
    for (int i = design_.pins / 2 - 1; i >= 0; --i)
        leads.append({f.map(QPointF(leadPosition(i), -rowOffset())), -down});
    return leads;
}

QVector<QPointF> DipPackage::pads() const
{
    QVector<QPointF> pads;
    for (const Lead& lead : leads())
        pads.append(lead.pad);
    return pads;
}

QPainterPath DipPackage::footprint() const
{
    return rectPath(body());
}

QPainterPath DipPackage::silkscreen() const
{
    // The outline runs under the body's flanks, so only its ends and the pin-1 notch show.
    const QRectF b = body();
    const double lengthMargin = 1.8;
    const double inset = 0.6;
    QRectF outline = design_.vertical ? b.adjusted(inset, -lengthMargin, -inset, lengthMargin)
                                    : b.adjusted(-lengthMargin, inset, lengthMargin, -inset);
    QPainterPath path;
    path.addRect(outline);
    const QPointF notch = design_.vertical ? QPointF(outline.center().x(), outline.top())
                                         : QPointF(outline.left(), outline.center().y());
    const QRectF arc(notch - QPointF(2.6, 2.6), QSizeF(5.2, 5.2));
    path.moveTo(notch + (design_.vertical ? QPointF(2.6, 0) : QPointF(0, -2.6)));
    path.arcTo(arc, design_.vertical ? 0 : 90, 180);
    return path;
}

void DipPackage::paintLegs(QPainter& p) const
{
    const double halfWidth = width() / 2;
    const double row = rowOffset();
    const QTransform f = frame();
    for (int i = 0; i < design_.pins / 2; ++i) {
        const double along = leadPosition(i);
        for (int side : {-1, 1}) {
            // The lead leaves the body's flank with a wide shoulder, narrows and bends down into its
            // plated hole.
            solderJoint(p, f.map(QPointF(along, side * row)), 1.9);
            const QRectF shoulder = f.mapRect(
                QRectF(QPointF(along - 1.15, side * halfWidth), QPointF(along + 1.15, side * (halfWidth + 1.1)))
                    .normalized());
            const QRectF leg = f.mapRect(
                QRectF(QPointF(along - 0.7, side * halfWidth), QPointF(along + 0.7, side * (row + 0.9)))
                    .normalized());
            p.setPen(Qt::NoPen);
            p.setBrush(faceShading(kTin, leg, 0.3));
            p.drawRect(leg);
            p.setBrush(faceShading(shade(kTin, 0.9), shoulder, 0.3));
            p.drawRect(shoulder);
        }
    }
}

void DipPackage::paintMarking(QPainter& p) const
{
    const bool wide = design_.rowPitches > 3;
    const double capHeight = wide ? 4.4 : 3.3;
    const double lineStep = capHeight * 1.75;
    const double pen = wide ? 0.62 : 0.5;
    const QColor ink = withAlpha(kMarkingInk, 215);

    p.save();
    p.setTransform(frame(), true);
    const double logoSize = capHeight * 2.0;
    const double textShift = design_.logo ? logoSize * 0.7 : 0.0;
    double y = -(design_.marking.size() * lineStep - (lineStep - capHeight)) / 2.0;
    for (const QString& line : design_.marking) {
        strokeText(p, StrokeFont::path(line, capHeight, QPointF(textShift, y), StrokeFont::Align::Center), ink, pen);
        y += lineStep;
    }
    if (design_.logo) {
        double widest = 0.0;
        for (const QString& line : design_.marking)
            widest = qMax(widest, StrokeFont::width(line, capHeight));
        const QRectF logo(QPointF(textShift - widest / 2 - logoSize - 2.0, -logoSize / 2), QSizeF(logoSize, logoSize));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(logo, 1.2, 1.2);
        QPainterPath v;
        v.moveTo(logo.left() + logoSize * 0.22, logo.top() + logoSize * 0.22);
        v.lineTo(logo.center().x(), logo.bottom() - logoSize * 0.2);
        v.lineTo(logo.right() - logoSize * 0.22, logo.top() + logoSize * 0.22);
        strokeText(p, v, design_.epoxy, pen * 1.6);
    }
    p.restore();
}

void DipPackage::paintLabel(QPainter& p) const
{
    const QRectF paper(-length() * 0.3, -width() * 0.36, length() * 0.6, width() * 0.72);

    p.save();
    // Stuck on by hand, a little askew.
    p.setTransform(frame(), true);
    p.rotate(-1.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRect(paper.translated(0.5, 0.6));
    QLinearGradient g(paper.topLeft(), paper.bottomRight());
    g.setColorAt(0, QColor(246, 245, 238));
    g.setColorAt(1, QColor(222, 220, 210));
    p.setBrush(g);
    p.drawRect(paper);
    const double capHeight = 2.9;
    double y = -(design_.label.size() * capHeight * 1.6 - capHeight * 0.6) / 2.0;
    for (const QString& line : design_.label) {
        strokeText(p, StrokeFont::path(line, capHeight, QPointF(0, y), StrokeFont::Align::Center),
                   QColor(35, 35, 40), 0.5);
        y += capHeight * 1.6;
    }
    p.restore();
}

void DipPackage::paint(QPainter& p) const
{
    paintLegs(p);

    p.save();
    p.translate(design_.centre);
    p.rotate(design_.tilt);
    p.translate(-design_.centre);
    const QRectF b = body();
    bevelledBox(p, b, 0.8, design_.epoxy, 1.0, 0.14);
    // The moulded top is not quite flat: a soft sheen runs across it towards the light.
    QLinearGradient sheen(b.topLeft(), b.bottomRight());
    sheen.setColorAt(0.0, QColor(255, 255, 255, 22));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 6));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRect(b.adjusted(1, 1, -1, -1));

    // The pin-1 notch and the moulding dimple beside it, lit on their far rims.
    const QTransform f = frame();
    const QPointF notch = f.map(QPointF(-length() / 2, 0));
    p.save();
    p.setClipRect(b);
    p.setPen(QPen(withAlpha(shade(design_.epoxy, 2.4), 150), 0.5));
    p.setBrush(shade(design_.epoxy, 0.45));
    p.drawEllipse(notch, 2.3, 2.3);
    p.restore();
    const QPointF dimple = f.map(QPointF(-length() / 2 + 4.4, width() / 2 - 4.0));
    QRadialGradient dg(dimple + QPointF(0.4, 0.5), 1.6);
    dg.setColorAt(0, shade(design_.epoxy, 1.25));
    dg.setColorAt(0.7, shade(design_.epoxy, 0.8));
    dg.setColorAt(1, shade(design_.epoxy, 1.1));
    p.setPen(Qt::NoPen);
    p.setBrush(dg);
    p.drawEllipse(dimple, 1.5, 1.5);

    if (design_.label.isEmpty())
        paintMarking(p);
    else
        paintLabel(p);
    p.restore();
}

// ---------------------------------------------------------------------------------------------------
// DIP switch

double DipSwitch::slotCentre(int index) const
{
    return body_.center().x() + (index - (on_.size() - 1) / 2.0) * kPitch;
}

QPointF DipSwitch::pad(int index, bool onSide) const
{
    return QPointF(slotCentre(index), onSide ? body_.top() - 2.2 : body_.bottom() + 2.2);
}

QVector<QPointF> DipSwitch::pads() const
{
    QVector<QPointF> pads;
    for (int j = 0; j < on_.size(); ++j)
        pads << pad(j, true) << pad(j, false);
    return pads;
}

QPainterPath DipSwitch::footprint() const
{
    return rectPath(body_);
}

QPainterPath DipSwitch::silkscreen() const
{
    return rectPath(body_.adjusted(-1.6, -0.4, 1.6, 0.4));
}

void DipSwitch::paint(QPainter& p) const
{
    const QColor red(186, 36, 30);
    p.setPen(Qt::NoPen);
    for (int j = 0; j < on_.size(); ++j) {
        const double x = slotCentre(j);
        for (double edge : {body_.top(), body_.bottom()}) {
            const double outward = edge == body_.top() ? -1.0 : 1.0;
            solderJoint(p, pad(j, edge == body_.top()), 1.7);
            const QRectF leg = QRectF(QPointF(x - 0.8, edge), QPointF(x + 0.8, edge + outward * 2.6)).normalized();
            p.setBrush(faceShading(kTin, leg, 0.3));
            p.setPen(Qt::NoPen);
            p.drawRect(leg);
        }
    }

    bevelledBox(p, body_, 1.0, red, 1.0, 0.16);

    const double slotTop = body_.top() + 5.4;
    const double slotBottom = body_.bottom() - 5.4;
    const QColor print(245, 240, 235, 230);
    for (int j = 0; j < on_.size(); ++j) {
        const double x = slotCentre(j);
        const QRectF slot(QPointF(x - 2.6, slotTop), QPointF(x + 2.6, slotBottom));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(48, 12, 10));
        p.drawRect(slot);
        // The slot's near wall throws a shadow down into it; its far wall catches the light.
        p.setBrush(QColor(15, 4, 4, 200));
        p.drawRect(QRectF(slot.topLeft(), QSizeF(slot.width(), 1.2)));
        p.setBrush(QColor(150, 60, 50, 160));
        p.drawRect(QRectF(slot.bottomLeft() - QPointF(0, 0.7), QSizeF(slot.width(), 0.7)));

        const double knobHeight = 6.2;
        const QRectF knob = on_[j] ? QRectF(x - 2.1, slotTop + 0.9, 4.2, knobHeight)
                                   : QRectF(x - 2.1, slotBottom - 0.9 - knobHeight, 4.2, knobHeight);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawRect(knob.translated(0.5, 0.9));
        bevelledBox(p, knob, 0.5, QColor(238, 236, 230), 0.6, 0.1);
        p.setPen(QPen(QColor(150, 150, 145), 0.35));
        for (int rib = 1; rib <= 2; ++rib)
            p.drawLine(QPointF(knob.left() + 0.8, knob.top() + rib * knobHeight / 3),
                       QPointF(knob.right() - 0.8, knob.top() + rib * knobHeight / 3));

        strokeText(p, StrokeFont::path(QString::number(j + 1), 2.7, QPointF(x, body_.bottom() - 4.1),
                                       StrokeFont::Align::Center),
                   print, 0.45);
    }
    strokeText(p, StrokeFont::path("ON", 2.7, QPointF(body_.left() + 1.8, body_.top() + 1.4)), print, 0.45);
    QPainterPath arrow;
    const QPointF tip(body_.left() + 12.8, body_.top() + 1.3);
    arrow.moveTo(tip + QPointF(0, 2.9));
    arrow.lineTo(tip);
    arrow.moveTo(tip + QPointF(-1.1, 1.1));
    arrow.lineTo(tip);
    arrow.lineTo(tip + QPointF(1.1, 1.1));
    strokeText(p, arrow, print, 0.45);
}

// ---------------------------------------------------------------------------------------------------
// Pin header

QPointF PinHeader::pin(int column, int row) const
{
    return firstPin_ + QPointF(column * pitch_.x(), row * pitch_.y());
}

QRectF PinHeader::cell(int column, int row) const
{
    return QRectF(pin(column, row) - pitch_ / 2, QSizeF(pitch_.x(), pitch_.y()));
}

QRectF PinHeader::base() const
{
    return cell(0, 0).united(cell(columns_ - 1, rows_ - 1));
}

QVector<QPointF> PinHeader::pads() const
{
    QVector<QPointF> pads;
    for (int c = 0; c < columns_; ++c)
        for (int r = 0; r < rows_; ++r)
            pads.append(pin(c, r));
    return pads;
}

QPainterPath PinHeader::footprint() const
{
    return rectPath(base());
}

QPainterPath PinHeader::silkscreen() const
{
    return rectPath(base().adjusted(-1.3, -1.3, 1.3, 1.3));
}

void PinHeader::paint(QPainter& p) const
{
    const QRectF strip = base().adjusted(0.25, 0.25, -0.25, -0.25);
    bevelledBox(p, strip, 0.6, QColor(28, 28, 31), 0.7, 0.14);
    p.setPen(QPen(QColor(8, 8, 10), 0.45));
    for (int c = 1; c < columns_; ++c) {
        const double x = strip.left() + c * pitch_.x() - 0.25;
        p.drawLine(QPointF(x, strip.top() + 0.6), QPointF(x, strip.bottom() - 0.6));
    }
    for (int r = 1; r < rows_; ++r) {
        const double y = strip.top() + r * pitch_.y() - 0.25;
        p.drawLine(QPointF(strip.left() + 0.6, y), QPointF(strip.right() - 0.6, y));
    }

    auto covered = [this](int c, int r) {
        for (const Shunt& s : shunts_)
            if (s.from == QPoint(c, r) || s.to == QPoint(c, r))
                return true;
        return false;
    };
    const double post = 2.4;
    for (int c = 0; c < columns_; ++c) {
        for (int r = 0; r < rows_; ++r) {
            if (covered(c, r))
                continue;
            // The post rises from the plastic; its tip is seen a little off its foot.
            const QPointF foot = BoardGeometry::seenAtHeight(pin(c, r), 8.0);
            const QPointF centre = BoardGeometry::seenAtHeight(pin(c, r), 22.0);
            const QRectF outer(centre - QPointF(post / 2, post / 2), QSizeF(post, post));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 150));
            p.drawRect(QRectF(foot - QPointF(post / 2, post / 2), QSizeF(post, post)).translated(1.0, 1.3));
            p.setPen(QPen(shade(kGold, 0.6), post * 0.9, Qt::SolidLine, Qt::SquareCap));
            p.drawLine(foot, centre);
            p.setPen(Qt::NoPen);
            p.setBrush(faceShading(shade(kGold, 0.8), outer, 0.35));
            p.drawRect(outer);
            const QRectF tip = outer.adjusted(0.55, 0.55, -0.55, -0.55);
            p.setBrush(faceShading(shade(kGold, 1.25), tip, 0.2));
            p.drawRect(tip);
            p.setBrush(QColor(255, 250, 220, 200));
            p.drawRect(QRectF(tip.topLeft(), QSizeF(0.55, 0.55)));
        }
    }

    for (const Shunt& s : shunts_) {
        const QRectF onBase =
            cell(s.from.x(), s.from.y()).united(cell(s.to.x(), s.to.y())).adjusted(0.1, 0.1, -0.1, -0.1);
        // The shunt stands as tall as the posts: its side shows between its top and the base.
        const QPointF lift = BoardGeometry::seenAtHeight(onBase.center(), 21.0) - onBase.center();
        const QRectF box = onBase.translated(lift);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(12, 12, 14));
        for (int step = 0; step < 4; ++step)
            p.drawRoundedRect(onBase.translated(lift * (step / 4.0)), 1.1, 1.1);
        bevelledBox(p, box, 1.1, QColor(24, 24, 27), 1.0, 0.22);
        // The grip ridge across one end.
        const bool alongX = box.width() > box.height();
        const QRectF ridge = alongX ? QRectF(box.left() + 1.6, box.top() + 1.3, 1.4, box.height() - 2.6)
                                    : QRectF(box.left() + 1.3, box.top() + 1.6, box.width() - 2.6, 1.4);
        bevelledBox(p, ridge, 0.3, QColor(34, 34, 38), 0.35, 0.3);
        // Gloss of the moulded top.
        p.setPen(QPen(QColor(255, 255, 255, 45), 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(box.topLeft() + QPointF(2.5, 1.6), box.topRight() + QPointF(-2.0, 1.6));
    }
}

// ---------------------------------------------------------------------------------------------------
// Axial resistor

QTransform AxialResistor::frame() const
{
    const QPointF d = holeB_ - holeA_;
    return placed((holeA_ + holeB_) / 2, std::atan2(d.y(), d.x()) * 180.0 / M_PI);
}

QPainterPath AxialResistor::bodyOutline() const
{
    QPainterPath path;
    path.addRoundedRect(QRectF(-9.2, -2.8, 18.4, 5.6), 2.6, 2.6);
    QPainterPath ends;
    ends.addEllipse(QPointF(-6.6, 0), 2.8, 3.35);
    ends.addEllipse(QPointF(6.6, 0), 2.8, 3.35);
    return path.united(ends);
}

QPainterPath AxialResistor::footprint() const
{
    return frame().map(bodyOutline());
}

QPainterPath AxialResistor::silkscreen() const
{
    return frame().map(rectPath(QRectF(-11.0, -4.3, 22.0, 8.6)));
}

void AxialResistor::paint(QPainter& p) const
{
    solderJoint(p, holeA_, 2.2);
    solderJoint(p, holeB_, 2.2);

    const QTransform f = frame();
    const double half = std::hypot(holeB_.x() - holeA_.x(), holeB_.y() - holeA_.y()) / 2;
    p.save();
    p.setTransform(f, true);
    p.setPen(QPen(shade(kTin, 0.8), 1.05, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-half, 0), QPointF(half, 0));
    p.setPen(QPen(shade(kTin, 1.4), 0.35, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-half + 0.6, -0.25), QPointF(half - 0.6, -0.25));
    p.restore();

    const QPainterPath outline = f.map(bodyOutline());
    p.setPen(Qt::NoPen);
    p.setBrush(body_);
    p.drawPath(outline);

    p.save();
    p.setClipPath(outline);
    p.setTransform(f, true);
    const std::array<double, 4> bandCentres{-5.9, -3.5, -1.1, 5.6};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(bands_[i]);
        p.drawRect(QRectF(bandCentres[i] - 0.8, -4, 1.6, 8));
    }
    p.restore();

    // Round the body off: the light falls from the upper left, whatever way the resistor lies.
    const QPointF centre = (holeA_ + holeB_) / 2;
    const QPointF across = f.map(QPointF(0, -3.4)) - f.map(QPointF(0, 0));
    const QPointF towardsLight = (across.x() + across.y() <= 0) ? across : -across;
    QLinearGradient g(centre + towardsLight, centre - towardsLight);
    g.setColorAt(0.0, QColor(120, 120, 120));
    g.setColorAt(0.2, QColor(255, 255, 255));
    g.setColorAt(0.55, QColor(215, 215, 215));
    g.setColorAt(1.0, QColor(80, 80, 80));
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.setBrush(g);
    p.drawPath(outline);
    p.setCompositionMode(QPainter::CompositionMode_Screen);
    QLinearGradient glint(centre + towardsLight, centre - towardsLight);
    glint.setColorAt(0.15, QColor(0, 0, 0));
    glint.setColorAt(0.27, QColor(110, 110, 105));
    glint.setColorAt(0.4, QColor(0, 0, 0));
    p.setBrush(glint);
    p.drawPath(outline);
    p.restore();
}

// ---------------------------------------------------------------------------------------------------
// Ceramic capacitor

QTransform CeramicCapacitor::frame() const
{
    return placed(centre_, angle_);
}

QVector<QPointF> CeramicCapacitor::pads() const
{
    return {frame().map(QPointF(-kPitch / 2, 0)), frame().map(QPointF(kPitch / 2, 0))};
}

QPainterPath CeramicCapacitor::footprint() const
{
    QPainterPath body;
    body.addRoundedRect(QRectF(-4.5, -2.8, 9.0, 5.6), 2.6, 2.6);
    return frame().map(body);
}

void CeramicCapacitor::paint(QPainter& p) const
{
    for (const QPointF& pad : pads())
        solderJoint(p, pad, 1.6);

    const QPainterPath body = footprint();
    QRadialGradient g(centre_ + QPointF(-1.9, -1.5), 6.5);
    g.setColorAt(0.0, shade(body_, 1.35));
    g.setColorAt(0.45, body_);
    g.setColorAt(1.0, shade(body_, 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(body);
    p.setBrush(QColor(255, 255, 250, 110));
    p.drawEllipse(centre_ + QPointF(-1.6, -1.3), 1.3, 0.7);
}

// ---------------------------------------------------------------------------------------------------
// Electrolytic capacitor

QVector<QPointF> ElectrolyticCapacitor::pads() const
{
    // Leads 0.1 inch apart under the can, the minus lead on the stripe's side.
    const double a = stripeAngle_ * M_PI / 180.0;
    const QPointF towardsStripe(std::cos(a), -std::sin(a));
    return {centre_ + towardsStripe * (kPitch / 2), centre_ - towardsStripe * (kPitch / 2)};
}

QPainterPath ElectrolyticCapacitor::footprint() const
{
    QPainterPath path;
    path.addEllipse(centre_, diameter_ / 2, diameter_ / 2);
    return path;
}

QPainterPath ElectrolyticCapacitor::silkscreen() const
{
    const double r = diameter_ / 2 + 1.6;
    QPainterPath path;
    path.addEllipse(centre_, r, r);
    // "+" on the side away from the minus stripe.
    const double a = (stripeAngle_ + 180.0) * M_PI / 180.0;
    const QPointF plus = centre_ + QPointF(std::cos(a), -std::sin(a)) * (r + 3.2);
    path.moveTo(plus - QPointF(1.5, 0));
    path.lineTo(plus + QPointF(1.5, 0));
    path.moveTo(plus - QPointF(0, 1.5));
    path.lineTo(plus + QPointF(0, 1.5));
    return path;
}

void ElectrolyticCapacitor::paint(QPainter& p) const
{
    const double r = diameter_ / 2;
    const QColor sleeve(24, 34, 78);
    // The can stands about twice its diameter tall; from the camera its top is shifted away from the
    // middle of the picture and the sleeve's side shows between top and base.
    const QPointF top = BoardGeometry::seenAtHeight(centre_, diameter_ * 2.0);
    const QPointF shift = top - centre_;
    const double shiftLength = std::hypot(shift.x(), shift.y());
    p.setPen(Qt::NoPen);
    if (shiftLength > 0.2) {
        const QPointF normal(-shift.y() / shiftLength * r, shift.x() / shiftLength * r);
        QPainterPath side;
        side.moveTo(centre_ + normal);
        side.lineTo(top + normal);
        side.lineTo(top - normal);
        side.lineTo(centre_ - normal);
        side.closeSubpath();
        side.addEllipse(centre_, r, r);
        const QPointF towardsLight = (normal.x() + normal.y() <= 0) ? normal : -normal;
        p.setBrush(cylinderShading(sleeve, centre_, towardsLight, 0.8));
        p.drawPath(side.simplified());
    }

    QRadialGradient sg(top - QPointF(r * 0.3, r * 0.3), r * 1.3);
    sg.setColorAt(0.0, shade(sleeve, 1.2));
    sg.setColorAt(0.7, sleeve);
    sg.setColorAt(1.0, shade(sleeve, 0.55));
    p.setBrush(sg);
    p.drawEllipse(top, r, r);

    // The printed minus stripe running down the sleeve shows as a pale arc of its rim.
    const QRectF outer(top - QPointF(r, r), QSizeF(2 * r, 2 * r));
    QPainterPath stripe;
    stripe.arcMoveTo(outer, stripeAngle_ - 30);
    stripe.arcTo(outer, stripeAngle_ - 30, 60);
    const double ri = r * 0.8;
    const QRectF inner(top - QPointF(ri, ri), QSizeF(2 * ri, 2 * ri));
    stripe.arcTo(inner, stripeAngle_ + 30, -60);
    stripe.closeSubpath();
    p.setBrush(QColor(138, 146, 176));
    p.drawPath(stripe);

    // The sleeve rolled over the can's edge: a bright rim towards the light.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 55), r * 0.08));
    const double rr = r * 0.87;
    p.drawArc(QRectF(top - QPointF(rr, rr), QSizeF(2 * rr, 2 * rr)), 100 * 16, 80 * 16);

    const double rt = r * 0.7;
    QRadialGradient tg(top - QPointF(rt * 0.4, rt * 0.4), rt * 1.5);
    tg.setColorAt(0.0, QColor(196, 198, 202));
    tg.setColorAt(0.5, QColor(150, 152, 158));
    tg.setColorAt(1.0, QColor(104, 106, 112));
    p.setPen(QPen(QColor(60, 62, 68), 0.5));
    p.setBrush(tg);
    p.drawEllipse(top, rt, rt);

    // The vent scored into the top.
    const double v = rt * 0.62;
    p.setPen(QPen(QColor(215, 216, 220, 150), 0.45));
    p.drawLine(top + QPointF(-v + 0.4, 0.4), top + QPointF(v + 0.4, 0.4));
    p.drawLine(top + QPointF(0.4, -v + 0.4), top + QPointF(0.4, v + 0.4));
    p.setPen(QPen(QColor(76, 78, 84), 0.6));
    p.drawLine(top + QPointF(-v, 0), top + QPointF(v, 0));
    p.drawLine(top + QPointF(0, -v), top + QPointF(0, v));
}

// ---------------------------------------------------------------------------------------------------
// Oscillator

QVector<QPointF> Oscillator::pads() const
{
    const QRectF pins = can_.adjusted(4.2, 4.2, -4.2, -4.2);
    return {pins.topLeft(), pins.topRight(), pins.bottomLeft(), pins.bottomRight()};
}

QPainterPath Oscillator::footprint() const
{
    QPainterPath path;
    path.addRoundedRect(can_, 3.0, 3.0);
    return path;
}

QPainterPath Oscillator::silkscreen() const
{
    const QRectF r = can_.adjusted(-1.8, -1.8, 1.8, 1.8);
    QPainterPath path;
    path.moveTo(r.left() + 4, r.top());
    path.lineTo(r.topRight());
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.lineTo(r.left(), r.top() + 4);
    path.closeSubpath();
    return path;
}

void Oscillator::paint(QPainter& p) const
{
    const QColor steel(180, 182, 186);
    p.setPen(Qt::NoPen);
    p.setBrush(shade(steel, 0.55));
    p.drawRoundedRect(can_, 3.0, 3.0);
    const QRectF top = can_.adjusted(1.3, 1.3, -1.3, -1.3);
    QLinearGradient g(top.topLeft(), top.bottomRight());
    g.setColorAt(0.0, shade(steel, 1.12));
    g.setColorAt(0.45, shade(steel, 1.28));
    g.setColorAt(0.6, shade(steel, 0.98));
    g.setColorAt(1.0, shade(steel, 0.82));
    p.setBrush(g);
    p.drawRoundedRect(top, 2.2, 2.2);

    // Brushing marks across the lid.
    Random random(static_cast<std::uint64_t>(can_.left() * 131 + can_.top() * 7));
    p.save();
    p.setClipRect(top.adjusted(0.5, 0.5, -0.5, -0.5));
    for (int i = 0; i < 70; ++i) {
        const double y = top.top() + random.uniform() * top.height();
        const double x = top.left() + random.uniform(-10, top.width());
        const bool light = random.uniform() < 0.5;
        p.setPen(QPen(light ? QColor(255, 255, 255, 30) : QColor(0, 0, 0, 22), random.uniform(0.2, 0.45)));
        p.drawLine(QPointF(x, y), QPointF(x + random.uniform(8, 30), y));
    }
    p.restore();

    p.setPen(QPen(QColor(255, 255, 255, 110), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(top.left() + 2, top.top() + 0.4), QPointF(top.right() - 2, top.top() + 0.4));
    p.drawLine(QPointF(top.left() + 0.4, top.top() + 2), QPointF(top.left() + 0.4, top.bottom() - 2));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 22));
    p.drawEllipse(top.topLeft() + QPointF(3.2, 3.2), 1.1, 1.1);

    const double capHeight = 3.7;
    double y = top.center().y() - (marking_.size() * capHeight * 1.7 - capHeight * 0.7) / 2.0;
    for (const QString& line : marking_) {
        strokeText(p, StrokeFont::path(line, capHeight, QPointF(top.center().x(), y), StrokeFont::Align::Center),
                   QColor(64, 66, 72, 220), 0.55);
        y += capHeight * 1.7;
    }
}

// ---------------------------------------------------------------------------------------------------
// D-sub connector

QVector<QPointF> DSubConnector::pads() const
{
    // 37 contacts in two staggered rows, their tails bent down into the board behind the body.
    QVector<QPointF> pads;
    const double pitch = 9.3;
    for (int row = 0; row < 2; ++row) {
        const int count = row == 0 ? kInnerRow : kInnerRow - 1;
        const double x = body_.left() - (row == 0 ? 3.6 : 8.4);
        for (int k = 0; k < count; ++k)
            pads.append(QPointF(x, body_.center().y() + (k - (count - 1) / 2.0) * pitch));
    }
    return pads;
}

QPainterPath DSubConnector::footprint() const
{
    return rectPath(body_);
}

QPainterPath DSubConnector::silkscreen() const
{
    return rectPath(body_.adjusted(-12.5, -1.8, 0, 1.8));
}

void DSubConnector::paint(QPainter& p) const
{
    for (const QPointF& pad : pads()) {
        solderJoint(p, pad, 1.9);
        p.setPen(QPen(shade(kTin, 0.85), 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(pad, QPointF(body_.left() + 0.5, pad.y()));
        p.setPen(QPen(shade(kTin, 1.35), 0.35));
        p.drawLine(pad + QPointF(0.5, -0.3), QPointF(body_.left(), pad.y() - 0.3));
    }

    const double earLength = 15.0;
    const QRectF plastic(body_.left(), body_.top() + earLength - 1, body_.width() - 4.5,
                         body_.height() - 2 * earLength + 2);
    bevelledBox(p, plastic, 1.2, QColor(30, 30, 33), 1.0, 0.12);
    p.setPen(QPen(QColor(12, 12, 14), 0.6));
    for (double x : {plastic.left() + 9.0, plastic.left() + 21.0}) {
        p.drawLine(QPointF(x, plastic.top() + 3), QPointF(x, plastic.bottom() - 3));
        p.setPen(QPen(QColor(70, 70, 76, 140), 0.4));
        p.drawLine(QPointF(x + 0.6, plastic.top() + 3), QPointF(x + 0.6, plastic.bottom() - 3));
        p.setPen(QPen(QColor(12, 12, 14), 0.6));
    }
    const QColor print(214, 214, 206, 200);
    // Contact numbers moulded at the ends.
    const double middle = plastic.left() + 15.0;
    strokeText(p, StrokeFont::path("37", 3.0, QPointF(middle, plastic.top() + 3.5), StrokeFont::Align::Center), print,
               0.45);
    strokeText(p, StrokeFont::path("1", 3.0, QPointF(middle, plastic.bottom() - 6.5), StrokeFont::Align::Center), print,
               0.45);

    // Tin-plated mounting ears, each riveted to the board through a hollow rivet.
    for (double top : {body_.top(), body_.bottom() - earLength}) {
        const QRectF ear(body_.left() + 2.0, top, body_.width() - 6.5, earLength);
        bevelledBox(p, ear, 0.6, shade(kZincPlate, 0.92), 0.8, 0.18);
        const QPointF rivet(ear.center().x() - 1.0, ear.center().y());
        QRadialGradient rg(rivet - QPointF(1.2, 1.2), 4.5);
        rg.setColorAt(0.0, QColor(238, 238, 234));
        rg.setColorAt(0.6, QColor(168, 170, 172));
        rg.setColorAt(1.0, QColor(100, 102, 106));
        p.setPen(QPen(QColor(90, 92, 96), 0.4));
        p.setBrush(rg);
        p.drawEllipse(rivet, 3.4, 3.4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(34, 34, 38));
        p.drawEllipse(rivet, 1.4, 1.4);
    }

    // The shell's flange lying against the bracket.
    const QRectF flange(body_.right() - 4.5, body_.top() - 1.5, 4.5, body_.height() + 3.0);
    QLinearGradient fg(flange.topLeft(), flange.topRight());
    fg.setColorAt(0.0, shade(kZincPlate, 0.7));
    fg.setColorAt(0.35, shade(kZincPlate, 1.3));
    fg.setColorAt(1.0, shade(kZincPlate, 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    p.drawRect(flange);
}

// ---------------------------------------------------------------------------------------------------
// Mounting bracket

QPainterPath MountingBracket::plate() const
{
    using namespace BoardGeometry;
    QPainterPath path;
    path.moveTo(kBracketLeft, -6);
    path.lineTo(kBracketRight, -6);
    path.lineTo(kBracketRight, 391);
    path.lineTo(kBracketRight - 3.0, 396);
    path.lineTo(kBracketLeft + 5.5, 396);
    path.lineTo(kBracketLeft + 3.0, 391);
    path.lineTo(kBracketLeft + 3.0, 357);
    path.lineTo(kBracketLeft, 352);
    path.closeSubpath();
    return path;
}

QPainterPath MountingBracket::footprint() const
{
    using namespace BoardGeometry;
    QPainterPath path = plate();
    path.addRect(QRectF(529, 4, kBracketLeft - 529, 20));
    path.addRect(QRectF(kBracketRight, connectorTop_ + 20, 12, connectorBottom_ - connectorTop_ - 40));
    for (double y : {connectorTop_ + 9.0, connectorBottom_ - 9.0})
        path.addRect(QRectF(kBracketRight, y - 6, 17, 12));
    return path.simplified();
}

void MountingBracket::paint(QPainter& p) const
{
    using namespace BoardGeometry;

    // The connector's shell and jack posts stand out through the plate, beyond the board.
    const QRectF shell(kBracketRight, connectorTop_ + 20, 12, connectorBottom_ - connectorTop_ - 40);
    QPainterPath shellPath;
    shellPath.moveTo(shell.topLeft());
    shellPath.lineTo(shell.topRight() + QPointF(0, 5));
    shellPath.lineTo(shell.bottomRight() - QPointF(0, 3));
    shellPath.lineTo(shell.bottomLeft());
    shellPath.closeSubpath();
    QLinearGradient sg(shell.topLeft(), shell.topRight());
    sg.setColorAt(0.0, shade(kZincPlate, 0.75));
    sg.setColorAt(0.4, shade(kZincPlate, 1.25));
    sg.setColorAt(1.0, shade(kZincPlate, 0.7));
    p.setPen(QPen(shade(kZincPlate, 0.45), 0.5));
    p.setBrush(sg);
    p.drawPath(shellPath);
    for (double y : {connectorTop_ + 9.0, connectorBottom_ - 9.0}) {
        const QRectF post(kBracketRight, y - 5.5, 17, 11);
        QLinearGradient pg(post.topLeft(), post.bottomLeft());
        pg.setColorAt(0.0, shade(kZincPlate, 1.3));
        pg.setColorAt(0.3, shade(kZincPlate, 1.05));
        pg.setColorAt(0.34, shade(kZincPlate, 0.75));
        pg.setColorAt(0.66, shade(kZincPlate, 0.9));
        pg.setColorAt(0.7, shade(kZincPlate, 0.6));
        pg.setColorAt(1.0, shade(kZincPlate, 0.45));
        p.setPen(QPen(shade(kZincPlate, 0.4), 0.5));
        p.setBrush(pg);
        p.drawRect(post);
    }

    // The plate's inner face, turned a little towards the camera and the light.
    const QPainterPath face = plate();
    QLinearGradient g(QPointF(kBracketLeft, 0), QPointF(kBracketRight, 0));
    g.setColorAt(0.0, shade(kZincPlate, 0.8));
    g.setColorAt(0.25, shade(kZincPlate, 1.22));
    g.setColorAt(0.55, shade(kZincPlate, 1.02));
    g.setColorAt(0.85, shade(kZincPlate, 0.78));
    g.setColorAt(1.0, shade(kZincPlate, 0.42));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(face);
    // Soft reflections of the studio along its length.
    QLinearGradient along(QPointF(0, 0), QPointF(0, 396));
    along.setColorAt(0.0, QColor(255, 255, 255, 40));
    along.setColorAt(0.2, QColor(255, 255, 255, 0));
    along.setColorAt(0.45, QColor(0, 0, 0, 30));
    along.setColorAt(0.7, QColor(255, 255, 255, 25));
    along.setColorAt(1.0, QColor(0, 0, 0, 40));
    p.setBrush(along);
    p.drawPath(face);
    // Fine drawing marks along the rolled steel.
    Random random(549);
    p.save();
    p.setClipPath(face);
    for (int i = 0; i < 60; ++i) {
        const double x = random.uniform(kBracketLeft, kBracketRight);
        const double y = random.uniform(-6, 396);
        const QColor streak = random.uniform() < 0.5 ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 30);
        p.setPen(QPen(streak, random.uniform(0.2, 0.4)));
        p.drawLine(QPointF(x, y), QPointF(x, y + random.uniform(20, 90)));
    }
    p.restore();

    // The foot lying on the board, bent off the plate, with its screw.
    const QRectF foot(530, 5, kBracketLeft - 530 + 1, 18);
    bevelledBox(p, foot, 1.2, shade(kZincPlate, 0.95), 1.0, 0.2);
    QLinearGradient bend(QPointF(kBracketLeft - 4, 0), QPointF(kBracketLeft + 1, 0));
    bend.setColorAt(0.0, QColor(255, 255, 255, 0));
    bend.setColorAt(0.6, QColor(255, 255, 255, 70));
    bend.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(bend);
    p.drawRect(QRectF(kBracketLeft - 4, foot.top() + 0.8, 5, foot.height() - 1.6));
    const QPointF screw(538.6, 14.0);
    QRadialGradient hg(screw - QPointF(1.3, 1.5), 5.0);
    hg.setColorAt(0.0, QColor(236, 236, 232));
    hg.setColorAt(0.6, QColor(170, 170, 168));
    hg.setColorAt(1.0, QColor(96, 96, 96));
    p.setPen(QPen(QColor(70, 70, 72), 0.5));
    p.setBrush(hg);
    p.drawEllipse(screw, 3.9, 3.9);
    p.setPen(QPen(QColor(50, 50, 54), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(screw + QPointF(-1.9, -1.2), screw + QPointF(1.9, 1.2));
    p.drawLine(screw + QPointF(-1.2, 1.9), screw + QPointF(1.2, -1.9));
}
