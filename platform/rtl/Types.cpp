// SPDX-License-Identifier: MIT
#include "platform/rtl/Types.h"

#include <cstdlib>
#include <limits>

namespace fw {

int32_t MulDiv(int32_t aNumber, int32_t aNumerator, int32_t aDenominator) {
    if (aDenominator == 0) {
        return -1;
    }
    const int64_t product = int64_t{aNumber} * aNumerator;
    const int64_t half = std::llabs(aDenominator) / 2;
    const bool negative = (product < 0) != (aDenominator < 0);
    const int64_t magnitude = (std::llabs(product) + half) / std::llabs(aDenominator);
    const int64_t result = negative ? -magnitude : magnitude;
    if (result < std::numeric_limits<int32_t>::min() ||
        result > std::numeric_limits<int32_t>::max()) {
        return -1;
    }
    return static_cast<int32_t>(result);
}

} // namespace fw
