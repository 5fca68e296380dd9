#include "HalvexTestSupport.h"

#include <gtest/gtest.h>

// The library on the search path lacks WDGPet and reports the number of cards it is configured with.
constexpr int32_t ConfiguredCards = 2;

TEST(HalvexPartialLibrary, FoundEntriesAreStoredAndTheMissingOneStaysEmpty)
{
    Halvex::LoadDriverLibrary();

    EXPECT_FALSE(Halvex::DriverLoaded);
    ASSERT_NE(Halvex::GetNumCards, nullptr);
    EXPECT_EQ(Halvex::GetNumCards(), ConfiguredCards);
    for (const TReference& reference : CurrentReferences()) {
        if (reference.Name == "WDGPet")
            EXPECT_EQ(reference.Address, nullptr);
        else
            EXPECT_EQ(ExportedNameAt(reference.Address), reference.Name);
    }
    EXPECT_EQ(StandInsThatRan(), LibraryFileAt(reinterpret_cast<void*>(Halvex::GetNumCards)));
}

TEST(HalvexPartialLibrary, LaterLoadLooksEveryEntryUpAgain)
{
    Halvex::LoadDriverLibrary();
    const std::vector<TReference> resolved = CurrentReferences();
    Halvex::GetNumCards = nullptr;
    Halvex::WDGReadTemp = nullptr;
    Halvex::RelOutPortDWord = nullptr;

    Halvex::LoadDriverLibrary();

    EXPECT_EQ(CurrentReferences(), resolved);
    EXPECT_FALSE(Halvex::DriverLoaded);
}
