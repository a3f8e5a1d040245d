#include "compiler/line_reader.h"

namespace scenario {

LinePhaseResult read_line_source(CompileContext& ctx) {
  // Placeholder until the line phase lands: no line source is read.
  (void)ctx;
  return {};
}

}  // namespace scenario
