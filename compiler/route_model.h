// The route model: the in-memory picture of one scenario that the compiler
// builds from the two source texts, the finalisation completes and the
// output stage writes to the three binary files. Plain data; every stage
// reads and writes its fields directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/line_profile.h"

namespace scenario {

// One 50 m cell of the track grid.
struct TrackCell {
  uint8_t kind = 0;  // what stands at this cell; 0 = nothing
  int16_t value1 = 0;
  int16_t value2 = 0;
  int16_t value3 = 0;
  int16_t value4 = 0;
  uint8_t timer = 0;     // time value of a signal
  uint8_t approach = 0;  // approach marker before a signal or a stopping station
  uint8_t montagna = 0;  // montagna type of the stretch; 0 = none
  uint8_t speed = 0;     // speed limit in km/h divided by 5
  uint8_t gradient = 0;  // gradient in per mille plus 100
  uint8_t adhesion = 0;  // adhesion value of the stretch

  bool operator==(const TrackCell&) const = default;
};

// The track grid: one cell per 50 m, from the start of the line to 7000 m
// beyond its end.
using TrackGrid = std::vector<TrackCell>;

// The kinds of object a cell can hold.
namespace cell_kind {
inline constexpr uint8_t kNothing = 0;
inline constexpr uint8_t kSignal = 1;
inline constexpr uint8_t kSlowdownEnd = 2;
inline constexpr uint8_t kSlowdownStart = 3;
inline constexpr uint8_t kWarningBoard = 4;
inline constexpr uint8_t kWarningMarker = 5;
inline constexpr uint8_t kSpeedBoards = 6;
inline constexpr uint8_t kStationStop = 10;
inline constexpr uint8_t kMontagnaMarker = 11;
inline constexpr uint8_t kCodeChange = 12;
inline constexpr uint8_t kCodeRemoval = 13;
inline constexpr uint8_t kSignBoard = 14;
}  // namespace cell_kind

// A cell is free when it is empty or holds only a montagna marker, which
// any placed object may overwrite.
constexpr bool is_free(const TrackCell& c) {
  return c.kind == cell_kind::kNothing || c.kind == cell_kind::kMontagnaMarker;
}

// One general-purpose record of the scenario table. The text holds
// Windows-1252 bytes, one byte per character, as the scenario file stores it.
struct ScenarioRecord {
  uint8_t kind = 0;
  int32_t long1 = 0;
  int32_t long2 = 0;
  int32_t long3 = 0;
  uint8_t flag0 = 0;
  std::string text;
  int16_t num1 = 0;
  int16_t num2 = 0;
  int16_t num3 = 0;
  int16_t num4 = 0;
  int16_t num5 = 0;
  uint8_t flag1 = 0;
  uint8_t flag2 = 0;
  uint8_t flag3 = 0;
  uint8_t flag4 = 0;
  int32_t long4 = 0;

  bool operator==(const ScenarioRecord&) const = default;
};

inline constexpr int kScenarioRecords = 87;
// The longest text a record can carry: its length is a 16-bit word on disk.
inline constexpr size_t kMaxTextBytes = 65535;
using ScenarioTable = std::array<ScenarioRecord, kScenarioRecords>;

// Fixed record numbers of the scenario table.
namespace record {
inline constexpr int kFirstSignBoard = 80;  // sign-board texts count down from here
inline constexpr int kKilometreThree = 81;
inline constexpr int kKilometreTwo = 82;
inline constexpr int kKilometreOne = 83;
inline constexpr int kTrain = 84;    // braked mass, route length, coaches
inline constexpr int kRoute = 85;    // backgrounds, route name, marker, check code
inline constexpr int kSignals = 86;  // code repetition, train number, sand, clock
}  // namespace record

inline constexpr int kMontagnaSlots = 81;  // indices 0 to 80; index 0 is never used
inline constexpr int32_t kMaxRouteLength = 1000000;
inline constexpr int32_t kGridMargin = 7000;  // metres of grid and plan beyond the line's end

// The whole model of one scenario.
struct RouteModel {
  std::string route_name;
  std::string train_number;
  int32_t with_profile = 0;
  std::string current_field;
  int32_t profile_end = 0;
  int32_t grid_end = 0;  // N: the upper index of the track grid

  // The track grid, cells 0 to grid_end; empty until the route length sizes it.
  TrackGrid grid;
  ScenarioTable table{};
  // The plan; empty unless sized with with_profile non-zero.
  LineProfile profile;

  std::array<int32_t, kMontagnaSlots> montagna_starts{};
  std::array<int32_t, kMontagnaSlots> montagna_ends{};
  int32_t montagna_count = 0;

  int32_t ErrorCode = 0;
  int32_t ErrorPosition = 0;

  bool grid_sized() const { return !grid.empty(); }
  TrackCell& cell(int64_t i) { return grid[static_cast<size_t>(i)]; }
  const TrackCell& cell(int64_t i) const { return grid[static_cast<size_t>(i)]; }
  // True when i is an index of the grid, 0 to grid_end.
  bool in_grid(int64_t i) const { return grid_sized() && i >= 0 && i <= grid_end; }
  // True when i is a cell of the grid that an object may take; a cell
  // outside the grid counts as taken, so nothing is written there.
  bool free_at(int64_t i) const { return in_grid(i) && is_free(cell(i)); }
};

// The reset at the start of a compile: with_profile := j, ErrorCode := 0
// and every scenario record cleared. The grid and the plan are not touched.
void reset_model(RouteModel& m, int32_t j);

// Sizes the model for a route of length metres: profile_end, grid_end
// (halves to even), a zeroed grid and, with the profile, an empty plan.
// Sizing again discards the earlier content. The caller has checked that
// the length lies within 1 to 1000000.
void size_model(RouteModel& m, int32_t length);

// grid_end for a route length: (length + 7000) / 50 rounded, halves to even.
int32_t grid_end_for(int32_t length);

}  // namespace scenario
