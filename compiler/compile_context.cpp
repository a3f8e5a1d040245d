#include "compiler/compile_context.h"

namespace scenario {

void record_error(CompileContext& ctx, int32_t code, std::optional<int32_t> position) {
  ctx.model.ErrorCode = code;
  if (position) ctx.model.ErrorPosition = *position;
  if (ctx.observer) ctx.observer->error_recorded(code, position, ctx.record_at, ctx.record_keyword);
}

}  // namespace scenario
