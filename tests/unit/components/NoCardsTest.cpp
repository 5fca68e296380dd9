#include "SupporterFixture.h"

#include "driver/Halvex.h"

// The driver library on the search path reports no card (a count of 0, or a negative one). The suite is
// named after the count each run sees (NO_CARDS_SUITE, a compile definition).

namespace {

struct NoCardsCase {
    const char* Name = "";
    bool Series = true;
    QString Header;
    friend void PrintTo(const NoCardsCase& c, std::ostream* out) { *out << c.Name; }
};

class NO_CARDS_SUITE : public SupporterTest, public testing::WithParamInterface<NoCardsCase> {};

TEST_P(NO_CARDS_SUITE, SaysNoCardFound)
{
    const NoCardsCase& c = GetParam();
    int asked = 0;
    Sup->OnGetCardString = TPCIEvent(Sup, [&](TObject*, int32_t) {
        ++asked;
        return QStringLiteral("card");
    }, 1);
    Sup->SetbSeries(c.Series);

    Sup->BuildSupport();

    ASSERT_NE(Halvex::GetNumCards, nullptr);
    EXPECT_LE(Halvex::GetNumCards(), 0);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(Sup->PCIForm()->PCIMemo->Text(), "No Card Found");
    EXPECT_EQ(Sup->HeaderLabel()->Caption(), c.Header);
}

INSTANTIATE_TEST_SUITE_P(, NO_CARDS_SUITE,
                         testing::Values(NoCardsCase{"Series", true, "No QRT-72(S) Series Card Found"},
                                         NoCardsCase{"NoSeries", false, "No QRT-72(S) Found"}),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
