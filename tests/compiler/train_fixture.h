// A hand-sized model and an in-memory train source for the tests of the
// train phase: the grid is sized directly, so no line source is needed.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "compiler/route_model.h"
#include "compiler/source_store.h"
#include "compiler/train_reader.h"

namespace scenario::testing {

// The lines joined with CR LF, after a "[generale]" line, with "[fine]" last.
inline std::string train_text(std::initializer_list<std::string_view> lines) {
  std::string out = "[generale]\r\n";
  for (std::string_view l : lines) {
    out += l;
    out += "\r\n";
  }
  return out + "[fine]\r\n";
}

struct TrainRun {
  RouteModel m;
  MemorySources sources;
  std::optional<RuntimeFailure> failure;

  const TrackCell& cell(int64_t i) const { return m.cell(i); }
  bool train_source_left() const { return sources.exists(SourceKind::kTrain); }
};

// Sizes a model for a route of length metres (220000 gives N = 4540),
// lets prepare put things on it, and reads text as the train source.
inline TrainRun read_train(const std::string& text, int32_t length = 220000, int32_t next_free_sign_record = 80,
                           const std::function<void(RouteModel&)>& prepare = {}) {
  TrainRun run;
  size_model(run.m, length);
  if (prepare) prepare(run.m);
  run.sources.set(SourceKind::kTrain, text);
  CompileContext ctx(run.m, run.sources);
  try {
    read_train_source(ctx, next_free_sign_record);
  } catch (const RuntimeFailure& f) {
    run.failure = f;
  }
  return run;
}

}  // namespace scenario::testing
