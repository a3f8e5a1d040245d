// The train phase of memorizza_dati: reads the train source after the line
// phase. It finds "[generale]", tries every keyword candidate against the
// train keyword table, stores the train's make-up, lays the speed-limit and
// adhesion runs on the grid, hands signals, stations, slowdowns and code
// reductions to their handlers, and at the end of reading deletes the
// source, carries both runs on towards the end of the grid and checks the
// kilometre references. A refusal by a handler deletes the source and ends
// the phase at once. Run-time failures are thrown as RuntimeFailure for the
// error handler of memorizza_dati.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

// next_free_sign_record is the highest record the sign boards left free;
// stations take records from 1 up and stay below it.
void read_train_source(CompileContext& ctx, int32_t next_free_sign_record);

}  // namespace scenario
