#include "WidgetPainting.h"

#include "components/SettingWidgets.h"

#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
// At 96 pixels per inch the label font is round(8 · 96 / 72) = 11 pixels high.
constexpr int LabelHeight = 11;

// ---------------------------------------------------------------------------------------------------------
// The picture: a black body (0, 0, w, Y0) with grey slots (x, 13, x + P, SB), the green strip (0, Y0, w, h)
// below it, and each knob (K rows long) at the ON end (top) or at the far end of its slot.

struct BlockCase {
    const char* Name;
    int Width;
    int Height;
    TOrientationType Orientation;
    uint8_t SwitchesWhenSet; // the number of switches when the address is set
    uint8_t Switches;        // the number of switches when painted
    const char* Address;
    bool OnIsOne;
    bool LeftToRight;
    // From the layout rules for the upright frame.
    std::vector<int> SlotLefts;
    int SlotWidth;
    int SlotBottom;
    int KnobLength;
    std::vector<bool> KnobAtFarEnd;
};

TProbes SwitchBlockProbes(const BlockCase& c, int w, int h)
{
    const int bodyBottom = h - 2 * LabelHeight - 1;
    TProbes probes = {{w / 2, 5, clBlack}, {w - 1, 0, clBlack}, {1, h - 1, clGreen}, {w - 1, bodyBottom, clGreen}};
    const int onKnobBottom = 13 + c.KnobLength;
    const int farKnobTop = c.SlotBottom - c.KnobLength;
    for (size_t j = 0; j < c.SlotLefts.size(); ++j) {
        const int x = c.SlotLefts[j];
        const int mid = x + c.SlotWidth / 2;
        const TRect slot = Rect(x, 13, x + c.SlotWidth, c.SlotBottom);
        Append(probes, EdgeProbes(slot, clBlack));
        Append(probes, AroundProbes(slot, clBlack));
        // The slot between the two knob places, and the body between slot and strip.
        Append(probes, {{mid, onKnobBottom, clGray}, {mid, farKnobTop - 1, clGray}, {mid, c.SlotBottom + 1, clBlack}});
        // Between two switches that don't touch the strip shows no label.
        const bool gapFollows = j + 1 == c.SlotLefts.size() || c.SlotLefts[j + 1] - (x + c.SlotWidth) >= 2;
        if (gapFollows)
            probes.push_back({x + c.SlotWidth + 1, h - 2, clGreen});
        const TRect on = Rect(x, 13, x + c.SlotWidth, onKnobBottom);
        const TRect far = Rect(x, farKnobTop, x + c.SlotWidth, c.SlotBottom);
        const TRect knob = c.KnobAtFarEnd[j] ? far : on;
        const TRect empty = c.KnobAtFarEnd[j] ? on : far;
        Append(probes, EdgeProbes(knob, clBlack));
        probes.push_back({mid, (knob.Top + knob.Bottom) / 2, clWhite});
        probes.push_back({mid, (empty.Top + empty.Bottom) / 2, clGray});
    }
    return probes;
}

class SwitchBlockPicture : public testing::TestWithParam<BlockCase> {};

TEST_P(SwitchBlockPicture, ShowsEachKnobAtTheEndItsBitAsks)
{
    const BlockCase& c = GetParam();
    ASSERT_EQ(Screen->PixelsPerInch(), 96);
    PanelBench bench;
    auto* block = bench.Add<TBaseAddress>(c.Width, c.Height, c.Orientation);
    block->SetNumSwitches(c.SwitchesWhenSet);
    block->SetOnIsOne(c.OnIsOne);
    block->SetLeftToRight(c.LeftToRight);
    block->SetBaseAddressStr(QString::fromLatin1(c.Address));
    block->SetNumSwitches(c.Switches);
    const bool vertical = IsVerticalOrientation(c.Orientation);
    const int w = vertical ? c.Height : c.Width;
    const int h = vertical ? c.Width : c.Height;
    ExpectProbes(bench.Paint(), *block, SwitchBlockProbes(c, w, h));
}

