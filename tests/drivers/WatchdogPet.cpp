#include "tests/drivers/TestDriver.h"

// Kept apart from the other entries so that one stand-in can leave it out.
extern "C" int32_t HALVEX_CALL WDGPet(int32_t)
{
    return 0;
}
