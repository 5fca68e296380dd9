#include "tests/drivers/TestDriver.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {

constexpr int32_t DefaultCardCount = 3;

int32_t ConfiguredCardCount()
{
    const char* text = std::getenv(CardCountVariable);
    if (text == nullptr || *text == '\0')
        return DefaultCardCount;
    char* end = nullptr;
    errno = 0;
    const long count = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || count < std::numeric_limits<int32_t>::min()
        || count > std::numeric_limits<int32_t>::max())
        return DefaultCardCount;
    return static_cast<int32_t>(count);
}

} // namespace

extern "C" int32_t HALVEX_CALL GetNumCards()
{
    static const int32_t count = ConfiguredCardCount();
    return count;
}
