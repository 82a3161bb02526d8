// SPDX-License-Identifier: MIT
#pragma once
// TEnumSet: a set of the members of an enumeration, stored as a bit mask in which
// member n is bit n (the layout of the framework's Pascal-style sets). Used for
// font styles, owner-draw states and the library's attribute and option sets.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace fw {

template <class E, class Bits = uint8_t> class TEnumSet {
    static_assert(std::is_enum_v<E>);
    static_assert(std::is_unsigned_v<Bits>);

public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> aMembers) {
        for (E member : aMembers)
            FBits |= Bit(member);
    }
    // The set whose mask is aBits; bits beyond the enumeration are kept as given.
    static constexpr TEnumSet FromBits(Bits aBits) {
        TEnumSet result;
        result.FBits = aBits;
        return result;
    }

    constexpr Bits ToBits() const { return FBits; }
    constexpr bool Contains(E aMember) const { return (FBits & Bit(aMember)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }

    constexpr TEnumSet& Include(E aMember) {
        FBits |= Bit(aMember);
        return *this;
    }
    constexpr TEnumSet& Exclude(E aMember) {
        FBits &= static_cast<Bits>(~Bit(aMember));
        return *this;
    }

    friend constexpr TEnumSet operator+(TEnumSet aLeft, TEnumSet aRight) {
        return FromBits(static_cast<Bits>(aLeft.FBits | aRight.FBits));
    }
    friend constexpr TEnumSet operator-(TEnumSet aLeft, TEnumSet aRight) {
        return FromBits(static_cast<Bits>(aLeft.FBits & ~aRight.FBits));
    }
    friend constexpr TEnumSet operator*(TEnumSet aLeft, TEnumSet aRight) {
        return FromBits(static_cast<Bits>(aLeft.FBits & aRight.FBits));
    }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    static constexpr Bits Bit(E aMember) {
        return static_cast<Bits>(Bits{1} << static_cast<unsigned>(aMember));
    }

    Bits FBits = 0;
};

} // namespace fw
