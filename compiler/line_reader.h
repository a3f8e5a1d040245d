// The line phase of memorizza_dati: the existence check, the general
// section, the ordering of the kilometre references (progressive_ordina),
// the line record loop and the end of the line file.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

// What the line phase hands on to the train phase.
struct LinePhaseResult {
  bool go_on = false;                 // false: memorizza_dati returns now
  int32_t next_free_sign_record = 80;  // bounds the stations
};

LinePhaseResult read_line_source(CompileContext& ctx);

}  // namespace scenario
