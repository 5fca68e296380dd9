#include "BoardLayout.h"

#include "BoardGeometry.h"
#include "Materials.h"
#include "Substrate.h"

#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>

using namespace BoardGeometry;
using Align = StrokeFont::Align;

namespace {

const QColor kBrown(110, 60, 30);
const QColor kBlack(25, 25, 25);
const QColor kRed(180, 30, 25);
const QColor kOrange(220, 110, 20);
const QColor kYellow(225, 190, 30);
const QColor kViolet(120, 60, 140);
const QColor kBandGold(190, 150, 60);
const QColor kCarbonFilm(206, 180, 138);
const QColor kMetalFilm(110, 150, 196);
const QColor kCeramicYellow(222, 170, 50);
const QColor kCeramicBlue(52, 92, 170);

constexpr double kSilkPen = 0.7;

QVector<QPointF> fingerNecks()
{
    // Where each finger's trace leaves the solder mask.
    QVector<QPointF> necks;
    for (int i = 0; i < kExtensionFingers; ++i)
        necks.append(QPointF(kExtensionFirstFinger + i * kPitch, kFingerTop - 5.0));
    for (int i = 0; i < kMainFingers; ++i)
        necks.append(QPointF(kMainFirstFinger + i * kPitch, kFingerTop - 5.0));
    return necks;
}

} // namespace

template <typename PartType, typename... Args>
PartType& BoardLayout::add(Args&&... args)
{
    auto part = std::make_unique<PartType>(std::forward<Args>(args)...);
    PartType& ref = *part;
    const QPainterPath silk = part->silkscreen();
    if (!silk.isEmpty())
        contents_.artwork.addInk(silk, kSilkPen);
    contents_.artwork.keepOut(part->footprint().boundingRect().adjusted(-1.5, -1.5, 1.5, 1.5));
    contents_.parts.push_back(std::move(part));
    return ref;
}

DipPackage& BoardLayout::addDip(DipDesign design)
{
    design.tilt = random_.uniform(-0.6, 0.6);
    design.epoxy = Materials::shade(design.epoxy, random_.uniform(0.85, 1.2));
    DipPackage& chip = add<DipPackage>(std::move(design));
    // The pad rows beside the body are taken too.
    const QRectF body = chip.body();
    const bool vertical = body.height() > body.width();
    contents_.artwork.keepOut(vertical ? body.adjusted(-4.0, 0, 4.0, 0) : body.adjusted(0, -4.0, 0, 4.0));
    chips_.push_back(&chip);
    return chip;
}

BoardContents BoardLayout::build()
{
    for (const Mark& mark : kMarks)
        contents_.artwork.keepOut(mark.box.adjusted(-1.5, -1.5, 1.5, 1.5));
    placeSettings();
    placeLogic();
    placePassives();
    placeConnector();
    printSettingLegends();
    printReferences();
    printTitle();
    router_.emplace(copperArea());
    for (const auto& part : contents_.parts)
        for (const QPointF& pad : part->pads())
            router_->claimPad(pad, netOf(pad));
    for (const QPointF& neck : fingerNecks())
        router_->claimPad(neck, netOf(neck), 0.8);
    router_->block(QRectF(526, 2, 30, 26)); // the bracket's foot and screw
    for (const QRectF& legend : contents_.artwork.legendBoxes())
        router_->block(legend.adjusted(0.5, 0.5, -0.5, -0.5));
    routePower();
    routeSettings();
    routeConnector();
    routeFingers();
    routeBetweenChips();
    fanOutChips();
    return std::move(contents_);
}

// ---------------------------------------------------------------------------------------------------
// Components on the board

