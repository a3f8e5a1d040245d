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

// The files of a compiled model as one set: the line profile file (only
// when the model was reset with a profile), the scenario file and the track
// file are handed to the sink and then committed together. On any failure
// the sink discards them all and written stays empty.
[[nodiscard]] PercorsoResult write_compiled_files(const RouteModel& m, OutputSink& sink);

// Everything of compile_scenario, then write_compiled_files.
PercorsoResult memorizza_percorso(CompileContext& ctx, int32_t j, OutputSink& sink);

}  // namespace scenario