const std::vector<int> SixSlots = {3, 19, 35, 51, 67, 83};      // P = 14, S = 3, pitch 16 on 102 pixels
const std::vector<int> SevenSlots = {3, 17, 31, 45, 59, 73, 87}; // P = 12, S = 3, pitch 14

INSTANTIATE_TEST_SUITE_P(
    Cases, SwitchBlockPicture,
    testing::Values(
        // 0x200 on A4 ... A9: only bit 9 is 1, so only the last switch sits at its far end.
        BlockCase{"BaseBA200", 61, 102, otRight, 6, 6, "200", false, false, SixSlots, 14, 35, 9,
                  {false, false, false, false, false, true}},
        BlockCase{"BaseBA3F0", 61, 102, otRight, 6, 6, "3F0", false, false, SixSlots, 14, 35, 9,
                  {true, true, true, true, true, true}},
        BlockCase{"DefaultBlockAtZero", 102, 61, otUp, 7, 7, "0", false, false, SevenSlots, 12, 35, 9,
                  {false, false, false, false, false, false, false}},
        BlockCase{"OnMeansOne", 102, 61, otUp, 6, 6, "200", true, false, SixSlots, 14, 35, 9,
                  {true, true, true, true, true, false}},
        BlockCase{"LeftToRight", 102, 61, otUp, 6, 6, "200", false, true, SixSlots, 14, 35, 9,
                  {true, false, false, false, false, false}},
        // 0x208 set on seven switches keeps bit 3, which six switches no longer show.
        BlockCase{"FewerSwitchesAfterwards", 102, 61, otUp, 7, 6, "208", false, false, SixSlots, 14, 35, 9,
                  {false, false, false, false, false, true}},
        // More than ten switches would run past bit 0: the block keeps ten (P = 9, S = 1, pitch 9).
        BlockCase{"AtMostTenSwitches", 102, 61, otUp, 255, 255, "3FF", false, false,
                  {1, 10, 19, 28, 37, 46, 55, 64, 73, 82}, 9, 35, 9,
                  {true, true, true, true, true, true, true, true, true, true}},
        // No switch at all would divide by zero: the block keeps one, for bit 9 (P = 49, S = 51).
        BlockCase{"AtLeastOneSwitch", 102, 61, otUp, 0, 0, "3FF", false, false, {51}, 49, 35, 9, {true}}),
    [](const testing::TestParamInfo<BlockCase>& info) { return std::string(info.param.Name); });

// ---------------------------------------------------------------------------------------------------------
// "ON" in white at the top-left of the body, and the labels: "A" at (X, Y0) above the line number at
// (X, Y0 + fh - 1), X = x + P div 2 - (width of "A") div 2.

// A canvas with the label font: "MS Sans Serif", 8 points at 96 pixels per inch, white, no background.
void UseLabelFont(TCanvas& canvas)
{
    canvas.Font()->SetName(QStringLiteral("MS Sans Serif"));
    canvas.Font()->SetHeight(-LabelHeight);
    canvas.Font()->SetColor(clWhite);
    canvas.Brush()->SetStyle(bsClear);
}

struct LabelCase {
    const char* Name;
    bool LeftToRight;
    std::vector<int> Lines; // the address line under each switch, from the left
};

class SwitchLabels : public testing::TestWithParam<LabelCase> {};

// The labels follow the bits the knobs show, whichever way the switches count.
TEST_P(SwitchLabels, NameTheBitOfEachKnob)
{
    const LabelCase& c = GetParam();
    PanelBench bench;
    auto* block = bench.Add<TBaseAddress>(102, 61);
    block->SetNumSwitches(6);
    block->SetLeftToRight(c.LeftToRight);
    const QImage surface = bench.Paint();

    const int bodyBottom = 61 - 2 * LabelHeight - 1;
    TBitmap expected;
    expected.SetSize(102, 61 - bodyBottom);
    TCanvas& canvas = *expected.Canvas();
    canvas.Brush()->SetColor(clGreen);
    canvas.FillRect(Rect(0, 0, 102, expected.Height()));
    UseLabelFont(canvas);
    const int letterWidth = canvas.TextWidth(QStringLiteral("A"));
    for (size_t j = 0; j < c.Lines.size(); ++j) {
        const int x = SixSlots[j] + 14 / 2 - letterWidth / 2;
        canvas.TextOut(x, 0, QStringLiteral("A"));
        canvas.TextOut(x, LabelHeight - 1, QString::number(c.Lines[j]));
    }
    const QImage& strip = expected.Image();
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            ASSERT_EQ(UprightPixel(surface, *block, x, bodyBottom + y), QColorToColor(QColor::fromRgb(strip.pixel(x, y))))
                << "strip pixel (" << x << ", " << y << ")";
}

