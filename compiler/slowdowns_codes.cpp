#include "compiler/slowdowns_codes.h"

#include "compiler/arith.h"
#include "compiler/error_codes.h"

namespace scenario {

namespace {

constexpr int32_t kBoardDistance = 1200;  // the warning board stands this far before the start
constexpr int32_t kBoardFrom = 1500;      // starts up to here have no warning board
constexpr int kMarkerCells = 4;

// Cell indices as the slowdown rules round them, halves to even. The
// metres are real numbers so that no sum of two fields can wrap.
int64_t rounded(double cells) { return static_cast<int64_t>(round_half_even(cells)); }

}  // namespace

RecordOutcome memo_rallentamento(RouteModel& m, int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta,
                                 int32_t d_v) {
  const double board_metres = static_cast<double>(x) - kBoardDistance;
  const int64_t board = rounded(board_metres / 50.0 + 1.0);
  const int64_t start = object_cell(x);
  const int64_t end = rounded((static_cast<double>(x) + static_cast<double>(l)) / 50.0 + 1.0);
  const int64_t h = rounded(board_metres / 50.0);  // the first marker cell, nearest the board

  // A length that takes the end off the grid (negative, or past the grid's
  // end) is refused before anything is written.
  if (!m.in_grid(end)) return RecordOutcome::refused(error::kSlowdownEndOutside, x);
  const bool with_board = x > kBoardFrom;
  if (!with_board) f_ta = 0;
  if (with_board && !m.free_at(board)) return RecordOutcome::refused(error::kWarningBoardOccupied, x);
  if (!m.free_at(start)) return RecordOutcome::refused(error::kSlowdownStartOccupied, x);
  if (!m.free_at(end)) return RecordOutcome::refused(error::kSlowdownEndOccupied, x);

  TrackCell& end_cell = m.cell(end);
  end_cell.kind = cell_kind::kSlowdownEnd;
  if (d_v != 0) end_cell.value2 = low16(d_v);
  // A slowdown shorter than 25 m has its start and end in one cell: the
  // start is written last and stays.
  TrackCell& start_cell = m.cell(start);
  start_cell.kind = cell_kind::kSlowdownStart;
  if (d_v != 0) start_cell.value2 = low16(d_v);
  if (with_board) {
    TrackCell& b = m.cell(board);
    b.kind = cell_kind::kWarningBoard;
    if (d_v != 0) b.value2 = low16(d_v);
    b.value1 = low16(v);
  }
  for (TrackCell* c : {&start_cell, &end_cell}) {
    c->value1 = low16(v);
    c->value3 = low16(f_tt);
  }

  if (f_ta != 0) {
    for (int j = 0; j < kMarkerCells; ++j) {
      if (!m.free_at(h - j)) return RecordOutcome::refused(error::kWarningMarkersOccupied, x);
    }
    for (int j = 0; j < kMarkerCells; ++j) {
      TrackCell& c = m.cell(h - j);
      c.kind = cell_kind::kWarningMarker;
      c.value1 = low16(j + 1);
      if (d_v != 0) c.value2 = low16(j + 1);
    }
  }
  return RecordOutcome::accepted();
}

RecordOutcome place_code_reduction(RouteModel& m, int32_t p, int32_t code) {
  const int64_t i = stretch_cell(p);
  if (!m.free_at(i)) return RecordOutcome::refused(error::kCodeReductionOccupied, p);
  TrackCell& c = m.cell(i);
  if (code > 0) {
    c.kind = cell_kind::kCodeChange;
    c.value1 = low16(code);
  } else {
    c.kind = cell_kind::kCodeRemoval;
  }
  return RecordOutcome::accepted();
}

}  // namespace scenario
