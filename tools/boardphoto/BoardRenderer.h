#pragma once

#include "BoardLayout.h"

#include <QImage>

// Paints the board as the camera sees it, before the camera's own effects: backdrop, board shadow,
// board, the parts' shadows and the parts, at `supersample` times the photograph's resolution.
class BoardRenderer {
public:
    explicit BoardRenderer(int supersample) : supersample_(supersample) {}

    QImage render(const BoardContents& board) const;

private:
    // Adds the soft shadow of a shape standing `height` pixels above the surface to `layer`.
    void castShadow(QImage& layer, const QPainterPath& footprint, double height) const;
    void addBlurredShape(QImage& layer, const QPainterPath& shape, double radius, int alpha) const;
    // A board handled in the studio is never quite clean.
    static void sprinkleDust(QPainter& p);

    int supersample_ = 3;
};
