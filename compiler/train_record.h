// What a record handler of the train source tells the reader, and the
// position checks every train record passes before it writes anything.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

enum class RecordOutcome {
  kGoOn,        // the record is stored; the reader goes on with the next field
  kEndReading,  // a position beyond the grid: the reader ends as at the end of the file
  kAbort,       // a refusal: the reader deletes the train source and memorizza_dati ends
};

// How far past a record's position the grid must reach: stations need room
// for their zone, every other record for its object cell.
inline constexpr int32_t kRecordMargin = 100;
inline constexpr int32_t kStationMargin = 800;

// The position check of a train record at p: (p + margin) / 50 must not be
// greater than the grid's upper index (else ErrorCode 15 with ErrorPosition
// p, end of reading). It bounds positions from above only, as speed limits
// and adhesion need: a run before the start of the line writes no cell.
[[nodiscard]] RecordOutcome check_train_grid(CompileContext& ctx, int32_t p, int32_t margin);

// The check of a train object (signal, slowdown, station, code reduction):
// the grid check, then p must not lie before the start of the line (else
// 204 with ErrorPosition p, abort), since these would address cells before
// cell 0.
[[nodiscard]] RecordOutcome check_train_position(CompileContext& ctx, int32_t p, int32_t margin);

}  // namespace scenario
