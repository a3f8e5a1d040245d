#include "compiler/memorizza_dati.h"

#include "compiler/line_reader.h"
#include "compiler/train_reader.h"

namespace scenario {

void memorizza_dati(CompileContext& ctx) {
  RouteModel& m = ctx.model;
  try {
    m.table[record::kRoute].text = m.route_name;
    m.table[record::kSignals].text = m.train_number;
    const LinePhaseResult line = read_line_source(ctx);
    if (!line.go_on) return;
    read_train_source(ctx, line.next_free_sign_record);
  } catch (const RuntimeFailure& failure) {
    // The error handler: every source is read whole, so there is nothing to
    // close; both temporary sources go, and the compiler returns normally.
    ctx.sources.remove(SourceKind::kLine);
    ctx.sources.remove(SourceKind::kTrain);
    if (failure.where) ctx.record_at = failure.where;
    ctx.record_keyword = failure.message;
    record_error(ctx, 25);
  }
  leave_record(ctx);
}

}  // namespace scenario
