#pragma once

#include "Artwork.h"

#include <QPainterPath>
#include <QPointF>
#include <QVector>

#include <vector>

// Lays copper the way a board router of the time did: on a 0.025-inch grid, straight runs with
// 45-degree corners, keeping clear of other nets' pads, traces and vias.
class Router {
public:
    using Net = int;

    // `area` is where copper may run (the masked board, away from its edges).
    explicit Router(const QPainterPath& area);

    Net newNet() { return nextNet_++; }
    // Reserves the surroundings of a pad (or via) for `net`. Only free cells are claimed: whatever
    // was claimed first keeps its clearance.
    void claimPad(QPointF centre, Net net, double radius = 1.9);
    // Keeps copper out of a box (parts that sit flat on the board).
    void block(const QRectF& box);
    // Reserves the path of a trace drawn outside the router for `net`.
    void claimTrace(const QVector<QPointF>& points, double width, Net net);

    // Routes from `from` (net a) to `to` (net b) and adds the trace to `artwork`; false if no path
    // within a sensible detour exists, in which case nothing is added.
    bool connect(QPointF from, Net a, QPointF to, Net b, double width, Artwork& artwork);
    // Whether a via fits at `centre` without touching other copper.
    bool viaFits(QPointF centre, Net net) const;

private:
    struct Cell {
        int x = 0;
        int y = 0;
    };
    static constexpr double kCell = 2.1;
    static constexpr Net kBlocked = -1;
    static constexpr Net kFree = 0;

    Cell cellAt(QPointF p) const;
    QPointF centreOf(int x, int y) const { return QPointF(x * kCell, y * kCell); }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Net& owner(int x, int y) { return owners_[static_cast<size_t>(y) * width_ + x]; }
    Net owner(int x, int y) const { return owners_[static_cast<size_t>(y) * width_ + x]; }
    void claimDisc(QPointF centre, double radius, Net net);
    std::vector<Cell> search(Cell start, Cell goal, Net a, Net b) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Net> owners_;
    Net nextNet_ = 1;
};