void BoardLayout::placeSettings()
{
    // Base address switch, set as shipped for 200 hex: A9 (switch 6) off, the others on.
    addressSwitch_ = &add<DipSwitch>(kBaseAddressBox.adjusted(1.0, 2.0, -1.0, -2.0),
                                     QVector<bool>{true, true, true, true, true, false});

    // Interrupt enables, both open as shipped.
    irqEnable1_ = &add<PinHeader>(kIrqEnable1Box.center() - QPointF(kPitch / 2, 0), 2, 1, QPointF(kPitch, kPitch));
    irqEnable0_ = &add<PinHeader>(kIrqEnable0Box.center() - QPointF(0, kPitch / 2), 1, 2, QPointF(kPitch, kPitch));

    // Buffer enabling: TST - centre - BEN, the shunt on the TST pair.
    buffer_ = &add<PinHeader>(kBufferBox.center() - QPointF(kPitch, 0), 3, 1, QPointF(kPitch, kPitch),
                              QVector<PinHeader::Shunt>{{{0, 0}, {1, 0}}});

    // IRQ 15, 14, 12, 11, 10: five vertical pairs side by side.
    irqRow_ = &add<PinHeader>(kIrqRowBox.center() - QPointF(2 * kPitch, kPitch / 2), 5, 2, QPointF(kPitch, kPitch));

    // IRQ 3 to 7: five horizontal pairs stacked, the shunt on IRQ 5.
    const double rowPitch = kIrqColumnBox.height() / 5;
    irqColumn_ = &add<PinHeader>(kIrqColumnBox.center() - QPointF(kPitch / 2, 2 * rowPitch), 2, 5,
                                 QPointF(kPitch, rowPitch), QVector<PinHeader::Shunt>{{{0, 2}, {1, 2}}});

    // IRQ 2: one vertical pair, its legend below it inside the same mark.
    irq2_ = &add<PinHeader>(QPointF(kIrq2Box.center().x(), kIrq2Box.top() + 10.5), 1, 2, QPointF(kPitch, kPitch));
}

void BoardLayout::placeLogic()
{
    addDip({.centre = {147, 110},
            .pins = 40,
            .rowPitches = 6,
            .marking = {"VELTRONA", "VQ7200-P", "9421 KT"},
            .logo = true});
    addDip({.centre = {134, 24}, .pins = 16, .marking = {"VQ-1380N", "9409"}});
    addDip({.centre = {224, 24}, .pins = 16, .marking = {"VQ-1532N", "9411"}});
    addDip({.centre = {326, 24}, .pins = 20, .marking = {"VQ-2441N", "9412 A"}});
    addDip({.centre = {326, 66}, .pins = 20, .label = {"QRT72-U5", "V1.3 F2A"}});
    addDip({.centre = {390, 108}, .pins = 14, .marking = {"VQ-1404N", "9408"}});
    addDip({.centre = {40, 200}, .pins = 20, .vertical = true, .marking = {"VQ-2451N", "9413"}});
    addDip({.centre = {85, 200}, .pins = 20, .vertical = true, .marking = {"VQ-2451N", "9413"}});
    addDip({.centre = {130, 200}, .pins = 20, .vertical = true, .marking = {"VQ-2441N", "9412"}});
    addDip({.centre = {210, 168}, .pins = 16, .marking = {"VQ-1680N", "9410"}});
    addDip({.centre = {210, 214}, .pins = 14, .marking = {"VQ-1432N", "9407"}});
    addDip({.centre = {335, 205}, .pins = 16, .vertical = true, .marking = {"VQ-1599N", "9414"}});
    addDip({.centre = {447, 195}, .pins = 20, .vertical = true, .marking = {"VQ-2489N", "9415"}});
    addDip({.centre = {360, 300}, .pins = 14, .marking = {"VQ-1414N", "9405"}});
    addDip({.centre = {85, 312}, .pins = 14, .marking = {"VQ-1408N", "9406"}});
    addDip({.centre = {280, 222}, .pins = 16, .marking = {"VQ-1573N", "9411"}});
    add<Oscillator>(QRectF(298, 94, 40, 40), QStringList{"VX-40S", "14.7456", "MHZ 9416"});
}

