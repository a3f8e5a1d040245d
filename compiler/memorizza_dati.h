// memorizza_dati: compiles the two source texts into the route model. The
// line phase reads the line source, the train phase the train source; one
// error handler covers both and turns any run-time failure into ErrorCode 25.
#pragma once

#include "compiler/compile_context.h"

namespace scenario {

void memorizza_dati(CompileContext& ctx);

}  // namespace scenario
