// Test helpers for the line phase: builds small line sources from lines and
// runs the line phase, or the whole of memorizza_dati, over them in memory.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "compiler/line_reader.h"
#include "compiler/memorizza_dati.h"
#include "compiler/source_store.h"

namespace scenario::testing {

// The lines joined with CR LF after each.
inline std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string s;
  for (std::string_view l : lines) {
    s += l;
    s += "\r\n";
  }
  return s;
}

// A line source with a general section of the given route length, the given
// records after it and "[fine]" last, so every record is read.
inline std::string line_file(int32_t length, std::string_view records) {
  return "[generale]\r\nlunghezza percorso,    " + std::to_string(length) + "\r\n[curve]\r\n" + std::string(records) +
         "[fine]\r\n";
}

// The outcome of one run over a line source.
struct LineRun {
  RouteModel model;
  MemorySources sources;
  LinePhaseResult result;

  bool line_left() const { return sources.exists(SourceKind::kLine); }
  bool train_left() const { return sources.exists(SourceKind::kTrain); }
  const TrackCell& cell(int64_t i) const { return model.cell(i); }
};

// Runs the line phase alone (no train phase), on a reset model.
inline LineRun run_line(const std::string& text, int32_t with_profile = 1) {
  LineRun r;
  reset_model(r.model, with_profile);
  r.sources.set(SourceKind::kLine, text);
  r.sources.set(SourceKind::kTrain, "train source");
  CompileContext ctx(r.model, r.sources);
  r.result = read_line_source(ctx);
  return r;
}

// Runs memorizza_dati with its error handler; use it only for paths on which
// the train phase does not run.
inline LineRun run_memorizza_dati(const std::string& text, int32_t with_profile = 1) {
  LineRun r;
  reset_model(r.model, with_profile);
  r.sources.set(SourceKind::kLine, text);
  r.sources.set(SourceKind::kTrain, "train source");
  CompileContext ctx(r.model, r.sources);
  memorizza_dati(ctx);
  return r;
}

}  // namespace scenario::testing
