#include "compiler/line_reader.h"

#include "compiler/error_codes.h"
#include "compiler/line_general.h"
#include "compiler/line_records.h"
#include "compiler/progressive_ordina.h"
#include "compiler/record_scanner.h"
#include "compiler/source_fields.h"

namespace scenario {

namespace {

// Ends the phase without the train phase: the line source is deleted (the
// whole source was read at the start, so there is nothing to close) and
// the error, when there is one still to record, is recorded.
LinePhaseResult stop(CompileContext& ctx, const RecordOutcome& outcome = RecordOutcome::accepted()) {
  ctx.sources.remove(SourceKind::kLine);
  record_outcome(ctx, outcome);
  return {};
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

  // The header as the source's last field leaves no section to read.
  if (!find_general_header(src, &m.current_field) || src.eof())
    return stop(ctx, RecordOutcome::refused(error::kNoGeneralSection));

  const GeneralSection general = read_general_section(ctx, src);
  if (!general.outcome.is_accepted()) return stop(ctx, general.outcome);
  if (!general.length_read) {
    // Without a route length there is no grid to lay anything on.
    leave_record(ctx);
    return stop(ctx, RecordOutcome::refused(error::kNoRouteLength));
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
