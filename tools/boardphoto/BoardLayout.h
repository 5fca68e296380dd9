#pragma once

#include "Artwork.h"
#include "Components.h"
#include "Random.h"
#include "Router.h"

#include <QHash>
#include <QSet>

#include <memory>
#include <optional>
#include <vector>

struct BoardContents {
    std::vector<std::unique_ptr<Part>> parts; // in painting order
    Artwork artwork;
};

// The card as built: which parts stand where, what the silkscreen says and where the copper runs.
// The settable parts are placed from the marked boxes of BoardGeometry; everything else fills the
// board around them without covering a mark.
class BoardLayout {
public:
    BoardContents build();

private:
    template <typename PartType, typename... Args>
    PartType& add(Args&&... args);
    DipPackage& addDip(DipDesign design);
    // The chip with reference designator U<reference>, as printed next to it.
    const DipPackage& chip(int reference) const { return *chips_[static_cast<size_t>(reference) - 1]; }

    void placeSettings();
    void placeLogic();
    void placePassives();
    void placeConnector();
    void printSettingLegends();
    void printReferences();
    void printTitle();

    void routePower();
    void routeSettings();
    void routeConnector();
    void routeFingers();
    void routeBetweenChips();
    void fanOutChips();

    static QPainterPath copperArea();
    Router::Net netOf(QPointF pad);
    bool link(QPointF a, QPointF b, double width = 1.2);
    // Drops a pad's signal to the far side through a via placed near it, leaving towards `heading`.
    bool dropToVia(QPointF pad, QPointF heading);
    // The closest pads not yet connected, nearest first, among `candidates`.
    QVector<QPointF> nearestFree(QPointF from, const QVector<QPointF>& candidates, int count,
                                 double maxDistance) const;
    bool used(QPointF pad) const { return used_.contains(key(pad)); }
    static qint64 key(QPointF p);

    BoardContents contents_;
    std::optional<Router> router_;
    QHash<qint64, Router::Net> nets_;
    QSet<qint64> used_;
    Random random_{0x72};

    std::vector<DipPackage*> chips_; // U1, U2, ... in reference order
    DipSwitch* addressSwitch_ = nullptr;
    PinHeader* irqEnable1_ = nullptr;
    PinHeader* irqEnable0_ = nullptr;
    PinHeader* buffer_ = nullptr;
    PinHeader* irqRow_ = nullptr;
    PinHeader* irqColumn_ = nullptr;
    PinHeader* irq2_ = nullptr;
    DSubConnector* connector_ = nullptr;
    std::vector<Part*> passives_;
};
