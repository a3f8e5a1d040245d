#include "compiler/line_reader.h"

#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/line_general.h"
#include "compiler/line_records.h"
#include "compiler/progressive_ordina.h"
#include "compiler/source_fields.h"

namespace scenario {

namespace {

// Ends the phase without the train phase: the line source is deleted (the
// whole source was read at the start, so there is nothing to close) and
// the error, when there is one still to record, is recorded.
LinePhaseResult stop(CompileContext& ctx, int32_t code = 0) {
  ctx.sources.remove(SourceKind::kLine);
  if (code != 0) record_error(ctx, code);
  return {};
}

void leave_record(CompileContext& ctx) {
  ctx.record_at.reset();
  ctx.record_keyword.clear();
}

// Passes over everything up to the first field that holds "[generale]".
// False when the source ends first, the header itself being its last field
// included.
bool find_general_section(RouteModel& m, SourceFields& src) {
  while (!src.eof()) {
    m.current_field = src.text().text;
    if (src.eof()) return false;
    if (keywords::contains(m.current_field, "[generale]", true)) return true;
  }
  return false;
}

}  // namespace

LinePhaseResult read_line_source(CompileContext& ctx) {
  RouteModel& m = ctx.model;
  if (!ctx.sources.exists(SourceKind::kLine)) {
    record_error(ctx, error::kNoLineSource);
    return {};
  }
  const std::optional<std::string> text = ctx.sources.read(SourceKind::kLine);
  if (!text) throw RuntimeFailure{"the line source cannot be opened", SourceLocation{SourceKind::kLine, 1, 1}};
  SourceFields src(SourceKind::kLine, *text);

  if (!find_general_section(m, src)) return stop(ctx, error::kNoGeneralSection);

  const GeneralSection general = read_general_section(ctx, src);
  if (general.refusal != 0) return stop(ctx, general.refusal);
  if (!general.length_read) {
    // Without a route length there is no grid to lay anything on.
    leave_record(ctx);
    return stop(ctx, error::kNoRouteLength);
  }
  progressive_ordina(m.table);

  m.montagna_count = 0;
  LineLoop loop;
  first_plan_points(m);
  if (read_line_records(ctx, src, loop) == LineLoopEnd::kRefused) return stop(ctx);

  // The end of the line source, reached at its last field or by a record
  // beyond the grid.
  leave_record(ctx);
  ctx.sources.remove(SourceKind::kLine);
  gradient_tail(m, loop.cursors);
  if (m.with_profile != 0) plan_tail(m, loop.cursors);
  return {true, loop.next_free_sign_record};
}

}  // namespace scenario
