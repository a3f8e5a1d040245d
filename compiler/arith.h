// Integer and rounding rules of the route model: 8-bit unsigned, 16-bit
// signed and 32-bit signed values that wrap on overflow, and the conversion
// of a real to an integer that rounds halves to the even neighbour.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace scenario {

// Keeps the low 8 bits of a value, as a byte field stores it.
constexpr uint8_t low8(int64_t v) { return static_cast<uint8_t>(static_cast<uint64_t>(v) & 0xFFu); }

// Keeps the low 16 bits of a value as a two's complement 16-bit integer.
constexpr int16_t low16(int64_t v) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(v) & 0xFFFFu));
}

// Keeps the low 32 bits of a value as a two's complement 32-bit integer.
constexpr int32_t low32(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v) & 0xFFFFFFFFu));
}

// Rounds to the nearest whole number, halves to the even neighbour
// (12.5 gives 12, 13.5 gives 14). The result is a real that holds an integer.
inline double round_half_even(double v) { return std::nearbyint(v); }

// Rounds a real to a 32-bit signed integer, halves to even; empty when the
// rounded value lies outside the type's range (a run-time failure for callers).
std::optional<int32_t> to_int32(double v);

// The same for a 16-bit signed integer.
std::optional<int16_t> to_int16(double v);

// The same for an 8-bit unsigned integer.
std::optional<uint8_t> to_uint8(double v);

// The object cell of a point at position p: round(p / 50 + 1), halves to even.
int64_t object_cell(int32_t p);

// The cell where a stretch starting at p begins: round(p / 50), halves to even.
int64_t stretch_cell(int32_t p);

// The position check shared by both readers: (p + extra) / 50 as a real must
// not be greater than the grid's upper index.
bool position_accepted(int32_t p, int32_t extra, int32_t grid_end);

}  // namespace scenario
