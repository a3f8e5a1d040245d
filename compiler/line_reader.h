// The line phase of memorizza_dati: the existence check of the line source,
// the search for "[generale]", the general section, the ordering of the
// kilometre references, the line records and the end of the line source,
// which carries the gradients and the plan on to the end of the grid. The
// line source is deleted on every path on which it was found.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

// What the line phase hands on to the train phase.
struct LinePhaseResult {
  bool go_on = false;                                       // false: memorizza_dati returns now
  int32_t next_free_sign_record = record::kFirstSignBoard;  // bounds the stations
};

LinePhaseResult read_line_source(CompileContext& ctx);

}  // namespace scenario
