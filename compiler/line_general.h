// The general section of the line source: the route length that sizes the
// track grid and the plan, the three kilometre references, the three
// background values and the stretch over which cab-signal codes are
// repeated. The section runs from "[generale]" to the next section header.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"
#include "compiler/record_outcome.h"
#include "compiler/source_fields.h"

namespace scenario {

struct GeneralSection {
  RecordOutcome outcome;     // a refusal stops the line phase
  bool length_read = false;  // a route length sized the grid
};

// Reads the general section from the field after "[generale]" up to and
// including the header that closes it, or to the end of the source. Stops
// at the first refusal, with the record's place still in ctx.
[[nodiscard]] GeneralSection read_general_section(CompileContext& ctx, SourceFields& src);

}  // namespace scenario