INSTANTIATE_TEST_SUITE_P(Cases, SwitchLabels,
                         testing::Values(LabelCase{"LowestBitLeft", false, {4, 5, 6, 7, 8, 9}},
                                         LabelCase{"HighestBitLeft", true, {9, 8, 7, 6, 5, 4}}),
                         [](const testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.Name); });

// White text on black, smoothed at its edges.
bool IsLight(TColor pixel)
{
    return (pixel & 0xFF) > 0x80 && ((pixel >> 8) & 0xFF) > 0x80 && ((pixel >> 16) & 0xFF) > 0x80;
}

TEST(SwitchBlockText, OnStandsAtTheTopLeftOfTheBody)
{
    PanelBench bench;
    auto* block = bench.Add<TBaseAddress>(102, 61);
    const QImage surface = bench.Paint();
    TBitmap measure;
    measure.SetSize(1, 1);
    UseLabelFont(*measure.Canvas());
    const int onWidth = measure.Canvas()->TextWidth(QStringLiteral("ON"));
    int lettersInside = 0;
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 102; ++x) {
            const TColor pixel = UprightPixel(surface, *block, x, y);
            if (x < onWidth && y < LabelHeight + 2)
                lettersInside += IsLight(pixel);
            else
                ASSERT_EQ(pixel, clBlack) << "body pixel (" << x << ", " << y << ")";
        }
    EXPECT_GT(lettersInside, 10) << "the letters of ON";
}

// The ON text turns with the picture: on the board's block (otRight) it stands at the top right, reading
// downward, and the strip lies along the left side.
TEST(SwitchBlockText, TurnsWithThePicture)
{
    PanelBench bench;
    bench.Add<TBaseAddress>(61, 102, otRight, 0, 0);
    const QImage surface = bench.Paint();
    int whiteTopRight = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 61 - LabelHeight - 1; x < 61; ++x)
            whiteTopRight += IsLight(PixelAt(surface, x, y));
    EXPECT_GT(whiteTopRight, 10);
    EXPECT_EQ(PixelAt(surface, 1, 50), ColorToRGB(clGreen)) << "the strip along the left side";
}

// ---------------------------------------------------------------------------------------------------------
// BaseAddressStr: upper-case, keep the hexadecimal digits, mask with bits 9 .. 10 - N, store the value in
// upper-case hexadecimal when it changed. Every row starts from six switches holding 0x200 as "200".

struct AddressCase {
    const char* Text;
    const char* Stored;
    std::optional<const char*> Error; // the cleaned digits in the conversion error
};

class BaseAddressText : public testing::TestWithParam<AddressCase> {};

