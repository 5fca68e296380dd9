#pragma once

#include "Artwork.h"

#include <QPainter>
#include <QPainterPath>

// The backdrop the board lies on and the bare board: laminate, solder mask with the copper showing
// through it, vias, gold edge-connector fingers and the silkscreen.
class Substrate {
public:
    // The board's outline, connector tab and key notch included.
    static QPainterPath outline();

    static void paintBackdrop(QPainter& p);
    static void paintBoard(QPainter& p, const Artwork& artwork);

private:
    static QPainterPath maskArea();
    static void paintMaskTexture(QPainter& p);
    static void paintCopper(QPainter& p, const Artwork& artwork);
    static void paintFingers(QPainter& p);
    static void paintSilkscreen(QPainter& p, const Artwork& artwork);
    static void paintSheen(QPainter& p);
};
