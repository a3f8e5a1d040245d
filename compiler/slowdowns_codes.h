// Slowdowns and cab-code reductions of the train source. memo_rallentamento
// marks a slowdown's warning board, start and end cells and, on request, the
// four marker cells before the board; a code reduction turns one cell into a
// cab-code change point or removal point. The code placement later works
// from these cells.
#pragma once

#include <cstdint>

#include "compiler/record_outcome.h"
#include "compiler/route_model.h"

namespace scenario {

// Places the slowdown from x over l metres at speed v. Refusals are at x:
// an end cell outside the grid (206) and an occupied warning-board, start
// or end cell (17, 18, 19) write nothing; occupied marker cells (20) leave
// board, start and end written. Starts at 1500 m or less get neither board
// nor markers.
[[nodiscard]] RecordOutcome memo_rallentamento(RouteModel& m, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                                               int32_t f_ta, int32_t d_v);

// Places a code reduction at p in cell round(p / 50): a change point
// carrying code when code is above 0, else a removal point. An occupied cell
// is refused with 7 at p.
[[nodiscard]] RecordOutcome place_code_reduction(RouteModel& m, int32_t p, int32_t code);

}  // namespace scenario
