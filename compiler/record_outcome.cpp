#include "compiler/record_outcome.h"

#include "compiler/arith.h"
#include "compiler/error_codes.h"

namespace scenario {

void record_outcome(CompileContext& ctx, const RecordOutcome& outcome) {
  if (outcome.code != 0) record_error(ctx, outcome.code, outcome.position);
}

RecordOutcome check_position(const RouteModel& m, int32_t p, int32_t margin, std::optional<int64_t> first_index) {
  if (!position_accepted(p, margin, m.grid_end)) return RecordOutcome::end_of_reading(error::kBeyondGrid, p);
  if (first_index && *first_index < 0) return RecordOutcome::refused(error::kNegativePosition, p);
  return RecordOutcome::accepted();
}

}  // namespace scenario
