#include "SupporterFixture.h"

#include "driver/HalvexTestSupport.h"

// The driver library on the search path reports three cards; the program's event gives their lines.

namespace {

struct CardsCase {
    const char* Name = "";
    QStringList Answers;  // the event's line for card 0, 1, 2
    QStringList Listed;   // what the memo shows
    QString Header;
    friend void PrintTo(const CardsCase& c, std::ostream* out) { *out << c.Name; }
};

class CardsWindowThreeCards : public SupporterTest, public testing::WithParamInterface<CardsCase> {};

TEST_P(CardsWindowThreeCards, ListsTheLinesTheProgramGives)
{
    const CardsCase& c = GetParam();
    std::vector<int> asked;
    Sup->OnGetCardString = TPCIEvent(Sup, [&](TObject* sender, int32_t index) {
        EXPECT_EQ(sender, Sup);
        asked.push_back(index);
        return c.Answers.value(index);
    }, 1);

    Sup->BuildSupport();

    EXPECT_TRUE(Halvex::DriverLoaded);
    EXPECT_EQ(StandInsThatRan(), LibraryFileAt(reinterpret_cast<void*>(Halvex::GetNumCards)));
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
    ASSERT_NE(Sup->PCIForm(), nullptr);
    EXPECT_EQ(Sup->PCIForm()->PCIMemo->Lines()->ToStringList(), c.Listed);
    EXPECT_EQ(Sup->HeaderLabel()->Caption(), c.Header);
    EXPECT_TRUE(Sup->PCIForm()->Visible());
}

INSTANTIATE_TEST_SUITE_P(
    , CardsWindowThreeCards,
    testing::Values(
        CardsCase{"EveryCardAnswers",
                  {"QRT-72(S) at 0x300", "QRT-72(S) at 0x310", "QRT-72(S) at 0x320"},
                  {"QRT-72(S) at 0x300", "QRT-72(S) at 0x310", "QRT-72(S) at 0x320"},
                  "QRT-72(S) Series Settings Program"},
        CardsCase{"OnlyTheMiddleCardAnswers", {"", "QRT-72(S) at 0x310", ""}, {"QRT-72(S) at 0x310"},
                  "QRT-72(S) Series Settings Program"},
        CardsCase{"NoCardAnswers", {"", "", ""}, {"No Card Found"}, "No QRT-72(S) Series Card Found"}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
