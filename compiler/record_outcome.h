// What every record handler of both sources tells its reader, the one place
// where a handler's refusal becomes the compile's ErrorCode, and the
// position check every placed record passes before it writes anything.
#pragma once

#include <cstdint>
#include <optional>

#include "compiler/compile_context.h"

namespace scenario {

struct RecordOutcome {
  enum class Kind : uint8_t {
    kAccepted,      // the record is stored; the reader goes on with the next field
    kRefused,       // the record is refused: the reader deletes its source and the compile's reading ends
    kEndOfReading,  // a position beyond the grid: the reader ends as at the end of its source
  };

  Kind kind = Kind::kAccepted;
  int32_t code = 0;                 // the ErrorCode to record; 0 for none
  std::optional<int32_t> position;  // the ErrorPosition, where the format gives one

  [[nodiscard]] static constexpr RecordOutcome accepted() { return {}; }
  [[nodiscard]] static constexpr RecordOutcome refused(int32_t code, std::optional<int32_t> position = std::nullopt) {
    return {Kind::kRefused, code, position};
  }
  [[nodiscard]] static constexpr RecordOutcome end_of_reading(int32_t code, int32_t position) {
    return {Kind::kEndOfReading, code, position};
  }

  [[nodiscard]] constexpr bool is_accepted() const { return kind == Kind::kAccepted; }
  constexpr bool operator==(const RecordOutcome&) const = default;
};

// Records the outcome's error, when it carries one, with the record the
// reader is inside of: the one place a handler's outcome reaches ErrorCode.
void record_outcome(CompileContext& ctx, const RecordOutcome& outcome);

// How far past a record's position the grid must reach: stations need room
// for their zone, every other record for its object cell.
inline constexpr int32_t kRecordMargin = 100;
inline constexpr int32_t kStationMargin = 800;

// The position check of a record at position p: (p + margin) / 50 must not
// be greater than the grid's upper index, else the reading ends (15 with
// ErrorPosition p). When first_index is given it must not lie below 0,
// else the record is refused (204 with ErrorPosition p): a board's object
// cell, a montagna's first cell, a train object's position. Gradients,
// curves, speed limits and adhesion are bounded from above only.
[[nodiscard]] RecordOutcome check_position(const RouteModel& m, int32_t p, int32_t margin,
                                           std::optional<int64_t> first_index = std::nullopt);

}  // namespace scenario
