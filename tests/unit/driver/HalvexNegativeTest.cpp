#include "HalvexTestSupport.h"

#include <gtest/gtest.h>

// The library on the search path exports every entry but fails to count the cards.
TEST(HalvexFailingLibrary, CountIsPassedOnUnchanged)
{
    Halvex::LoadDriverLibrary();

    EXPECT_TRUE(Halvex::DriverLoaded);
    ASSERT_NE(Halvex::GetNumCards, nullptr);
    EXPECT_EQ(Halvex::GetNumCards(), -1);
}
