#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

// A small bit set over an enumeration with at most 32 values, standing in for
// Pascal's "set of" types (font styles, shift states).
template <typename E>
class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E item : items) Include(item);
  }

  constexpr bool Contains(E item) const { return (FBits & Bit(item)) != 0; }
  constexpr void Include(E item) { FBits |= Bit(item); }
  constexpr void Exclude(E item) { FBits &= ~Bit(item); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr uint32_t Bits() const { return FBits; }
  static constexpr TSet FromBits(uint32_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }

  constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
  constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
  constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
  constexpr bool operator==(const TSet&) const = default;

private:
  static constexpr uint32_t Bit(E item) {
    return uint32_t{1} << static_cast<std::underlying_type_t<E>>(item);
  }
  uint32_t FBits = 0;
};