void BoardLayout::placePassives()
{
    const double span = 4 * kPitch; // resistor holes 0.4 inch apart
    auto horizontal = [&](QPointF a, std::array<QColor, 4> bands, QColor body = kCarbonFilm) {
        passives_.push_back(&add<AxialResistor>(a, a + QPointF(span, 0), bands, body));
    };
    auto vertical = [&](QPointF a, std::array<QColor, 4> bands, QColor body = kCarbonFilm) {
        passives_.push_back(&add<AxialResistor>(a, a + QPointF(0, span), bands, body));
    };
    auto ceramic = [&](QPointF centre, double angle, QColor body) {
        passives_.push_back(&add<CeramicCapacitor>(centre, angle + random_.uniform(-7, 7), body));
    };
    horizontal({381, 17}, {kBrown, kBlack, kOrange, kBandGold});
    horizontal({381, 31}, {kBrown, kBlack, kOrange, kBandGold});
    horizontal({190, 52}, {kYellow, kViolet, kRed, kBandGold});
    horizontal({190, 66}, {kYellow, kViolet, kRed, kBandGold});
    vertical({500, 54}, {kBrown, kBlack, kRed, kBandGold}, kMetalFilm);
    vertical({432, 91}, {kRed, kRed, kBrown, kBandGold});
    vertical({444, 91}, {kRed, kRed, kBrown, kBandGold});
    vertical({456, 91}, {kRed, kRed, kBrown, kBandGold});
    horizontal({66, 262}, {kBrown, kBlack, kYellow, kBandGold});
    horizontal({66, 276}, {kOrange, kOrange, kRed, kBandGold}, kMetalFilm);
    horizontal({420, 265}, {kBrown, kBlack, kOrange, kBandGold});
    horizontal({420, 280}, {kBrown, kBlack, kOrange, kBandGold});

    ceramic(QPointF(437, 24), 90.0, kCeramicYellow);
    ceramic(QPointF(118, 46), 0.0, kCeramicBlue);
    ceramic(QPointF(376, 87), 0.0, kCeramicYellow);
    ceramic(QPointF(62.5, 166), 90.0, kCeramicYellow);
    ceramic(QPointF(107.5, 166), 90.0, kCeramicYellow);
    ceramic(QPointF(155, 232), 90.0, kCeramicYellow);
    ceramic(QPointF(210, 191), 0.0, kCeramicYellow);
    ceramic(QPointF(356, 176), 90.0, kCeramicBlue);
    ceramic(QPointF(470, 170), 90.0, kCeramicYellow);
    ceramic(QPointF(130, 258), 0.0, kCeramicYellow);
    ceramic(QPointF(400, 300), 90.0, kCeramicYellow);
    ceramic(QPointF(300, 331), 0.0, kCeramicBlue);

    add<ElectrolyticCapacitor>(QPointF(30, 26), 18.0, 180.0);
    add<ElectrolyticCapacitor>(QPointF(282, 176), 21.0, 0.0);
    add<ElectrolyticCapacitor>(QPointF(32, 296), 18.0, 90.0);
    add<ElectrolyticCapacitor>(QPointF(250, 319), 17.0, 0.0);
}

void BoardLayout::placeConnector()
{
    const QRectF body(512, 72, kBracketLeft - 512, 232);
    connector_ = &add<DSubConnector>(body);
    contents_.artwork.keepOut(QRectF(body.left() - 12, body.top(), 12, body.height()));
    add<MountingBracket>(body.top(), body.bottom());
}

// ---------------------------------------------------------------------------------------------------
// Silkscreen

