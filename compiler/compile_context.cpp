#include "compiler/compile_context.h"

namespace scenario {

void enter_record(CompileContext& ctx, SourceKind file, const Field& keyword) {
  ctx.record_at = SourceLocation{file, keyword.line, keyword.column};
  ctx.record_keyword = keyword.text;
}

void leave_record(CompileContext& ctx) {
  ctx.record_at.reset();
  ctx.record_keyword.clear();
}

void record_error(CompileContext& ctx, int32_t code, std::optional<int32_t> position) {
  ctx.model.ErrorCode = code;
  if (position) ctx.model.ErrorPosition = *position;
  if (ctx.observer) ctx.observer->error_recorded(code, position, ctx.record_at, ctx.record_keyword);
}

}  // namespace scenario