TEST_P(BaseAddressText, IsCleanedMaskedAndStored)
{
    const AddressCase& c = GetParam();
    TBaseAddress block(nullptr);
    block.SetNumSwitches(6);
    block.SetBaseAddressStr(QStringLiteral("200"));
    ASSERT_EQ(block.BaseAddressStr(), QStringLiteral("200"));
    if (c.Error) {
        try {
            block.SetBaseAddressStr(QString::fromUtf8(c.Text));
            ADD_FAILURE() << "no conversion error";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("'$%1' is not a valid integer value").arg(QLatin1String(*c.Error)));
        }
    } else {
        block.SetBaseAddressStr(QString::fromUtf8(c.Text));
    }
    EXPECT_EQ(block.BaseAddressStr(), QString::fromLatin1(c.Stored));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BaseAddressText,
    testing::Values(AddressCase{"3f0", "3F0", {}}, AddressCase{"0x300", "300", {}}, AddressCase{"$2A0", "2A0", {}},
                    AddressCase{"2a0h", "2A0", {}}, AddressCase{"201", "200", {}}, AddressCase{"1000", "0", {}},
                    AddressCase{"", "200", {}}, AddressCase{"xyz", "200", {}},
                    AddressCase{"123456789", "200", "123456789"}, AddressCase{"000", "0", {}},
                    AddressCase{"FFFFFFFF", "3F0", {}}, AddressCase{"100000000", "200", "100000000"},
                    AddressCase{"50", "50", {}}, AddressCase{"  3f0\t", "3F0", {}}, AddressCase{" 2 a 0 ", "2A0", {}},
                    AddressCase{"abc", "2B0", {}}, AddressCase{"0000000003f0", "3F0", {}},
                    AddressCase{"000000000100000000", "200", "000000000100000000"},
                    AddressCase{"\xC3\xA4\xEF\xBD\x81" "3f0", "3F0", {}}, // ä and a full-width a are no digits
                    AddressCase{"ghijk", "200", {}}),
    [](const testing::TestParamInfo<AddressCase>& info) { return "Row" + std::to_string(info.index); });

TEST(BaseAddressValue, StartsAtZero)
{
    TBaseAddress block(nullptr);
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("0"));
    block.SetBaseAddressStr(QStringLiteral("000"));
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("0"));
}

TEST(BaseAddressValue, KeepsItsTextWhenTheMaskedValueIsTheSame)
{
    TBaseAddress block(nullptr);
    block.SetNumSwitches(6);
    block.SetBaseAddressStr(QStringLiteral("0300"));
    block.SetBaseAddressStr(QStringLiteral("30F"));
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("300"));
}

// Fewer switches don't re-mask the stored address; the next text is masked with the new number.
TEST(BaseAddressValue, IsMaskedByTheSwitchesPresentWhenSet)
{
    TBaseAddress block(nullptr);
    ASSERT_EQ(block.NumSwitches(), 7);
    block.SetBaseAddressStr(QStringLiteral("208"));
    ASSERT_EQ(block.BaseAddressStr(), QStringLiteral("208"));
    block.SetNumSwitches(6);
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("208"));
    block.SetBaseAddressStr(QStringLiteral("208"));
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("200"));
    block.SetNumSwitches(10);
    block.SetBaseAddressStr(QStringLiteral("3ff"));
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("3FF"));
    block.SetNumSwitches(1);
    block.SetBaseAddressStr(QStringLiteral("3ff"));
    EXPECT_EQ(block.BaseAddressStr(), QStringLiteral("200"));
}

TEST(BaseAddressValue, ARefusedTextLeavesThePictureAsItWas)
{
    PanelBench bench;
    auto* block = bench.Add<TBaseAddress>(61, 102, otRight);
    block->SetNumSwitches(6);
    block->SetBaseAddressStr(QStringLiteral("2A0"));
    const QImage before = bench.Paint();
    EXPECT_THROW(block->SetBaseAddressStr(QStringLiteral("123456789")), EConvertError);
    EXPECT_EQ(block->BaseAddressStr(), QStringLiteral("2A0"));
    EXPECT_TRUE(bench.Paint() == before);
}

struct SwitchCountCase {
    int Requested;
    int Kept;
};

class SwitchCount : public testing::TestWithParam<SwitchCountCase> {};

TEST_P(SwitchCount, StaysWithinOneToTen)
{
    TBaseAddress block(nullptr);
    block.SetNumSwitches(static_cast<uint8_t>(GetParam().Requested));
    EXPECT_EQ(block.NumSwitches(), GetParam().Kept);
}

INSTANTIATE_TEST_SUITE_P(Cases, SwitchCount,
                         testing::Values(SwitchCountCase{0, 1}, SwitchCountCase{1, 1}, SwitchCountCase{6, 6},
                                         SwitchCountCase{10, 10}, SwitchCountCase{11, 10}, SwitchCountCase{255, 10}));
} // namespace
