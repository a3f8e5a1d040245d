#include "compiler/line_objects.h"

#include <algorithm>

#include "compiler/arith.h"
#include "compiler/compile_context.h"
#include "compiler/error_codes.h"

namespace scenario {

namespace {

// The 150 m rule: a section this close after the previous one is type 3.
constexpr int32_t kMontagnaGap = 150;
constexpr int32_t kJoinedMontagnaType = 3;
// Types above this also set markers.
constexpr int32_t kMarkedTypeOffset = 10;
// The last record a sign-board text may take; record 0 stays cleared.
constexpr int32_t kLastSignBoardRecord = 1;

// The object cell of a position, when it lies in the grid and is free. The
// position checks keep every accepted position inside the grid.
std::optional<int64_t> free_object_cell(const RouteModel& m, int32_t position) {
  const int64_t i = object_cell(position);
  if (!m.free_at(i)) return std::nullopt;
  return i;
}

}  // namespace

RecordOutcome memo_montagna(RouteModel& m, int32_t inizio, int32_t fine, int32_t tipo) {
  if (m.montagna_count >= kMontagnaSlots - 1) return RecordOutcome::refused(error::kTooManyMontagne, inizio);
  const bool markers = tipo > kMarkedTypeOffset;
  if (markers) tipo -= kMarkedTypeOffset;

  const int32_t k = ++m.montagna_count;
  m.montagna_starts[static_cast<size_t>(k)] = inizio;
  m.montagna_ends[static_cast<size_t>(k)] = fine;
  if (k > 1 && low32(int64_t{inizio} - m.montagna_ends[static_cast<size_t>(k - 1)]) <= kMontagnaGap) {
    tipo = kJoinedMontagnaType;
  }

  const int64_t first = stretch_cell(inizio);
  const auto last = static_cast<int64_t>(round_half_even(static_cast<double>(fine) / 50.0 - 1.0));
  // Cells outside the grid are cut off; the count of cells for the markers
  // still starts at the section's first cell.
  const int64_t from = std::max<int64_t>(first, 0);
  const int64_t to = m.grid_sized() ? std::min<int64_t>(last, m.grid_end) : -1;
  for (int64_t i = from; i <= to; ++i) {
    TrackCell& cell = m.cell(i);
    cell.montagna = low8(tipo);
    const int64_t counted = i - first + 1;
    if (markers && counted % 4 == 0 && cell.kind == cell_kind::kNothing) cell.kind = cell_kind::kMontagnaMarker;
  }
  return RecordOutcome::accepted();
}

std::optional<int16_t> board_speed_value(int32_t left, int32_t right) {
  // The rank product is taken in 32-bit arithmetic, which wraps; the fifth
  // of the right speed is added as a real.
  const int32_t product = low32(int64_t{left} * 20);
  return to_int16(static_cast<double>(right) / 5.0 + static_cast<double>(product));
}

RecordOutcome memo_indicatori_v_max(RouteModel& m, const SpeedBoards& b) {
  const auto i = free_object_cell(m, b.posizione);
  if (!i) return RecordOutcome::refused(error::kSpeedBoardsOccupied, b.posizione);
  TrackCell& cell = m.cell(*i);
  cell.kind = cell_kind::kSpeedBoards;
  auto speed = [](int32_t left, int32_t right, const char* rank) {
    const auto v = board_speed_value(left, right);
    if (!v) {
      throw RuntimeFailure{"the rank " + std::string(rank) + " speeds " + std::to_string(left) + " and " +
                               std::to_string(right) + " give a value outside the 16-bit range",
                           std::nullopt};
    }
    return *v;
  };
  cell.value1 = speed(b.vas, b.vad, "A");
  cell.value2 = speed(b.vbs, b.vbd, "B");
  cell.value3 = speed(b.vcs, b.vcd, "C");
  // The stripes: the low 16 bits of both counts, in wrapping 16-bit arithmetic.
  cell.value4 = low16(int32_t{low16(b.strisces)} * 10 + low16(b.strisced));
  return RecordOutcome::accepted();
}

RecordOutcome memo_cartello(RouteModel& m, int32_t& next_free_record, int32_t position, const std::string& text) {
  if (next_free_record < kLastSignBoardRecord) return RecordOutcome::refused(error::kTooManySignBoards, position);
  const auto i = free_object_cell(m, position);
  if (!i) return RecordOutcome::refused(error::kSignBoardOccupied, position);
  TrackCell& cell = m.cell(*i);
  cell.kind = cell_kind::kSignBoard;
  cell.value1 = static_cast<int16_t>(next_free_record);
  m.table[static_cast<size_t>(next_free_record)].text = text;
  --next_free_record;
  return RecordOutcome::accepted();
}

}  // namespace scenario
