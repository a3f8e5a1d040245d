#include "compiler/arith.h"

#include <limits>

namespace scenario {

namespace {

template <typename T>
std::optional<T> rounded_to(double v) {
  if (std::isnan(v)) return std::nullopt;
  const double r = round_half_even(v);
  if (r < static_cast<double>(std::numeric_limits<T>::min()) || r > static_cast<double>(std::numeric_limits<T>::max()))
    return std::nullopt;
  return static_cast<T>(r);
}

}  // namespace

std::optional<int32_t> to_int32(double v) { return rounded_to<int32_t>(v); }
std::optional<int16_t> to_int16(double v) { return rounded_to<int16_t>(v); }
std::optional<uint8_t> to_uint8(double v) { return rounded_to<uint8_t>(v); }

int64_t object_cell(int32_t p) { return static_cast<int64_t>(round_half_even(static_cast<double>(p) / 50.0 + 1.0)); }

int64_t stretch_cell(int32_t p) { return static_cast<int64_t>(round_half_even(static_cast<double>(p) / 50.0)); }

bool position_accepted(int32_t p, int32_t extra, int32_t grid_end) {
  // The sum is taken as a real so that positions near the 32-bit limit
  // cannot wrap into an accepted value.
  return (static_cast<double>(p) + static_cast<double>(extra)) / 50.0 <= static_cast<double>(grid_end);
}

}  // namespace scenario
