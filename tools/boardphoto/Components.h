#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QTransform>
#include <QVector>

#include <array>

// A component standing on the board. The scene casts its shadow from the footprint and height, prints
// its silkscreen outline onto the board and then paints it. Coordinates are photo pixels.
class Part {
public:
    virtual ~Part() = default;

    // Outline seen from above; the shadow is cast from it.
    virtual QPainterPath footprint() const = 0;
    // Height above the board in photo pixels: taller parts throw longer, softer shadows.
    virtual double height() const = 0;
    // The part's outline printed on the board around it (empty for parts without one).
    virtual QPainterPath silkscreen() const { return {}; }
    // Centres of its solder pads, which the copper must reach or keep clear of.
    virtual QVector<QPointF> pads() const { return {}; }
    virtual void paint(QPainter& p) const = 0;
};

struct DipDesign {
    QPointF centre{};
    int pins = 14;
    int rowPitches = 3; // row spacing in 0.1 inch: 3 for narrow packages, 6 for wide ones
    bool vertical = false; // long axis vertical, pin 1 at the top; otherwise pin 1 at the left
    QStringList marking{};
    bool logo = false; // the maker's logo before the first marking line
    QStringList label{}; // a paper label stuck on a programmed part
    double tilt = 0.0; // degrees the body sits askew on its leads, as inserted by hand
    QColor epoxy{30, 30, 33}; // moulding compounds differ a little between makers and lots
};

class DipPackage : public Part {
public:
    struct Lead {
        QPointF pad;
        QPointF outward; // unit vector from the body towards the pad
    };

    explicit DipPackage(DipDesign design) : design_(std::move(design)) {}
    // Pin 1 first, then counter-clockwise seen from above, as DIP pins are numbered.
    QVector<Lead> leads() const;
    QRectF body() const;
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return 5.0; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    double length() const;      // along the long axis
    double width() const;       // across the body
    double rowOffset() const;   // from the long axis to each row of pads
    double leadPosition(int index) const; // of the index-th lead of a row along the long axis
    QTransform frame() const;   // long axis along x, pin-1 end towards negative x
    void paintLegs(QPainter& p) const;
    void paintMarking(QPainter& p) const;
    void paintLabel(QPainter& p) const;

    DipDesign design_;
};

// A row of slide switches in one DIP body, numbered 1 from the left, ON at the top.
class DipSwitch : public Part {
public:
    DipSwitch(QRectF body, QVector<bool> on) : body_(body), on_(std::move(on)) {}
    // The pad of switch `index` (0 = switch 1) on the ON side or on the other side.
    QPointF pad(int index, bool onSide) const;
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return 6.0; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    double slotCentre(int index) const;

    QRectF body_;
    QVector<bool> on_;
};

// Square posts in a black plastic strip, in columns x rows at the given pitch, with shunts closing
// pairs of posts.
class PinHeader : public Part {
public:
    struct Shunt {
        QPoint from; // (column, row) of the two posts it joins
        QPoint to;
    };
    PinHeader(QPointF firstPin, int columns, int rows, QPointF pitch, QVector<Shunt> shunts = {})
        : firstPin_(firstPin), columns_(columns), rows_(rows), pitch_(pitch), shunts_(std::move(shunts))
    {
    }
    QPointF pin(int column, int row) const;
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return shunts_.isEmpty() ? 6.0 : 11.0; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    QRectF cell(int column, int row) const;
    QRectF base() const;

    QPointF firstPin_;
    int columns_ = 1;
    int rows_ = 1;
    QPointF pitch_;
    QVector<Shunt> shunts_;
};

class AxialResistor : public Part {
public:
    AxialResistor(QPointF holeA, QPointF holeB, std::array<QColor, 4> bands, QColor body)
        : holeA_(holeA), holeB_(holeB), bands_(bands), body_(body)
    {
    }
    QVector<QPointF> pads() const override { return {holeA_, holeB_}; }
    QPainterPath footprint() const override;
    double height() const override { return 4.0; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    QPainterPath bodyOutline() const; // in the resistor's own frame, axis along x, centred on 0
    QTransform frame() const;

    QPointF holeA_;
    QPointF holeB_;
    std::array<QColor, 4> bands_;
    QColor body_;
};

// A dipped ceramic capacitor with its two leads 0.1 inch apart.
class CeramicCapacitor : public Part {
public:
    CeramicCapacitor(QPointF centre, double angle, QColor body) : centre_(centre), angle_(angle), body_(body) {}
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return 5.0; }
    void paint(QPainter& p) const override;

private:
    QTransform frame() const;

    QPointF centre_;
    double angle_ = 0.0;
    QColor body_;
};

// A radial aluminium electrolytic capacitor standing on the board, seen from the top.
class ElectrolyticCapacitor : public Part {
public:
    ElectrolyticCapacitor(QPointF centre, double diameter, double stripeAngle)
        : centre_(centre), diameter_(diameter), stripeAngle_(stripeAngle)
    {
    }
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return diameter_ * 1.1; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    QPointF centre_;
    double diameter_ = 17.0;
    double stripeAngle_ = 0.0; // direction of the minus stripe, degrees counter-clockwise from +x
};

// A metal-can clock oscillator.
class Oscillator : public Part {
public:
    Oscillator(QRectF can, QStringList marking) : can_(can), marking_(std::move(marking)) {}
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return 7.0; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    QRectF can_;
    QStringList marking_;
};

// The right-angle D-sub socket behind the bracket, its pins bent down into the board.
class DSubConnector : public Part {
public:
    static constexpr int kInnerRow = 19; // contacts in the row next to the body; the outer row has 18

    explicit DSubConnector(QRectF body) : body_(body) {}
    // The inner row from top to bottom, then the outer row.
    QVector<QPointF> pads() const override;
    QPainterPath footprint() const override;
    double height() const override { return 12.0; }
    QPainterPath silkscreen() const override;
    void paint(QPainter& p) const override;

private:
    QRectF body_;
};

// The mounting bracket seen nearly edge-on, with its foot screwed to the board and the connector's
// shell and jack posts coming through it.
class MountingBracket : public Part {
public:
    MountingBracket(double connectorTop, double connectorBottom)
        : connectorTop_(connectorTop), connectorBottom_(connectorBottom)
    {
    }
    QPainterPath footprint() const override;
    double height() const override { return 14.0; }
    void paint(QPainter& p) const override;

private:
    QPainterPath plate() const;

    double connectorTop_ = 0.0;
    double connectorBottom_ = 0.0;
};
