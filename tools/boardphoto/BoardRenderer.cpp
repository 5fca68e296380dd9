#include "BoardRenderer.h"

#include "BoardGeometry.h"
#include "ImageFilters.h"
#include "Random.h"
#include "Substrate.h"

#include <QPainter>

#include <cmath>
#include <memory>

namespace {

QImage transparentImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void compose(QImage& target, const QImage& layer)
{
    QPainter p(&target);
    p.drawImage(0, 0, layer);
}

} // namespace

void BoardRenderer::addBlurredShape(QImage& layer, const QPainterPath& shape, double radius, int alpha) const
{
    // Blur only the neighbourhood of the shape: a small image around it, then drawn into the layer.
    const int radiusPx = qMax(1, static_cast<int>(std::lround(radius * supersample_)));
    const QRectF bounds = shape.boundingRect();
    const int margin = 3 * radiusPx + 2;
    const QRect area(static_cast<int>(std::floor(bounds.left() * supersample_)) - margin,
                     static_cast<int>(std::floor(bounds.top() * supersample_)) - margin,
                     static_cast<int>(std::ceil(bounds.width() * supersample_)) + 2 * margin,
                     static_cast<int>(std::ceil(bounds.height() * supersample_)) + 2 * margin);
    QImage patch = transparentImage(area.size());
    {
        QPainter p(&patch);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-area.topLeft());
        p.scale(supersample_, supersample_);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, alpha));
        p.drawPath(shape);
    }
    ImageFilters::blur(patch, radiusPx);
    QPainter p(&layer);
    p.drawImage(area.topLeft(), patch);
}

void BoardRenderer::castShadow(QImage& layer, const QPainterPath& footprint, double height) const
{
    // A dark, tight contact shadow where the part meets the surface, and a lighter cast shadow
    // thrown away from the light at the upper left.
    addBlurredShape(layer, footprint.translated(height * 0.1, height * 0.13), 0.5 + height * 0.08, 170);
    addBlurredShape(layer, footprint.translated(height * 0.4, height * 0.55), 1.0 + height * 0.32, 120);
}

void BoardRenderer::sprinkleDust(QPainter& p)
{
    Random random(0xD057);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF at(random.uniform(12, 548), random.uniform(4, 380));
        const double r = random.uniform(0.25, 0.75);
        p.setBrush(QColor(220, 220, 210, static_cast<int>(random.uniform(60, 150))));
        p.drawEllipse(at, r, r);
    }
    for (int i = 0; i < 5; ++i) {
        // Lint fibres.
        const QPointF from(random.uniform(20, 540), random.uniform(10, 340));
        QPainterPath fibre(from);
        const QPointF bend = from + QPointF(random.uniform(-5, 5), random.uniform(-5, 5));
        fibre.quadTo(bend, bend + QPointF(random.uniform(-5, 5), random.uniform(-5, 5)));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(215, 215, 205, 90), 0.3));
        p.drawPath(fibre);
        p.setPen(Qt::NoPen);
    }
}

QImage BoardRenderer::render(const BoardContents& board) const
{
    const QSize size(BoardGeometry::kPhotoWidth * supersample_, BoardGeometry::kPhotoHeight * supersample_);
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    auto painter = [this](QImage& image) {
        auto p = std::make_unique<QPainter>(&image);
        p->setRenderHint(QPainter::Antialiasing);
        p->scale(supersample_, supersample_);
        return p;
    };

    Substrate::paintBackdrop(*painter(canvas));

    QImage boardShadow = transparentImage(size);
    castShadow(boardShadow, Substrate::outline(), 6.0);
    compose(canvas, boardShadow);

    Substrate::paintBoard(*painter(canvas), board.artwork);

    QImage partShadows = transparentImage(size);
    for (const auto& part : board.parts)
        castShadow(partShadows, part->footprint(), part->height());
    compose(canvas, partShadows);

    auto p = painter(canvas);
    for (const auto& part : board.parts) {
        p->save();
        part->paint(*p);
        p->restore();
    }
    sprinkleDust(*p);
    return canvas;
}
