// The train phase of memorizza_dati: the train records, the speed and
// adhesion runs, the record handlers of signals, stations, slowdowns and
// code reductions, the end of reading and the kilometre check.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

void read_train_source(CompileContext& ctx, int32_t next_free_sign_record);

}  // namespace scenario
