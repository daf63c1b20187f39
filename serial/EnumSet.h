#pragma once

#include <cstdint>
#include <initializer_list>

// A set over the members of a plain enumeration whose ordinals are 0 to 31, kept as bits.
template <typename E>
class TEnumSet {
  public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members) {
        for (E member : members) {
            Include(member);
        }
    }

    constexpr bool Contains(E member) const { return (Bits_ & Bit(member)) != 0; }
    constexpr void Include(E member) { Bits_ |= Bit(member); }
    constexpr void Exclude(E member) { Bits_ &= ~Bit(member); }
    constexpr bool Empty() const { return Bits_ == 0; }
    constexpr uint32_t Bits() const { return Bits_; }

    constexpr bool operator==(const TEnumSet&) const = default;

  private:
    static constexpr uint32_t Bit(E member) { return uint32_t{1} << static_cast<unsigned>(member); }

    uint32_t Bits_ = 0;
};
