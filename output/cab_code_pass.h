// The cab-signal code placement: one pass over the track grid that adds
// change points with code 180 before signals near slowdown warning boards,
// in three bands before every slowdown start, along slow slowdowns and before
// the first signal after them.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

// The smaller of x and y; x when they are equal.
int16_t minimo(int16_t x, int16_t y);

// Runs the pass over cells 1 to N - 2. The grid must be sized.
void place_cab_codes(CompileContext& ctx);

}  // namespace scenario
