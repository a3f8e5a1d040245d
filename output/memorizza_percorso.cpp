#include "output/memorizza_percorso.h"

#include "compiler/file_names.h"
#include "compiler/memorizza_dati.h"
#include "output/cab_code_pass.h"
#include "output/encoders.h"
#include "output/final_checks.h"

namespace scenario {

PercorsoResult compile_scenario(CompileContext& ctx, int32_t j) {
  PercorsoResult result;
  reset_model(ctx.model, j);
  memorizza_dati(ctx);
  if (!ctx.model.grid_sized()) {
    result.end = PercorsoEnd::kNoGrid;
    return result;
  }
  place_cab_codes(ctx);
  const int32_t failed = run_final_checks(ctx.model);
  if (failed != 0) {
    result.end = PercorsoEnd::kFinalCheckFailed;
    result.failed_check = failed;
  }
  return result;
}

PercorsoResult write_compiled_files(const RouteModel& m, OutputSink& sink) {
  PercorsoResult result;
  const FileNames names = file_names(m.route_name, m.train_number);
  std::vector<std::string> stored;
  auto failed = [&](const std::string& name, std::optional<std::string> failure) {
    if (failure) {
      result.end = PercorsoEnd::kWriteFailed;
      result.failure = *failure;
      sink.discard();
      return true;
    }
    stored.push_back(name);
    return false;
  };
  // The line profile file is by far the largest: it goes out in pieces.
  if (m.with_profile != 0 &&
      failed(names.line_profile, sink.write_pieces(names.line_profile, ProfileFilePieces(m.profile))))
    return result;
  if (failed(names.scenario_file, sink.write(names.scenario_file, encode_scenario_file(m.table)))) return result;
  if (failed(names.track_file, sink.write(names.track_file, encode_track_file(m.grid)))) return result;
  if (auto failure = sink.commit()) {
    result.end = PercorsoEnd::kWriteFailed;
    result.failure = *failure;
    return result;
  }
  result.written = std::move(stored);
  return result;
}

PercorsoResult memorizza_percorso(CompileContext& ctx, int32_t j, OutputSink& sink) {
  PercorsoResult result = compile_scenario(ctx, j);
  if (result.end != PercorsoEnd::kDone) return result;
  return write_compiled_files(ctx.model, sink);
}

}  // namespace scenario
