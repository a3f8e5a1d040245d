#include "bench/compile_runs.h"

#include "app/run_sequence.h"
#include "compiler/compile_context.h"
#include "compiler/source_store.h"
#include "scenario/dati.h"

namespace scenario::bench {

SourcePair builtin_sources() { return {dati_linea(kRouteName).bytes, dati_treno(kRouteName, kTrainNumber).bytes}; }

PercorsoResult compile_from_memory(const SourcePair& sources, RouteModel& model) {
  model.route_name = kRouteName;
  model.train_number = kTrainNumber;
  MemorySources store(sources.line, sources.train);
  CompileContext ctx{model, store};
  return compile_scenario(ctx, 1);
}

std::string compile_failure(const PercorsoResult& result, const RouteModel& model) {
  switch (result.end) {
    case PercorsoEnd::kNoGrid:
      return "the compiler never sized the track grid (ErrorCode " + std::to_string(model.ErrorCode) + ")";
    case PercorsoEnd::kFinalCheckFailed:
      return "final check " + std::to_string(result.failed_check) + " failed";
    case PercorsoEnd::kWriteFailed:
      return "a file could not be written: " + result.failure;
    case PercorsoEnd::kDone:
      break;
  }
  if (model.ErrorCode != 0)
    return "the compile recorded ErrorCode " + std::to_string(model.ErrorCode) + " at position " +
           std::to_string(model.ErrorPosition);
  return {};
}

}  // namespace scenario::bench
