#pragma once

// Internal to the toolkit backend: a widget that its control paints through WM_PAINT and that reports
// pointer input as messages.

#include "platform/qt/QtWindow.h"

#include <QImage>

class SurfaceWidget : public QWidget {
public:
    explicit SurfaceWidget(QWidget* parent = nullptr);
    void SetWindow(QtWindow* window) { FWindow = window; }
    // The windowless controls the surface paints, as its control lists them for assistive tools.
    TAccessibleChildren AccessibleChildren() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void SendMouse(uint32_t number, QMouseEvent* event);

    QtWindow* FWindow = nullptr;
};

// Lets assistive tools see the windowless controls of every surface (SurfaceAccessible.cpp).
void InstallSurfaceAccessibility();
