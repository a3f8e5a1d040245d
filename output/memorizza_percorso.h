// memorizza_percorso, the compile driver: the reset of the model, the
// compiler, the cab-code placement, the final checks and the three binary
// files, in that order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/compile_context.h"
#include "output/output_sink.h"

namespace scenario {

enum class PercorsoEnd {
  kDone,              // compiled (ErrorCode may still hold a compile error)
  kFinalCheckFailed,  // a final check failed: nothing may be written
  kNoGrid,            // the compiler never sized the track grid: nothing to pass over
  kWriteFailed,       // an output file could not be written
};

struct PercorsoResult {
  PercorsoEnd end = PercorsoEnd::kDone;
  int32_t failed_check = 0;          // 1250 or 1251 with kFinalCheckFailed
  std::string failure;               // what could not be written, with kWriteFailed
  std::vector<std::string> written;  // names of the files written, in order
};

// Reset, memorizza_dati, the pass and the final checks, without writing.
PercorsoResult compile_scenario(CompileContext& ctx, int32_t j);

// Everything of compile_scenario, then the line profile file (only with j
// non-zero), the scenario file and the track file into the sink.
PercorsoResult memorizza_percorso(CompileContext& ctx, int32_t j, OutputSink& sink);

}  // namespace scenario
