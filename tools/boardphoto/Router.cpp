#include "Router.h"

#include "BoardGeometry.h"

#include <cmath>
#include <queue>

namespace {

// The eight grid directions, in order around the compass, so that index distance is turn angle.
constexpr int kDx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int kDy[8] = {0, 1, 1, 1, 0, -1, -1, -1};

double stepCost(int direction)
{
    return direction % 2 == 0 ? 1.0 : std::sqrt(2.0);
}

double turnCost(int from, int to)
{
    if (from < 0)
        return 0.0;
    const int turn = std::abs(from - to) % 8;
    const int eighths = std::min(turn, 8 - turn);
    static constexpr double kCosts[5] = {0.0, 1.5, 12.0, 1e9, 1e9}; // 45 degrees cheap, 90 costly, sharper never
    return kCosts[eighths];
}

} // namespace

Router::Router(const QPainterPath& area)
{
    width_ = static_cast<int>(BoardGeometry::kPhotoWidth / kCell) + 2;
    height_ = static_cast<int>(BoardGeometry::kPhotoHeight / kCell) + 2;
    owners_.assign(static_cast<size_t>(width_) * height_, kBlocked);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (area.contains(centreOf(x, y)))
                owner(x, y) = kFree;
}

Router::Cell Router::cellAt(QPointF p) const
{
    return {static_cast<int>(std::lround(p.x() / kCell)), static_cast<int>(std::lround(p.y() / kCell))};
}

void Router::claimDisc(QPointF centre, double radius, Net net)
{
    const Cell c = cellAt(centre);
    const int reach = static_cast<int>(std::ceil(radius / kCell)) + 1;
    for (int y = c.y - reach; y <= c.y + reach; ++y)
        for (int x = c.x - reach; x <= c.x + reach; ++x) {
            if (!inside(x, y))
                continue;
            const QPointF d = centreOf(x, y) - centre;
            if (std::hypot(d.x(), d.y()) <= radius && owner(x, y) == kFree)
                owner(x, y) = net;
        }
}

void Router::claimPad(QPointF centre, Net net, double radius)
{
    // Another net's trace must pass with its own half-width plus a gap.
    claimDisc(centre, radius + 1.7, net);
}

void Router::block(const QRectF& box)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (box.contains(centreOf(x, y)))
                owner(x, y) = kBlocked;
}

void Router::claimTrace(const QVector<QPointF>& points, double width, Net net)
{
    for (int i = 0; i + 1 < points.size(); ++i) {
        const QPointF d = points[i + 1] - points[i];
        const double length = std::hypot(d.x(), d.y());
        for (double s = 0; s <= length; s += 0.5)
            claimDisc(points[i] + d * (length > 0 ? s / length : 0.0), width / 2 + 1.9, net);
    }
}

bool Router::viaFits(QPointF centre, Net net) const
{
    const Cell c = cellAt(centre);
    for (int y = c.y - 2; y <= c.y + 2; ++y)
        for (int x = c.x - 2; x <= c.x + 2; ++x) {
            if (!inside(x, y))
                return false;
            const Net o = owner(x, y);
            if (o != kFree && o != net)
                return false;
        }
    return true;
}

std::vector<Router::Cell> Router::search(Cell start, Cell goal, Net a, Net b) const
{
    // A* over (cell, arriving direction), so that turns can be priced.
    const auto passable = [this, a, b](int x, int y) {
        if (!inside(x, y))
            return false;
        const Net o = owner(x, y);
        return o == kFree || o == a || o == b;
    };
    const auto heuristic = [goal](int x, int y) {
        const int dx = std::abs(goal.x - x);
        const int dy = std::abs(goal.y - y);
        return std::max(dx, dy) + (std::sqrt(2.0) - 1.0) * std::min(dx, dy);
    };
    const size_t states = static_cast<size_t>(width_) * height_ * 9;
    std::vector<double> best(states, 1e18);
    std::vector<int> previous(states, -1);
    auto index = [this](int x, int y, int dir) { return (static_cast<size_t>(y) * width_ + x) * 9 + (dir + 1); };

    struct Entry {
        double priority;
        double cost;
        int x, y, dir;
        bool operator<(const Entry& other) const { return priority > other.priority; }
    };
    std::priority_queue<Entry> open;
    best[index(start.x, start.y, -1)] = 0;
    open.push({heuristic(start.x, start.y), 0, start.x, start.y, -1});
    const double budget = 2.0 * heuristic(start.x, start.y) + 20.0;

    while (!open.empty()) {
        const Entry e = open.top();
        open.pop();
        if (e.cost > best[index(e.x, e.y, e.dir)])
            continue;
        if (e.x == goal.x && e.y == goal.y) {
            std::vector<Cell> path;
            size_t at = index(e.x, e.y, e.dir);
            while (true) {
                const int cellIndex = static_cast<int>(at / 9);
                path.push_back({cellIndex % width_, cellIndex / width_});
                if (previous[at] < 0)
                    break;
                at = static_cast<size_t>(previous[at]);
            }
            return {path.rbegin(), path.rend()};
        }
        for (int d = 0; d < 8; ++d) {
            const int nx = e.x + kDx[d];
            const int ny = e.y + kDy[d];
            if (!passable(nx, ny))
                continue;
            // A diagonal step must not squeeze between two blocked cells.
            if (d % 2 == 1 && (!passable(e.x + kDx[d], e.y) || !passable(e.x, e.y + kDy[d])))
                continue;
            const double cost = e.cost + stepCost(d) + turnCost(e.dir, d);
            if (cost > budget)
                continue;
            const size_t next = index(nx, ny, d);
            if (cost < best[next]) {
                best[next] = cost;
                previous[next] = static_cast<int>(index(e.x, e.y, e.dir));
                open.push({cost + heuristic(nx, ny), cost, nx, ny, d});
            }
        }
    }
    return {};
}

bool Router::connect(QPointF from, Net a, QPointF to, Net b, double width, Artwork& artwork)
{
    const std::vector<Cell> cells = search(cellAt(from), cellAt(to), a, b);
    if (cells.empty())
        return false;

    // Keep only the corners.
    QVector<QPointF> points{from};
    for (size_t i = 1; i + 1 < cells.size(); ++i) {
        const int dx1 = cells[i].x - cells[i - 1].x, dy1 = cells[i].y - cells[i - 1].y;
        const int dx2 = cells[i + 1].x - cells[i].x, dy2 = cells[i + 1].y - cells[i].y;
        if (dx1 != dx2 || dy1 != dy2)
            points.append(centreOf(cells[i].x, cells[i].y));
    }
    points.append(to);
    artwork.addTrace(points, width);

    for (const Cell& c : cells)
        claimDisc(centreOf(c.x, c.y), width / 2 + 1.9, a);
    return true;
}
