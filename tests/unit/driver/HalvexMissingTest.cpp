#include "HalvexTestSupport.h"

#include <gtest/gtest.h>

// No library reachable through the search path. Some runs start in a folder that holds a complete
// library while the search path reaches that folder only through relative or empty entries; it must
// be neither used nor given the chance to run code.

TEST(HalvexWithoutLibrary, LoadLeavesEverythingEmpty)
{
    const std::vector<TReference> empty = CurrentReferences();
    for (const TReference& reference : empty)
        EXPECT_EQ(reference.Address, nullptr) << reference.Name;
    EXPECT_FALSE(Halvex::DriverLoaded);

    Halvex::LoadDriverLibrary();
    Halvex::LoadDriverLibrary();

    EXPECT_EQ(CurrentReferences(), empty);
    EXPECT_FALSE(Halvex::DriverLoaded);
    EXPECT_EQ(StandInsThatRan(), "");
}

namespace {

int32_t HALVEX_CALL TwoCards()
{
    return 2;
}

} // namespace

TEST(HalvexWithoutLibrary, FailedLoadKeepsEarlierReferences)
{
    Halvex::GetNumCards = &TwoCards;

    Halvex::LoadDriverLibrary();

    EXPECT_EQ(Halvex::GetNumCards, &TwoCards);
    EXPECT_FALSE(Halvex::DriverLoaded);
    Halvex::GetNumCards = nullptr;
}
