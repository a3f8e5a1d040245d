#include "compiler/route_model.h"

#include "compiler/arith.h"

namespace scenario {

void reset_model(RouteModel& m, int32_t j) {
  m.with_profile = j;
  m.ErrorCode = 0;
  for (auto& r : m.table) r = ScenarioRecord{};
}

int32_t grid_end_for(int32_t length) {
  return static_cast<int32_t>(round_half_even(static_cast<double>(length + kGridMargin) / 50.0));
}

void size_model(RouteModel& m, int32_t length) {
  m.profile_end = length + kGridMargin;
  m.grid_end = grid_end_for(length);
  m.grid.assign(static_cast<size_t>(m.grid_end) + 1, TrackCell{});
  if (m.with_profile != 0) {
    m.profile = LineProfile(m.profile_end);
  } else {
    m.profile = LineProfile();
  }
}

}  // namespace scenario
