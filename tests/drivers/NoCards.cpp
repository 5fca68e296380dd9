#include "tests/drivers/TestDriver.h"

// A driver that fails to enumerate the cards reports a negative count.
extern "C" int32_t HALVEX_CALL GetNumCards()
{
    return -1;
}
