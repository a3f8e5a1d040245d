#include "fuzz/fuzz_input.h"

#include <cstdio>
#include <cstdlib>

#include "app/run_sequence.h"
#include "compiler/error_table.h"
#include "compiler/file_names.h"
#include "compiler/source_store.h"
#include "output/encoders.h"
#include "output/memorizza_percorso.h"
#include "output/output_sink.h"

namespace scenario::fuzz {

namespace {

[[noreturn]] void broken(const char* rule, int32_t j, int32_t code) {
  std::fprintf(stderr, "fuzz: broken rule with profile flag %d (ErrorCode %d): %s\n", static_cast<int>(j),
               static_cast<int>(code), rule);
  std::fflush(stderr);
  std::abort();
}

struct Outcome {
  PercorsoResult result;
  RouteModel model;
  MemorySink sink;
  bool line_left = false;
};

Outcome compile_once(const SourcePair& pair, int32_t j) {
  Outcome o;
  o.model.route_name = std::string(kRouteName);
  o.model.train_number = std::string(kTrainNumber);
  MemorySources sources;
  if (pair.line) sources.set(SourceKind::kLine, *pair.line);
  if (pair.train) sources.set(SourceKind::kTrain, *pair.train);
  CompileContext ctx{o.model, sources};
  o.result = memorizza_percorso(ctx, j, o.sink);
  o.line_left = sources.exists(SourceKind::kLine);
  return o;
}

void check(const Outcome& o, int32_t j) {
  const RouteModel& m = o.model;
  const int32_t code = m.ErrorCode;
  if (code != 0 && !error_info(code)) broken("ErrorCode holds a number outside the table of codes", j, code);
  // The line source is read once and deleted on every path on which it was found.
  if (o.line_left) broken("the line source outlived the compile", j, code);
  if (o.result.end == PercorsoEnd::kWriteFailed) broken("a write into memory failed", j, code);
  if (o.result.end == PercorsoEnd::kNoGrid) {
    if (!o.sink.files.empty()) broken("files were written without a track grid", j, code);
    return;
  }
  if (m.grid_end < 0 || m.grid.size() != static_cast<size_t>(m.grid_end) + 1)
    broken("the track grid does not hold cells 0 to grid_end", j, code);
  if (m.with_profile != 0 && m.profile.last() != m.profile_end)
    broken("the plan does not hold metres 0 to profile_end", j, code);
  if (o.result.end == PercorsoEnd::kFinalCheckFailed) {
    if (!o.sink.files.empty()) broken("a failed final check still wrote a file", j, code);
    if (o.result.failed_check != 1250 && o.result.failed_check != 1251)
      broken("a final check failed with a number other than 1250 or 1251", j, code);
    return;
  }
  const FileNames names = file_names(m.route_name, m.train_number);
  const auto track = o.sink.files.find(names.track_file);
  if (track == o.sink.files.end() || track->second.size() != m.grid.size() * kTrackCellBytes)
    broken("the track file does not hold 15 bytes for every cell", j, code);
  if (o.sink.files.count(names.scenario_file) != 1) broken("no scenario file was written", j, code);
  if ((o.sink.files.count(names.line_profile) == 1) != (j != 0))
    broken("the line profile file was written without the profile, or not with it", j, code);
}

}  // namespace

SourcePair split_input(std::string_view input) {
  SourcePair pair{std::string(), std::string()};
  if (input.empty()) return pair;
  const uint8_t flags = static_cast<uint8_t>(input.front());
  input.remove_prefix(1);
  const size_t sep = input.find(kSeparator);
  const std::string_view line = input.substr(0, sep);
  const std::string_view train =
      sep == std::string_view::npos ? std::string_view() : input.substr(sep + kSeparator.size());
  if (flags & kNoLineSource)
    pair.line.reset();
  else
    pair.line = std::string(line);
  if (flags & kNoTrainSource)
    pair.train.reset();
  else
    pair.train = std::string(train);
  pair.with_profile = (flags & kNoProfile) == 0;
  return pair;
}

std::string join_input(const SourcePair& pair) {
  std::string out(1, static_cast<char>('0' + (pair.line ? 0 : kNoLineSource) + (pair.train ? 0 : kNoTrainSource) +
                                       (pair.with_profile ? 0 : kNoProfile)));
  out += pair.line.value_or("");
  out += kSeparator;
  out += pair.train.value_or("");
  return out;
}

void compile_input(std::string_view input) {
  if (input.size() > kMaxInputBytes) return;
  const SourcePair pair = split_input(input);
  const Outcome without = compile_once(pair, 0);
  check(without, 0);
  // A long route costs work for every cell and, with the plan, for every
  // metre, on the same path whatever the length: it is compiled once.
  if (without.model.profile_end > kMaxPlannedRoute + kGridMargin) return;

  // No state survives from one compile to the next: the same sources give
  // the same files and the same error.
  const Outcome again = compile_once(pair, 0);
  if (again.sink.files != without.sink.files || again.model.ErrorCode != without.model.ErrorCode ||
      again.model.ErrorPosition != without.model.ErrorPosition)
    broken("two compiles of the same sources differ", 0, without.model.ErrorCode);

  if (pair.with_profile) check(compile_once(pair, 1), 1);
}

}  // namespace scenario::fuzz
