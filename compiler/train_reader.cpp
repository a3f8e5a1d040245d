#include "compiler/train_reader.h"

#include <iterator>
#include <optional>
#include <string>

#include "compiler/arith.h"
#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/signals_stations.h"
#include "compiler/slowdowns_codes.h"
#include "compiler/source_fields.h"
#include "compiler/train_record.h"

namespace scenario {

namespace {

constexpr int kHyphenReplacements = 2;

// A value that holds over a stretch of cells, laid from one record to the
// next: the cursor is the first cell not yet written; the carried value is
// that of the last record read (0 before the first one).
struct StretchRun {
  uint8_t TrackCell::*field;
  int64_t cursor = 0;
  int32_t carried = 0;
};

struct TrainState {
  StretchRun speed{&TrackCell::speed};
  StretchRun adhesion{&TrackCell::adhesion};
  StationCounter stations;
};

// The byte a run stores for its carried value: a speed limit as its fifth,
// rounded halves to even (outside a byte: a run-time failure), an adhesion
// as its low 8 bits.
uint8_t cell_value(const StretchRun& run, const CompileContext& ctx) {
  if (run.field != &TrackCell::speed) return low8(run.carried);
  const std::optional<uint8_t> fifth = to_uint8(static_cast<double>(run.carried) / 5.0);
  if (!fifth)
    throw RuntimeFailure{"a speed limit of " + std::to_string(run.carried) +
                             " km/h does not fit a cell: its fifth lies outside 0 to 255",
                         ctx.record_at};
  return *fifth;
}

// Lays the carried value up to the cell before n, the cell of the new
// record's position; stops at the grid's upper index. When the cursor has
// already passed n, the cell at the cursor still takes the carried value.
void run_to(StretchRun& run, int64_t n, CompileContext& ctx) {
  RouteModel& m = ctx.model;
  if (n <= 0 || run.cursor >= m.grid_end) return;
  const uint8_t v = cell_value(run, ctx);
  do {
    m.cell(run.cursor).*run.field = v;
    ++run.cursor;
  } while (run.cursor < n && run.cursor < m.grid_end);
}

// Carries the last value on from the cursor: always one cell, then on
// while the cursor is below N - 2.
void complete_run(StretchRun& run, CompileContext& ctx) {
  RouteModel& m = ctx.model;
  if (run.cursor > m.grid_end) return;
  const uint8_t v = cell_value(run, ctx);
  do {
    m.cell(run.cursor).*run.field = v;
    ++run.cursor;
  } while (run.cursor < m.grid_end - 2);
}

// A speed or adhesion record: position p, value.
RecordOutcome read_stretch(CompileContext& ctx, SourceFields& in, StretchRun& run) {
  const int32_t p = in.read_long();
  const int32_t value = in.read_long();
  if (const RecordOutcome o = check_train_grid(ctx, p, kRecordMargin); o != RecordOutcome::kGoOn) return o;
  run_to(run, stretch_cell(p), ctx);
  run.carried = value;
  return RecordOutcome::kGoOn;
}

// After memo_segnale and memo_rallentamento the reader looks at ErrorCode
// itself: any recorded error, even one an earlier stage left, ends the
// phase with ErrorPosition at this record.
RecordOutcome after_handler(CompileContext& ctx, bool refused, int32_t position) {
  if (ctx.model.ErrorCode <= 0) return RecordOutcome::kGoOn;
  if (!refused) record_error(ctx, ctx.model.ErrorCode, position);
  return RecordOutcome::kAbort;
}

RecordOutcome read_signal(CompileContext& ctx, SourceFields& in) {
  const int32_t p = in.read_long();
  SignalFields f;
  for (int32_t* field : {&f.sx, &f.s1, &f.s2, &f.s3, &f.rapp, &f.dx, &f.d1, &f.d2, &f.d3, &f.tempo})
    *field = in.read_long();
  if (const RecordOutcome o = check_train_position(ctx, p, kRecordMargin); o != RecordOutcome::kGoOn) return o;
  const bool placed = memo_segnale(ctx, p, f);
  return after_handler(ctx, !placed, p);
}

RecordOutcome read_slowdown(CompileContext& ctx, SourceFields& in) {
  const int32_t x = in.read_long();
  const int32_t v = in.read_long();
  const int32_t l = in.read_long();
  const int32_t f_tt = in.read_long();
  const int32_t f_ta = in.read_long();
  const int32_t d_v = in.read_long();
  if (const RecordOutcome o = check_train_position(ctx, x, kRecordMargin); o != RecordOutcome::kGoOn) return o;
  const bool placed = memo_rallentamento(ctx, x, v, l, f_tt, f_ta, d_v);
  return after_handler(ctx, !placed, x);
}

RecordOutcome read_code_reduction(CompileContext& ctx, SourceFields& in) {
  const int32_t p = in.read_long();
  const int32_t code = in.read_long();
  if (const RecordOutcome o = check_train_position(ctx, p, kRecordMargin); o != RecordOutcome::kGoOn) return o;
  return place_code_reduction(ctx, p, code) ? RecordOutcome::kGoOn : RecordOutcome::kAbort;
}

RecordOutcome read_record(keywords::Train row, CompileContext& ctx, SourceFields& in, TrainState& st) {
  ScenarioTable& t = ctx.model.table;
  switch (row) {
    case keywords::kBrakedMass:
      t[record::kTrain].long1 = in.read_long();
      return RecordOutcome::kGoOn;
    case keywords::kCoaches:
      t[record::kTrain].long3 = in.read_long();
      return RecordOutcome::kGoOn;
    case keywords::kSpeed:
      return read_stretch(ctx, in, st.speed);
    case keywords::kAdhesion:
      return read_stretch(ctx, in, st.adhesion);
    case keywords::kClock:
      t[record::kSignals].num3 = in.read_integer();
      t[record::kSignals].num4 = in.read_integer();
      t[record::kSignals].num5 = in.read_integer();
      return RecordOutcome::kGoOn;
    case keywords::kSand:
      t[record::kSignals].num1 = in.read_integer();
      return RecordOutcome::kGoOn;
    case keywords::kSignal:
      return read_signal(ctx, in);
    case keywords::kSlowdown:
      return read_slowdown(ctx, in);
    case keywords::kCodeReduction:
      return read_code_reduction(ctx, in);
    case keywords::kStation:
      return read_station(ctx, in, st.stations);
  }
  return RecordOutcome::kGoOn;
}

// Tries every row of the table on the candidate, in table order; each
// matching row reads its record.
RecordOutcome handle_candidate(const Field& candidate, CompileContext& ctx, SourceFields& in, TrainState& st) {
  ctx.record_at = SourceLocation{in.file(), candidate.line, candidate.column};
  ctx.record_keyword = candidate.text;
  RecordOutcome outcome = RecordOutcome::kGoOn;
  for (size_t row = 0; row < std::size(keywords::kTrainRows) && outcome == RecordOutcome::kGoOn; ++row) {
    if (keywords::matches(keywords::kTrainRows[row], candidate.text))
      outcome = read_record(static_cast<keywords::Train>(row), ctx, in, st);
  }
  ctx.record_at.reset();
  ctx.record_keyword.clear();
  return outcome;
}

bool kilometre_references_in_step(const ScenarioTable& t) {
  for (int r : {record::kKilometreThree, record::kKilometreTwo, record::kKilometreOne}) {
    const ScenarioRecord& k = t[static_cast<size_t>(r)];
    if (k.long1 % 50 != 0 || k.long2 % 50 != 0) return false;
  }
  return true;
}

// End of reading: the source goes, both runs reach towards the end of the
// grid, and the kilometre references must lie on whole cells.
void end_of_reading(CompileContext& ctx, TrainState& st) {
  ctx.sources.remove(SourceKind::kTrain);
  complete_run(st.speed, ctx);
  complete_run(st.adhesion, ctx);
  if (!kilometre_references_in_step(ctx.model.table)) record_error(ctx, error::kKilometreNotMultiple);
}

}  // namespace

void read_train_source(CompileContext& ctx, int32_t next_free_sign_record) {
  RouteModel& m = ctx.model;
  const std::optional<std::string> text = ctx.sources.read(SourceKind::kTrain);
  if (!text) throw RuntimeFailure{"the train source cannot be opened", std::nullopt};
  SourceFields in(SourceKind::kTrain, *text);

  TrainState st;
  st.stations.next_free_sign_record = next_free_sign_record;

  // Everything before the first field holding "[generale]" is skipped.
  while (!in.eof()) {
    if (keywords::contains(in.text().text, "[generale]", true)) break;
  }

  // Every field is a keyword candidate; the field that ends the file is
  // dropped unprocessed.
  for (;;) {
    if (in.eof()) break;
    Field candidate = in.text();
    if (in.eof()) break;
    bool ended = false;
    for (int r = 0; r < kHyphenReplacements && candidate.text.find('-') != std::string::npos; ++r) {
      candidate = in.text();
      if (in.eof()) {
        ended = true;
        break;
      }
    }
    if (ended) break;
    m.current_field = candidate.text;
    const RecordOutcome outcome = handle_candidate(candidate, ctx, in, st);
    if (outcome == RecordOutcome::kEndReading) break;
    if (outcome == RecordOutcome::kAbort) {
      ctx.sources.remove(SourceKind::kTrain);
      return;
    }
  }
  end_of_reading(ctx, st);
}

}  // namespace scenario