void BoardLayout::printSettingLegends()
{
    Artwork& art = contents_.artwork;

    art.addLegend("IEN1", 5.0, QPointF(kIrqEnable1Box.center().x(), 44.5), Align::Center);
    art.addLegend("IEN0", 5.0, QPointF(kIrqEnable0Box.right() + 2.5, kIrqEnable0Box.center().y() - 2.5));

    const double bufferY = kBufferBox.center().y() - 2.5;
    art.addLegend("TST", 5.0, QPointF(kBufferBox.left() + 1.5, bufferY), Align::Right);
    art.addLegend("BEN", 5.0, QPointF(kBufferBox.right() - 1.0, bufferY));
    art.addLegend("JP3", 4.2, QPointF(kBufferBox.center().x(), kBufferBox.bottom() + 2.5), Align::Center);

    // The switch block: "ON" with an arrow to the ON side, its name and the switch numbers.
    const QRectF sw = kBaseAddressBox.adjusted(1.0, 2.0, -1.0, -2.0);
    art.addLegend("ON", 4.5, QPointF(sw.left() - 3.5, sw.top() + 1.5), Align::Right);
    QPainterPath arrow;
    const QPointF tip(sw.left() - 18.0, sw.top() + 0.8);
    arrow.moveTo(tip + QPointF(0, 6.5));
    arrow.lineTo(tip);
    arrow.moveTo(tip + QPointF(-1.8, 2.0));
    arrow.lineTo(tip);
    arrow.lineTo(tip + QPointF(1.8, 2.0));
    art.addInk(arrow, 0.7);
    art.addLegend("SW1", 4.5, QPointF(sw.left() - 3.5, sw.top() + 13.0), Align::Right);
    for (int j = 0; j < 6; ++j)
        art.addLegend(QString::number(j + 1), 4.0,
                      QPointF(sw.center().x() + (j - 2.5) * kPitch, sw.bottom() + 4.0), Align::Center);

    // IRQ row: the line numbers above the pairs, "IRQ" to the left.
    const QStringList rowIrqs{"15", "14", "12", "11", "10"};
    for (int k = 0; k < rowIrqs.size(); ++k)
        art.addLegend(rowIrqs[k], 4.2,
                      QPointF(kIrqRowBox.center().x() + (k - 2) * kPitch, kIrqRowBox.top() - 7.5), Align::Center,
                      0.62);
    art.addLegend("IRQ", 5.0, QPointF(kIrqRowBox.left() - 3.0, kIrqRowBox.center().y() - 2.5), Align::Right);

    // IRQ column: 3 to 7 on the left, "IRQ" above.
    const double rowPitch = kIrqColumnBox.height() / 5;
    for (int k = 0; k < 5; ++k)
        art.addLegend(QString::number(3 + k), 4.2,
                      QPointF(kIrqColumnBox.left() - 1.5, kIrqColumnBox.top() + rowPitch * (k + 0.5) - 2.1),
                      Align::Right, 0.62);
    art.addLegend("IRQ", 4.5, QPointF(kIrqColumnBox.center().x(), kIrqColumnBox.top() - 8.0), Align::Center);

    // IRQ 2 below its pair.
    art.addLegend("2", 4.5, QPointF(kIrq2Box.center().x(), kIrq2Box.top() + 27.5), Align::Center, 0.65);
}

void BoardLayout::printReferences()
{
    Artwork& art = contents_.artwork;
    struct Reference {
        const char* text;
        QPointF origin;
        Align align;
    };
    const Reference references[] = {
        {"U1", {55, 107.5}, Align::Right},     {"U2", {92.5, 21.5}, Align::Right},
        {"U3", {182.5, 21.5}, Align::Right},   {"U4", {276, 21.5}, Align::Right},
        {"U5", {276, 63.5}, Align::Right},     {"U6", {352.5, 105.5}, Align::Right},
        {"U7", {40, 150.8}, Align::Center},    {"U8", {85, 150.8}, Align::Center},
        {"U9", {130, 150.8}, Align::Center},   {"U10", {169.5, 165.5}, Align::Right},
        {"U11", {173.5, 211.5}, Align::Right}, {"U12", {335, 164.5}, Align::Center},
        {"U13", {447, 146.5}, Align::Center},  {"U14", {322.5, 297.5}, Align::Right},
        {"U15", {48, 309.5}, Align::Right},    {"U16", {280, 201.5}, Align::Center},
        {"X1", {318, 86.5}, Align::Center},    {"J1", {496, 183}, Align::Right},
        {"R1", {376, 15}, Align::Right},       {"R2", {376, 29}, Align::Right},
        {"R3", {185, 50}, Align::Right},       {"R4", {185, 64}, Align::Right},
        {"R5", {496, 68}, Align::Right},       {"R6", {432, 130}, Align::Center},
        {"R7", {444, 130}, Align::Center},     {"R8", {456, 130}, Align::Center},
        {"R9", {61, 260}, Align::Right},       {"R10", {61, 274}, Align::Right},
        {"R11", {415, 263}, Align::Right},     {"R12", {415, 278}, Align::Right},
        {"C1", {30, 38.5}, Align::Center},     {"C2", {437, 31}, Align::Center},
        {"C3", {118, 51}, Align::Center},      {"C4", {376, 92}, Align::Center},
        {"C5", {62.5, 173}, Align::Center},    {"C6", {107.5, 173}, Align::Center},
        {"C7", {155, 239}, Align::Center},     {"C8", {210, 196}, Align::Center},
        {"C9", {356, 183}, Align::Center},     {"C10", {470, 177}, Align::Center},
        {"C11", {130, 263}, Align::Center},    {"C12", {400, 307}, Align::Center},
        {"C13", {300, 336}, Align::Center},    {"C14", {282, 189.5}, Align::Center},
        {"C15", {44, 288}, Align::Left},       {"C16", {250, 330}, Align::Center},
    };
    for (const Reference& r : references)
        art.addLegend(QString::fromLatin1(r.text), 4.0, r.origin, r.align, 0.58);
}

