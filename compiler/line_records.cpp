#include "compiler/line_records.h"

#include "compiler/arith.h"
#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/line_objects.h"

namespace scenario {

namespace {

// Fields made of hyphens before a keyword: up to two are passed over.
constexpr int kHyphenFields = 2;
// A record is accepted when (P + 100) / 50 does not exceed the grid's end.
constexpr int32_t kPositionMargin = 100;

enum class Step { kNext, kEnd, kRefused };

void begin_record(CompileContext& ctx, const SourceFields& src, const Field& f) {
  ctx.record_at = SourceLocation{src.file(), f.line, f.column};
  ctx.record_keyword = f.text;
}

// The position check before a record writes anything: too far along for the
// grid ends the loop (15). It bounds positions from above only: a gradient
// or a curve before the start of the line is laid as the cursors give.
Step check_position(CompileContext& ctx, int32_t position) {
  if (!position_accepted(position, kPositionMargin, ctx.model.grid_end)) {
    record_error(ctx, error::kBeyondGrid, position);
    return Step::kEnd;
  }
  return Step::kNext;
}

// A record whose first cell would lie before cell 0 is refused (204): a
// board below -75 m, a montagna starting below -25 m. From there up to
// the start of the line the cell is 0 or more and the record is laid.
Step check_first_cell(CompileContext& ctx, int64_t cell, int32_t position) {
  if (cell >= 0) return Step::kNext;
  record_error(ctx, error::kNegativePosition, position);
  return Step::kRefused;
}

Step refuse(CompileContext& ctx, int32_t code, std::optional<int32_t> position) {
  record_error(ctx, code, position);
  return Step::kRefused;
}

Step gradient(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  const int32_t p = src.read_long();
  const int32_t g = src.read_long();
  if (const Step s = check_position(ctx, p); s != Step::kNext) return s;
  gradient_record(ctx.model, loop.cursors, p, g);
  return Step::kNext;
}

Step curve(CompileContext& ctx, SourceFields& src, LineLoop& loop, std::string_view keyword) {
  const int32_t start = src.read_long();
  const int32_t length = src.read_long();
  if (const Step s = check_position(ctx, start); s != Step::kNext) return s;
  const auto rate = curve_rate(keyword);
  if (!rate) return refuse(ctx, error::kBadCurve, std::nullopt);
  if (curve_record(ctx.model, loop.cursors, *rate, start, length) != CurveOutcome::kLaid)
    return refuse(ctx, error::kBadCurve, std::nullopt);
  return Step::kNext;
}

Step montagna(CompileContext& ctx, SourceFields& src) {
  const int32_t inizio = src.read_long();
  const int32_t fine = src.read_long();
  const int32_t tipo = src.read_long();
  if (const Step s = check_position(ctx, inizio); s != Step::kNext) return s;
  if (const Step s = check_first_cell(ctx, stretch_cell(inizio), inizio); s != Step::kNext) return s;
  if (const int32_t code = memo_montagna(ctx.model, inizio, fine, tipo); code != 0)
    return refuse(ctx, code, inizio);
  return Step::kNext;
}

Step speed_boards(CompileContext& ctx, SourceFields& src) {
  SpeedBoards b;
  for (int32_t* v : {&b.posizione, &b.vas, &b.vbs, &b.vcs, &b.strisces, &b.vad, &b.vbd, &b.vcd, &b.strisced})
    *v = src.read_long();
  if (const Step s = check_position(ctx, b.posizione); s != Step::kNext) return s;
  if (const Step s = check_first_cell(ctx, object_cell(b.posizione), b.posizione); s != Step::kNext) return s;
  if (const int32_t code = memo_indicatori_v_max(ctx.model, b); code != 0) return refuse(ctx, code, b.posizione);
  return Step::kNext;
}

Step sign_board(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  const int32_t position = src.read_long();
  ctx.model.current_field = src.read_text();
  if (const Step s = check_position(ctx, position); s != Step::kNext) return s;
  if (const Step s = check_first_cell(ctx, object_cell(position), position); s != Step::kNext) return s;
  if (const int32_t code = memo_cartello(ctx.model, loop.next_free_sign_record, position, ctx.model.current_field);
      code != 0)
    return refuse(ctx, code, position);
  return Step::kNext;
}

// Tries the five rows in order on the keyword candidate; every matching row
// reads its record. Only the sign-board row, the last, changes the field.
Step read_record(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  using namespace keywords;
  RouteModel& m = ctx.model;
  const std::string keyword = m.current_field;
  Step s = Step::kNext;
  if (matches(kLineRows[kGradient], keyword)) s = gradient(ctx, src, loop);
  if (s == Step::kNext && m.with_profile != 0 && matches(kLineRows[kCurve], keyword))
    s = curve(ctx, src, loop, keyword);
  if (s == Step::kNext && matches(kLineRows[kMontagna], keyword)) s = montagna(ctx, src);
  if (s == Step::kNext && matches(kLineRows[kSpeedBoards], keyword)) s = speed_boards(ctx, src);
  if (s == Step::kNext && matches(kLineRows[kSignBoard], keyword)) s = sign_board(ctx, src, loop);
  return s;
}

}  // namespace

LineLoopEnd read_line_records(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  RouteModel& m = ctx.model;
  while (!src.eof()) {
    Field f = src.text();
    m.current_field = f.text;
    // The last field of the source is never interpreted, not even after
    // hyphen fields.
    if (src.eof()) break;
    bool ended = false;
    for (int k = 0; k < kHyphenFields && m.current_field.find('-') != std::string::npos; ++k) {
      f = src.text();
      m.current_field = f.text;
      if (src.eof()) {
        ended = true;
        break;
      }
    }
    if (ended) break;
    begin_record(ctx, src, f);
    const Step s = read_record(ctx, src, loop);
    if (s == Step::kEnd) break;
    if (s == Step::kRefused) return LineLoopEnd::kRefused;
  }
  return LineLoopEnd::kEndOfFile;
}

}  // namespace scenario
