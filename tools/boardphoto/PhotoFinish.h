#pragma once

#include <QImage>

// What the camera adds to the scene: the lens's slight softness, the fall-off of the studio light
// towards the far corner, the sensor's tone response and its grain.
class PhotoFinish {
public:
    explicit PhotoFinish(int supersample) : supersample_(supersample) {}

    // Reduces the supersampled scene to the photograph's resolution and develops it (RGB888).
    QImage develop(const QImage& scene) const;

private:
    static void soften(QImage& image);
    static void light(QImage& image);
    static QImage grain(const QImage& image);

    int supersample_ = 3;
};