void BoardLayout::printTitle()
{
    Artwork& art = contents_.artwork;
    art.addLegend("VELTRONA", 6.5, QPointF(215, 246), Align::Left, 0.95);
    art.addLegend("QRT-72(S)", 8.0, QPointF(215, 256), Align::Left, 1.1);
    art.addLegend("MXR72S/BT-K", 4.5, QPointF(215, 268.5), Align::Left, 0.65);
    art.addLegend("REV C  (C)1994", 3.8, QPointF(215, 277), Align::Left, 0.55);
    art.addLegend("ASSY 72-0413", 3.8, QPointF(215, 284), Align::Left, 0.55);
}

// ---------------------------------------------------------------------------------------------------
// Copper

qint64 BoardLayout::key(QPointF p)
{
    return static_cast<qint64>(std::lround(p.x() * 10)) * 100000 + std::lround(p.y() * 10);
}

QPainterPath BoardLayout::copperArea()
{
    // The masked part of the board, keeping 3 pixels from the milled edges.
    const QPainterPath board = Substrate::outline();
    QPainterPath masked;
    masked.addRect(QRectF(0, 0, kPhotoWidth, kFingerTop - 3.5));
    QPainterPathStroker edge;
    edge.setWidth(6.0);
    return board.intersected(masked).subtracted(edge.createStroke(board));
}

Router::Net BoardLayout::netOf(QPointF pad)
{
    const auto found = nets_.constFind(key(pad));
    if (found != nets_.constEnd())
        return *found;
    const Router::Net net = router_->newNet();
    nets_.insert(key(pad), net);
    return net;
}

bool BoardLayout::link(QPointF a, QPointF b, double width)
{
    if (!router_->connect(a, netOf(a), b, netOf(b), width, contents_.artwork))
        return false;
    used_.insert(key(a));
    used_.insert(key(b));
    return true;
}

bool BoardLayout::dropToVia(QPointF pad, QPointF heading)
{
    const double length = std::hypot(heading.x(), heading.y());
    heading /= length;
    const QPointF side(-heading.y(), heading.x());
    const Router::Net net = netOf(pad);
    for (double reach : {6.3, 8.4, 10.5, 12.6, 16.8, 21.0, 25.2, 29.4}) {
        for (double offset : {0.0, 4.2, -4.2, 8.4, -8.4}) {
            const QPointF via = pad + heading * reach + side * offset;
            if (!router_->viaFits(via, net) || !contents_.artwork.isFree(via, 2.2))
                continue;
            nets_.insert(key(via), net);
            router_->claimPad(via, net);
            if (!router_->connect(pad, net, via, net, 1.2, contents_.artwork))
                continue;
            contents_.artwork.addVia(via, 1.9, random_.uniform() < 0.3);
            used_.insert(key(pad));
            used_.insert(key(via));
            return true;
        }
    }
    return false;
}

QVector<QPointF> BoardLayout::nearestFree(QPointF from, const QVector<QPointF>& candidates, int count,
                                          double maxDistance) const
{
    QVector<QPair<double, QPointF>> ranked;
    for (const QPointF& c : candidates) {
        const double d = std::hypot(c.x() - from.x(), c.y() - from.y());
        if (d > 1.0 && d <= maxDistance && !used(c))
            ranked.append({d, c});
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& l, const auto& r) { return l.first < r.first; });
    QVector<QPointF> nearest;
    for (int i = 0; i < ranked.size() && i < count; ++i)
        nearest.append(ranked[i].second);
    return nearest;
}

