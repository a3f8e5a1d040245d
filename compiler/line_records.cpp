#include "compiler/line_records.h"

#include "compiler/arith.h"
#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/line_objects.h"
#include "compiler/record_scanner.h"
#include "compiler/source_formats.h"

namespace scenario {

namespace {

RecordOutcome gradient(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  formats::RecordFields f(src, formats::line_record(keywords::kGradient));
  const int32_t p = f.long_value();
  const int32_t g = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, p, kRecordMargin); !o.is_accepted()) return o;
  gradient_record(ctx.model, loop.cursors, p, g);
  return RecordOutcome::accepted();
}

RecordOutcome curve(CompileContext& ctx, SourceFields& src, LineLoop& loop, std::string_view keyword) {
  formats::RecordFields f(src, formats::line_record(keywords::kCurve));
  const int32_t start = f.long_value();
  const int32_t length = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, start, kRecordMargin); !o.is_accepted()) return o;
  const auto rate = curve_rate(keyword);
  if (!rate) return RecordOutcome::refused(error::kBadCurve);
  if (curve_record(ctx.model, loop.cursors, *rate, start, length) != CurveOutcome::kLaid)
    return RecordOutcome::refused(error::kBadCurve);
  return RecordOutcome::accepted();
}

// A montagna is refused (204) when its first cell lies below cell 0.
RecordOutcome montagna(CompileContext& ctx, SourceFields& src) {
  formats::RecordFields f(src, formats::line_record(keywords::kMontagna));
  const int32_t inizio = f.long_value();
  const int32_t fine = f.long_value();
  const int32_t tipo = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, inizio, kRecordMargin, stretch_cell(inizio)); !o.is_accepted())
    return o;
  return memo_montagna(ctx.model, inizio, fine, tipo);
}

// Boards are refused (204) when their object cell lies below cell 0.
RecordOutcome speed_boards(CompileContext& ctx, SourceFields& src) {
  formats::RecordFields f(src, formats::line_record(keywords::kSpeedBoards));
  SpeedBoards b;
  for (int32_t* v : {&b.posizione, &b.vas, &b.vbs, &b.vcs, &b.strisces, &b.vad, &b.vbd, &b.vcd, &b.strisced})
    *v = f.long_value();
  if (const RecordOutcome o = check_position(ctx.model, b.posizione, kRecordMargin, object_cell(b.posizione));
      !o.is_accepted())
    return o;
  return memo_indicatori_v_max(ctx.model, b);
}

RecordOutcome sign_board(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  formats::RecordFields f(src, formats::line_record(keywords::kSignBoard));
  const int32_t position = f.long_value();
  ctx.model.current_field = f.text();
  if (const RecordOutcome o = check_position(ctx.model, position, kRecordMargin, object_cell(position));
      !o.is_accepted())
    return o;
  return memo_cartello(ctx.model, loop.next_free_sign_record, position, ctx.model.current_field);
}

// Tries the five rows in order on the keyword candidate; every matching row
// reads its record. Only the sign-board row, the last, changes the field.
RecordOutcome read_record(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  using namespace keywords;
  RouteModel& m = ctx.model;
  const std::string keyword = m.current_field;
  RecordOutcome o = RecordOutcome::accepted();
  for_each_match(kLineRows, keyword, [&](size_t row) {
    switch (static_cast<Line>(row)) {
      case kGradient:
        o = gradient(ctx, src, loop);
        break;
      // Curves are records only when the plan of the line is made.
      case kCurve:
        if (m.with_profile != 0) o = curve(ctx, src, loop, keyword);
        break;
      case kMontagna:
        o = montagna(ctx, src);
        break;
      case kSpeedBoards:
        o = speed_boards(ctx, src);
        break;
      case kSignBoard:
        o = sign_board(ctx, src, loop);
        break;
    }
    return o.is_accepted();
  });
  return o;
}

}  // namespace

LineLoopEnd read_line_records(CompileContext& ctx, SourceFields& src, LineLoop& loop) {
  RouteModel& m = ctx.model;
  while (const std::optional<Field> f = next_candidate(src, kLineScan, &m.current_field)) {
    enter_record(ctx, src.file(), *f);
    const RecordOutcome o = read_record(ctx, src, loop);
    record_outcome(ctx, o);
    if (o.kind == RecordOutcome::Kind::kEndOfReading) break;
    if (o.kind == RecordOutcome::Kind::kRefused) return LineLoopEnd::kRefused;
  }
  return LineLoopEnd::kEndOfFile;
}

}  // namespace scenario
