// The line-side objects: montagna sections (tunnels) spread over their
// cells, speed indicator boards and sign boards standing in their object
// cells, with the sign-board texts kept in the scenario table from record
// 80 downward. Each handler tells its reader what became of the record,
// refusals with the record's position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "compiler/record_outcome.h"
#include "compiler/route_model.h"

namespace scenario {

// The nine fields of a speed indicator board record, in file order: the
// position, then speeds for ranks A, B, C and the stripe count of the left
// board, then the same for the right board.
struct SpeedBoards {
  int32_t posizione = 0;
  int32_t vas = 0, vbs = 0, vcs = 0, strisces = 0;
  int32_t vad = 0, vbd = 0, vcd = 0, strisced = 0;
};

// A montagna section from inizio to fine of type tipo. A type above 10 also
// sets markers on every fourth empty cell; a section beginning no more than
// 150 m after the previous one ends takes type 3. Its cells are cut to the
// grid. Refuses an 81st section (the lists hold 80).
[[nodiscard]] RecordOutcome memo_montagna(RouteModel& m, int32_t inizio, int32_t fine, int32_t tipo);

// The speed values of one rank: left speed × 20 plus a fifth of the right
// speed, rounded. Empty when the value does not fit a 16-bit integer.
std::optional<int16_t> board_speed_value(int32_t left, int32_t right);

// Speed indicator boards in the object cell of their position. Refuses an
// occupied cell (21). A speed value outside the 16-bit range is a run-time
// failure (RuntimeFailure), after the cell's kind is already set.
[[nodiscard]] RecordOutcome memo_indicatori_v_max(RouteModel& m, const SpeedBoards& b);

// A sign board in the object cell of its position, its text in the next free
// sign-board record, which then moves one record down. Refuses an occupied
// cell (6) and a board for which no record is left (203).
[[nodiscard]] RecordOutcome memo_cartello(RouteModel& m, int32_t& next_free_record, int32_t position,
                                          const std::string& text);

}  // namespace scenario