void BoardLayout::routePower()
{
    Artwork& art = contents_.artwork;
    const Router::Net ground = router_->newNet();
    auto power = [this, &art, ground](const QVector<QPointF>& points, double width) {
        art.addTrace(points, width);
        router_->claimTrace(points, width, ground);
    };
    // The ground ring along the top and left edges; the address switches' ON side ties straight to it.
    const double ring = 5.6;
    power({{524, ring}, {16.5, ring}, {14.5, ring + 2}, {14.5, 338}}, 2.6);
    art.addVia({14.5, 340.5}, 2.3);
    art.addVia({524.5, ring}, 2.3);
    for (int j = 0; j < 6; ++j) {
        const QPointF pad = addressSwitch_->pad(j, true);
        power({{pad.x(), ring}, pad}, 1.4);
    }
    // Supply feeds to the top row of chips (pin 1 at the left, supply on the last pin).
    for (int u : {2, 3, 4}) {
        const QPointF supply = chip(u).leads().last().pad;
        power({{supply.x(), ring}, supply}, 1.6);
        used_.insert(key(supply));
    }
    // Ground returns at the connector's end fingers.
    const double last = kMainFirstFinger + (kMainFingers - 1) * kPitch;
    power({{last, kFingerTop - 2}, {last, 330}, {534, 323.8}, {534, 306}}, 2.6);
    const double first = kExtensionFirstFinger;
    power({{first, kFingerTop - 2}, {first, 337.5}}, 2.6);
    art.addVia({first, 335.5}, 2.3);
}

void BoardLayout::routeSettings()
{
    auto padsOf = [this](std::initializer_list<int> references) {
        QVector<QPointF> pads;
        for (int u : references)
            pads += chip(u).pads();
        return pads;
    };
    auto toNearest = [this](QPointF from, const QVector<QPointF>& candidates, QPointF fallback) {
        for (const QPointF& target : nearestFree(from, candidates, 4, 170.0))
            if (link(from, target))
                return;
        dropToVia(from, fallback);
    };

    // Address switches, OFF side: to the decoding logic.
    for (int j = 0; j < 6; ++j)
        toNearest(addressSwitch_->pad(j, false), padsOf({5, 6}), QPointF(0, 1));

    // Interrupt enables.
    toNearest(irqEnable1_->pin(1, 0), padsOf({1}), QPointF(0, 1));
    dropToVia(irqEnable1_->pin(0, 0), QPointF(-1, 0));
    toNearest(irqEnable0_->pin(0, 0), padsOf({1}), QPointF(-1, 0));
    toNearest(irqEnable0_->pin(0, 1), padsOf({10}), QPointF(0, 1));

    // Buffer enabling: TST and the centre to the control logic, BEN to ground through a via.
    toNearest(buffer_->pin(0, 0), padsOf({5}), QPointF(-1, 1));
    toNearest(buffer_->pin(1, 0), padsOf({6}), QPointF(0, 1));
    dropToVia(buffer_->pin(2, 0), QPointF(0, 1));

    // IRQ column: the right-hand pins share the interrupt output. The left-hand pins, one bus line
    // each, are reached from the far side so that their legends stay clear.
    for (int k = 0; k + 1 < 5; ++k)
        link(irqColumn_->pin(1, k), irqColumn_->pin(1, k + 1));
    toNearest(irqColumn_->pin(1, 4), padsOf({13}), QPointF(1, 0));

    // IRQ row: the upper pins share the output, the lower ones drop to their bus lines.
    for (int k = 0; k + 1 < 5; ++k)
        link(irqRow_->pin(k, 0), irqRow_->pin(k + 1, 0));
    toNearest(irqRow_->pin(0, 0), padsOf({9, 11}), QPointF(-1, 0));
    for (int k = 0; k < 5; ++k)
        dropToVia(irqRow_->pin(k, 1), QPointF(0, 1));

    // IRQ 2.
    toNearest(irq2_->pin(0, 0), padsOf({13}), QPointF(0, -1));
    dropToVia(irq2_->pin(0, 1), QPointF(1, 1));
}

