#include "WidgetPainting.h"

#include "components/SettingWidgets.h"

#include "platform/Forms.h"

#include <gtest/gtest.h>

namespace {
// At 120 pixels per inch the label font is round(8 · 120 / 72) = 13 pixels high, so on the 102 x 61
// frame the body ends at Y0 = 61 - 26 - 1 = 34, the slots at SB = 31, e = 9 and the knobs are K = 7 long.
TEST(SwitchBlockAt120Dpi, LeavesRoomForTheTallerLabels)
{
    ASSERT_EQ(Screen->PixelsPerInch(), 120);
    PanelBench bench;
    auto* block = bench.Add<TBaseAddress>(102, 61);
    block->SetBaseAddressStr(QStringLiteral("8")); // bit 3: the leftmost of the seven switches
    TProbes probes = {{50, 33, clBlack}, {50, 34, clGreen}, {101, 34, clGreen}};
    // The far knob (3, 24, 15, 31) of switch 0; the ON knob (17, 13, 29, 20) of switch 1.
    Append(probes, EdgeProbes(Rect(3, 24, 15, 31), clBlack));
    Append(probes, {{9, 27, clWhite}, {9, 23, clGray}, {9, 16, clGray}});
    Append(probes, EdgeProbes(Rect(17, 13, 29, 20), clBlack));
    Append(probes, {{23, 16, clWhite}, {23, 20, clGray}, {23, 27, clGray}, {23, 31, clBlack}});
    ExpectProbes(bench.Paint(), *block, probes);
}
} // namespace
