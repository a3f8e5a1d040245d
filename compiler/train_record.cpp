#include "compiler/train_record.h"

#include "compiler/arith.h"
#include "compiler/error_codes.h"

namespace scenario {

RecordOutcome check_train_grid(CompileContext& ctx, int32_t p, int32_t margin) {
  if (!position_accepted(p, margin, ctx.model.grid_end)) {
    record_error(ctx, error::kBeyondGrid, p);
    return RecordOutcome::kEndReading;
  }
  return RecordOutcome::kGoOn;
}

RecordOutcome check_train_position(CompileContext& ctx, int32_t p, int32_t margin) {
  if (const RecordOutcome o = check_train_grid(ctx, p, margin); o != RecordOutcome::kGoOn) return o;
  // A train object before the start of the line would address cells before cell 0.
  if (p < 0) {
    record_error(ctx, error::kNegativePosition, p);
    return RecordOutcome::kAbort;
  }
  return RecordOutcome::kGoOn;
}

}  // namespace scenario
