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

PercorsoResult memorizza_percorso(CompileContext& ctx, int32_t j, OutputSink& sink) {
  PercorsoResult result = compile_scenario(ctx, j);
  if (result.end != PercorsoEnd::kDone) return result;

  const RouteModel& m = ctx.model;
  const FileNames names = file_names(m.route_name, m.train_number);
  auto put = [&](const std::string& name, std::string bytes) {
    if (auto failure = sink.write(name, std::move(bytes))) {
      result.end = PercorsoEnd::kWriteFailed;
      result.failure = *failure;
      return false;
    }
    result.written.push_back(name);
    return true;
  };
  if (m.with_profile != 0 && !put(names.line_profile, encode_profile_file(m.profile))) return result;
  if (!put(names.scenario_file, encode_scenario_file(m.table))) return result;
  put(names.track_file, encode_track_file(m.grid));
  return result;
}

}  // namespace scenario