void BoardLayout::routeConnector()
{
    // Each socket contact to the line driver where one is free, otherwise down through a via. The
    // inner row's traces first squeeze out between the outer row's pads.
    const QVector<QPointF> driver = chip(13).pads();
    const QVector<QPointF> pads = connector_->pads();
    for (int i = 0; i < pads.size(); ++i) {
        QPointF start = pads[i];
        if (i < DSubConnector::kInnerRow) {
            const QPointF escape(start.x() - 11.0, start.y());
            const Router::Net net = netOf(start);
            contents_.artwork.addTrace({start, escape}, 1.1);
            router_->claimTrace({start, escape}, 1.1, net);
            nets_.insert(key(escape), net);
            used_.insert(key(start));
            start = escape;
        }
        bool done = false;
        for (const QPointF& target : nearestFree(start, driver, 2, 70.0))
            if ((done = link(start, target)))
                break;
        if (!done)
            dropToVia(start, QPointF(-1, random_.uniform(-0.4, 0.4)));
    }
}

void BoardLayout::routeFingers()
{
    // Every finger in use first gets its straight lead-out, staggered in length, so that no other
    // trace cuts across it; from its end it runs on to a chip or down through a via.
    struct LeadOut {
        QPointF end;
        Router::Net net;
    };
    QVector<LeadOut> leadOuts;
    const QVector<QPointF> necks = fingerNecks();
    for (int i = 0; i < necks.size(); ++i) {
        const QPointF neck = necks[i];
        if (random_.uniform() < 0.2)
            continue;
        const QPointF end(neck.x(), neck.y() - 4.2 - 4.2 * (i % 3));
        const Router::Net net = netOf(neck);
        if (!router_->viaFits(end, net))
            continue;
        contents_.artwork.addTrace({{neck.x(), kFingerTop - 2}, end}, 1.3);
        router_->claimTrace({neck, end}, 1.3, net);
        nets_.insert(key(end), net);
        leadOuts.append({end, net});
    }

    QVector<QPointF> targets;
    for (const DipPackage* chip : chips_)
        targets += chip->pads();
    for (const LeadOut& lead : leadOuts) {
        bool done = false;
        if (random_.uniform() < 0.6) {
            QVector<QPointF> upward;
            for (const QPointF& t : targets)
                if (t.y() < lead.end.y() - 20 && std::fabs(t.x() - lead.end.x()) < 90)
                    upward.append(t);
            for (const QPointF& target : nearestFree(lead.end, upward, 3, 150.0))
                if ((done = link(lead.end, target, 1.3)))
                    break;
        }
        if (!done)
            dropToVia(lead.end, QPointF(0, -1));
    }
}

void BoardLayout::routeBetweenChips()
{
    QVector<QPointF> others;
    for (const auto& part : contents_.parts)
        others += part->pads();
    for (const DipPackage* chip : chips_) {
        const QVector<QPointF> own = chip->pads();
        for (const QPointF& pad : own) {
            if (used(pad) || random_.uniform() < 0.25)
                continue;
            QVector<QPointF> candidates;
            for (const QPointF& o : others)
                if (!own.contains(o))
                    candidates.append(o);
            for (const QPointF& target : nearestFree(pad, candidates, 5, 130.0))
                if (link(pad, target))
                    break;
        }
    }
    for (const Part* passive : passives_)
        for (const QPointF& pad : passive->pads()) {
            if (used(pad))
                continue;
            bool done = false;
            for (const QPointF& target : nearestFree(pad, others, 3, 60.0))
                if ((done = link(pad, target)))
                    break;
            if (!done)
                dropToVia(pad, QPointF(0, 1));
        }
}

void BoardLayout::fanOutChips()
{
    // Many leads go straight to the far side through a via beside the pad, leaving at a slant.
    for (const DipPackage* chip : chips_) {
        for (const DipPackage::Lead& lead : chip->leads()) {
            if (used(lead.pad) || random_.uniform() >= 0.75)
                continue;
            const QPointF along(lead.outward.y(), -lead.outward.x());
            dropToVia(lead.pad, lead.outward + along * random_.uniform(-0.6, 0.6));
        }
    }
}
