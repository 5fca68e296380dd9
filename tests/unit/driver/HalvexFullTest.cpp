#include "HalvexTestSupport.h"

#include <gtest/gtest.h>

// The library on the search path exports every entry and reports the number of cards it is
// configured with.
constexpr int32_t ConfiguredCards = 5;

TEST(HalvexFullLibrary, EveryEntryIsResolvedByItsOwnName)
{
    Halvex::LoadDriverLibrary();

    EXPECT_TRUE(Halvex::DriverLoaded);
    ASSERT_NE(Halvex::GetNumCards, nullptr);
    EXPECT_EQ(Halvex::GetNumCards(), ConfiguredCards);
    for (const TReference& reference : CurrentReferences())
        EXPECT_EQ(ExportedNameAt(reference.Address), reference.Name);
    EXPECT_EQ(StandInsThatRan(), LibraryFileAt(reinterpret_cast<void*>(Halvex::GetNumCards)));
}

TEST(HalvexFullLibrary, CompleteLoadIsNotRepeated)
{
    Halvex::LoadDriverLibrary();
    ASSERT_TRUE(Halvex::DriverLoaded);
    const auto inPortB = Halvex::InPortB;
    Halvex::InPortB = nullptr;

    Halvex::LoadDriverLibrary();

    EXPECT_EQ(Halvex::InPortB, nullptr);
    EXPECT_NE(Halvex::GetNumCards, nullptr);
    Halvex::InPortB = inPortB;
}
