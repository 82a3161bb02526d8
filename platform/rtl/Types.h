// SPDX-License-Identifier: MIT
#pragma once
// Basic types of the framework layer.

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

class TObject;

// Text is UTF-8 in std::string: the host code page on this platform. Limits given
// in characters of single-byte text are byte limits here.
using String = std::string;

// Days since 30 December 1899 in the integer part, the time of day as a fraction.
using TDateTime = double;

// A method bound to an object with the sender as its only argument. Callers test
// that it is set before calling it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom are exclusive, as in the platform this layer models.
struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int32_t aLeft, int32_t aTop, int32_t aRight, int32_t aBottom) {
    return TRect{aLeft, aTop, aRight, aBottom};
}

inline TPoint Point(int32_t aX, int32_t aY) {
    return TPoint{aX, aY};
}

// (aNumber * aNumerator) / aDenominator with a 64-bit intermediate, rounded to the
// nearest integer (halves away from zero); -1 when aDenominator is 0 or the result
// does not fit in 32 bits.
int32_t MulDiv(int32_t aNumber, int32_t aNumerator, int32_t aDenominator);

} // namespace fw
