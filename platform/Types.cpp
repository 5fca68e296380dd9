#include "platform/Types.h"

#include <cfenv>
#include <cmath>

int RoundHalfEven(double value)
{
    // The default floating-point environment rounds to nearest with ties to even; rint honours it.
    return static_cast<int>(std::rint(value));
}
