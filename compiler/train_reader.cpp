#include "compiler/train_reader.h"

#include <iterator>
#include <optional>
#include <string>

#include "compiler/arith.h"
#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/record_outcome.h"
#include "compiler/record_scanner.h"
#include "compiler/signals_stations.h"
#include "compiler/slowdowns_codes.h"
#include "compiler/source_fields.h"
#include "compiler/source_formats.h"

namespace scenario {

namespace {

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
RecordOutcome read_stretch(CompileContext& ctx, SourceFields& in, keywords::Train row, StretchRun& run) {
  formats::RecordFields f(in, formats::train_record(row));
  const int32_t p = f.long_value();
  const int32_t value = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, p, kRecordMargin); !o.is_accepted()) return o;
  run_to(run, stretch_cell(p), ctx);
  run.carried = value;
  return RecordOutcome::accepted();
}

// After memo_segnale and memo_rallentamento the reader looks at ErrorCode
// itself: any recorded error, even one an earlier stage left, ends the
// phase with ErrorPosition at this record.
RecordOutcome after_handler(const CompileContext& ctx, const RecordOutcome& handled, int32_t position) {
  if (!handled.is_accepted() || ctx.model.ErrorCode <= 0) return handled;
  return RecordOutcome::refused(ctx.model.ErrorCode, position);
}

// Signals, slowdowns and code reductions are refused (204) before the start
// of the line, where they would address cells before cell 0.
RecordOutcome read_signal(CompileContext& ctx, SourceFields& in) {
  formats::RecordFields fields(in, formats::train_record(keywords::kSignal));
  const int32_t p = fields.long_value();
  SignalFields f;
  for (int32_t* field : {&f.sx, &f.s1, &f.s2, &f.s3, &f.rapp, &f.dx, &f.d1, &f.d2, &f.d3, &f.tempo})
    *field = fields.long_value();
  if (const RecordOutcome o = check_position(ctx.model, p, kRecordMargin, p); !o.is_accepted()) return o;
  return after_handler(ctx, memo_segnale(ctx.model, p, f), p);
}

RecordOutcome read_slowdown(CompileContext& ctx, SourceFields& in) {
  formats::RecordFields f(in, formats::train_record(keywords::kSlowdown));
  const int32_t x = f.long_value();
  const int32_t v = f.long_value();
  const int32_t l = f.long_value();
  const int32_t f_tt = f.long_value();
  const int32_t f_ta = f.long_value();
  const int32_t d_v = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, x, kRecordMargin, x); !o.is_accepted()) return o;
  return after_handler(ctx, memo_rallentamento(ctx.model, x, v, l, f_tt, f_ta, d_v), x);
}

RecordOutcome read_code_reduction(CompileContext& ctx, SourceFields& in) {
  formats::RecordFields f(in, formats::train_record(keywords::kCodeReduction));
  const int32_t p = f.long_value();
  const int32_t code = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, p, kRecordMargin, p); !o.is_accepted()) return o;
  return place_code_reduction(ctx.model, p, code);
}

RecordOutcome read_record(keywords::Train row, CompileContext& ctx, SourceFields& in, TrainState& st) {
  ScenarioRecord& train = ctx.model.table[record::kTrain];
  ScenarioRecord& signals = ctx.model.table[record::kSignals];
  switch (row) {
    case keywords::kBrakedMass:
      train.long1 = formats::RecordFields(in, formats::train_record(row)).long_value();
      return RecordOutcome::accepted();
    case keywords::kCoaches:
      train.long3 = formats::RecordFields(in, formats::train_record(row)).long_value();
      return RecordOutcome::accepted();
    case keywords::kSpeed:
      return read_stretch(ctx, in, row, st.speed);
    case keywords::kAdhesion:
      return read_stretch(ctx, in, row, st.adhesion);
    case keywords::kClock: {
      formats::RecordFields f(in, formats::train_record(row));
      signals.num3 = static_cast<int16_t>(f.number());
      signals.num4 = static_cast<int16_t>(f.number());
      signals.num5 = static_cast<int16_t>(f.number());
      return RecordOutcome::accepted();
    }
    case keywords::kSand:
      signals.num1 = static_cast<int16_t>(formats::RecordFields(in, formats::train_record(row)).number());
      return RecordOutcome::accepted();
    case keywords::kSignal:
      return read_signal(ctx, in);
    case keywords::kSlowdown:
      return read_slowdown(ctx, in);
    case keywords::kCodeReduction:
      return read_code_reduction(ctx, in);
    case keywords::kStation:
      return read_station(ctx.model, in, st.stations);
  }
  return RecordOutcome::accepted();
}

// Tries every row of the table on the candidate, in table order; each
// matching row reads its record.
RecordOutcome handle_candidate(const Field& candidate, CompileContext& ctx, SourceFields& in, TrainState& st) {
  enter_record(ctx, in.file(), candidate);
  RecordOutcome outcome = RecordOutcome::accepted();
  keywords::for_each_match(keywords::kTrainRows, candidate.text, [&](size_t row) {
    outcome = read_record(static_cast<keywords::Train>(row), ctx, in, st);
    return outcome.is_accepted();
  });
  record_outcome(ctx, outcome);
  leave_record(ctx);
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
  (void)find_general_header(in);

  // Every field is a keyword candidate; the field that ends the file is
  // dropped unprocessed.
  while (const std::optional<Field> candidate = next_candidate(in, kTrainScan, &m.current_field)) {
    const RecordOutcome outcome = handle_candidate(*candidate, ctx, in, st);
    if (outcome.kind == RecordOutcome::Kind::kEndOfReading) break;
    if (outcome.kind == RecordOutcome::Kind::kRefused) {
      ctx.sources.remove(SourceKind::kTrain);
      return;
    }
  }
  end_of_reading(ctx, st);
}

}  // namespace scenario
