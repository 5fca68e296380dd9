#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QVector>

// The application icon: a small green card with its gold edge fingers, mounting bracket, a red DIP
// switch block with white knobs and a jumper header with a shunt. The design is made of rectangles on
// a 32 x 32 grid in a 16-colour palette, so the small icon is drawn pixel for pixel and the large one
// is the same design scaled up with soft shading.
class IconDesign {
public:
    static constexpr int kGrid = 32;

    enum Ink {
        Clear,
        Outline,
        BoardDark,
        Board,
        BoardLight,
        Gold,
        GoldDark,
        SwitchBody,
        SwitchSlot,
        Knob,
        Metal,
        MetalDark,
        Plastic,
        GoldLight,
        Chip,
        ChipLeg,
        InkCount
    };

    // The 16 colours; entry 0 is fully transparent.
    static QVector<QRgb> palette();

    // 32 x 32, indexed with the 16-colour palette.
    static QImage small();
    // size x size, 32-bit with alpha, the same design with rounded, shaded shapes.
    static QImage large(int size);

private:
    enum class Relief { Flat, Raised, Metal };
    struct Shape {
        QRect cells; // on the 32 x 32 grid
        Ink ink = Clear;
        Relief relief = Relief::Flat;
    };
    static QVector<Shape> shapes();
};
