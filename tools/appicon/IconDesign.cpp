#include "IconDesign.h"

#include <QLinearGradient>
#include <QPainter>

QVector<QRgb> IconDesign::palette()
{
    return {
        qRgba(0, 0, 0, 0),    // Clear
        qRgb(18, 30, 20),     // Outline
        qRgb(22, 78, 40),     // BoardDark
        qRgb(38, 128, 62),    // Board
        qRgb(96, 178, 96),    // BoardLight
        qRgb(224, 182, 60),   // Gold
        qRgb(150, 108, 30),   // GoldDark
        qRgb(204, 40, 34),    // SwitchBody
        qRgb(96, 16, 14),     // SwitchSlot
        qRgb(248, 248, 242),  // Knob
        qRgb(196, 200, 206),  // Metal
        qRgb(112, 116, 124),  // MetalDark
        qRgb(40, 40, 46),     // Plastic
        qRgb(255, 232, 140),  // GoldLight
        qRgb(26, 26, 30),     // Chip
        qRgb(170, 170, 164),  // ChipLeg
    };
}

QVector<IconDesign::Shape> IconDesign::shapes()
{
    QVector<Shape> s;
    // Bracket along the right edge, its foot at the top.
    s.append({QRect(26, 1, 4, 2), MetalDark});
    s.append({QRect(27, 1, 3, 29), Metal, Relief::Metal});
    s.append({QRect(29, 1, 1, 29), MetalDark});
    // The board with its dark rim and the connector tab.
    s.append({QRect(1, 4, 26, 21), BoardDark});
    s.append({QRect(2, 5, 24, 19), Board, Relief::Raised});
    s.append({QRect(3, 24, 23, 5), BoardDark});
    s.append({QRect(11, 27, 2, 2), Clear}); // key notch
    for (int x = 4; x < 25; x += 2) {
        if (x == 11 || x == 12)
            continue;
        s.append({QRect(x, 25, 1, 3), Gold, Relief::Metal});
    }
    s.append({QRect(4, 25, 21, 1), GoldLight});
    s.append({QRect(11, 25, 2, 1), BoardDark});
    // Traces running from the switch block and the chip down to the fingers.
    for (int x : {6, 9, 12, 15})
        s.append({QRect(x, 18, 1, 6), BoardLight});
    for (int x : {19, 23})
        s.append({QRect(x, 21, 1, 3), BoardLight});
    // The board's edge catching the light.
    s.append({QRect(2, 5, 24, 1), BoardLight});
    s.append({QRect(2, 5, 1, 19), BoardLight});
    // The DIP switch block: four switches, ON at the top, set on-off-on-on.
    s.append({QRect(3, 7, 14, 11), Outline});
    s.append({QRect(4, 8, 12, 9), SwitchBody, Relief::Raised});
    const bool on[4] = {true, false, true, true};
    for (int j = 0; j < 4; ++j) {
        const int x = 5 + 3 * j;
        s.append({QRect(x, 9, 2, 7), SwitchSlot});
        s.append({QRect(x, on[j] ? 9 : 13, 2, 3), Knob, Relief::Raised});
    }
    // A three-pin header with its shunt on the first pair.
    s.append({QRect(18, 7, 8, 4), Plastic});
    s.append({QRect(18, 7, 5, 4), Outline});
    s.append({QRect(19, 8, 3, 2), Plastic, Relief::Raised});
    s.append({QRect(23, 8, 2, 2), Gold, Relief::Metal});
    // A chip below it, its legs along both sides.
    for (int x = 18; x < 25; x += 2) {
        s.append({QRect(x, 13, 1, 1), ChipLeg});
        s.append({QRect(x, 19, 1, 1), ChipLeg});
    }
    s.append({QRect(17, 14, 9, 5), Chip, Relief::Raised});
    return s;
}

QImage IconDesign::small()
{
    const QVector<QRgb> colours = palette();
    QImage image(kGrid, kGrid, QImage::Format_Indexed8);
    image.setColorTable(colours);
    image.fill(Clear);
    for (const Shape& shape : shapes())
        for (int y = shape.cells.top(); y <= shape.cells.bottom(); ++y)
            for (int x = shape.cells.left(); x <= shape.cells.right(); ++x)
                image.setPixel(x, y, static_cast<uint>(shape.ink));
    return image;
}

QImage IconDesign::large(int size)
{
    const QVector<QRgb> colours = palette();
    const double cell = static_cast<double>(size) / kGrid;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const Shape& shape : shapes()) {
        const QRectF box(shape.cells.left() * cell, shape.cells.top() * cell, shape.cells.width() * cell,
                         shape.cells.height() * cell);
        if (shape.ink == Clear) {
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.fillRect(box, Qt::transparent);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            continue;
        }
        const QColor base = QColor::fromRgb(colours[shape.ink]);
        switch (shape.relief) {
        case Relief::Flat:
            p.setBrush(base);
            break;
        case Relief::Raised: {
            QLinearGradient g(box.topLeft(), box.bottomRight());
            g.setColorAt(0.0, base.lighter(125));
            g.setColorAt(1.0, base.darker(125));
            p.setBrush(g);
            break;
        }
        case Relief::Metal: {
            QLinearGradient g(box.topLeft(), box.topRight());
            g.setColorAt(0.0, base.darker(115));
            g.setColorAt(0.35, base.lighter(130));
            g.setColorAt(1.0, base.darker(130));
            p.setBrush(g);
            break;
        }
        }
        const double radius = shape.relief == Relief::Flat ? 0.0 : cell * 0.3;
        p.drawRoundedRect(box, radius, radius);
    }
    return image;
}
