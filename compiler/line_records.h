// The line record loop: after the general section, every keyword candidate
// is tried on the five line rows (gradient, curve, montagna, speed boards,
// sign board), each record's position is checked against the grid, and the
// record is handed to its placer.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"
#include "compiler/line_geometry.h"
#include "compiler/source_fields.h"

namespace scenario {

enum class LineLoopEnd {
  kEndOfFile,  // the source ended, or a record failed the position check (15)
  kRefused,    // a record was refused: the error is recorded, the phase stops
};

struct LineLoop {
  LineCursors cursors;
  int32_t next_free_sign_record = record::kFirstSignBoard;
};

// Reads line records up to the end of the source.
LineLoopEnd read_line_records(CompileContext& ctx, SourceFields& src, LineLoop& loop);

}  // namespace scenario
