#include "compiler/signals_stations.h"

#include "compiler/arith.h"
#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/source_formats.h"

namespace scenario {

namespace {

constexpr int kApproachCells = 4;
constexpr int32_t kPassingKinds = 25;  // from this kind on the train passes without stopping
constexpr int32_t kMinZoneGap = 350;   // metres between one zone's end and the next zone's start

// The zone of a station by its kind: kinds 5 and 6 reach back the whole
// length and end 150 m on, kinds 7 and 8 reach the whole length both ways,
// the others are centred on the position and end 50 m later with flag3.
void set_zone(ScenarioRecord& r, int32_t p, int32_t length) {
  const int64_t pos = p;
  switch (r.kind) {
    case 5:
    case 6:
      r.long1 = low32(pos - length);
      r.long2 = low32(pos + 150);
      r.flag3 = 0;
      break;
    case 7:
    case 8:
      r.long1 = low32(pos - length);
      r.long2 = low32(pos + length);
      r.flag3 = 0;
      break;
    default:
      r.long1 = low32(pos - length / 2);
      r.long2 = low32(pos + length / 2 + (r.flag3 != 0 ? 50 : 0));
      break;
  }
}

}  // namespace

RecordOutcome memo_segnale(RouteModel& m, int32_t posizione, SignalFields& f) {
  const int64_t i = object_cell(posizione);
  if (!m.free_at(i)) return RecordOutcome::refused(error::kSignalOccupied, posizione);
  TrackCell& c = m.cell(i);
  c.kind = cell_kind::kSignal;
  c.value4 = low16(int64_t{f.rapp} * 10 + int64_t{f.sx} * 3 + f.dx);
  c.value1 = low16(int64_t{f.s1} * 10 + f.d1);
  c.value2 = low16(int64_t{f.s2} * 10 + f.d2);
  c.value3 = low16(int64_t{f.s3} * 10 + f.d3);
  if (f.tempo >= 1 && f.tempo <= 100) f.tempo = 101;
  c.timer = f.sx == 2 ? low8(f.tempo) : 0;

  // Approach markers every 100 m before the signal, nearest first.
  const int64_t form = (int64_t{f.sx} * 3 + f.dx) * 10;
  for (int k = 1; k <= kApproachCells; ++k) {
    const int64_t j = i - 2 * k;
    if (j < 0) break;
    m.cell(j).approach = low8(form + k);
  }
  return RecordOutcome::accepted();
}

RecordOutcome read_station(RouteModel& m, SourceFields& in, StationCounter& counter) {
  const int32_t k = counter.next;
  // Records above next_free_sign_record hold sign-board texts; a station
  // never overwrites one (only possible when the boards took all 80).
  if (k > counter.next_free_sign_record) return RecordOutcome::refused(error::kTooManyStations);
  ScenarioRecord& r = m.table[static_cast<size_t>(k)];

  formats::RecordFields f(in, formats::train_record(keywords::kStation));
  const int32_t p = f.long_value();
  r.long3 = p;
  if (const RecordOutcome o = check_position(m, p, kStationMargin, p); !o.is_accepted()) return o;
  if (p % 50 != 0) return RecordOutcome::refused(error::kStationPosition, p);
  r.kind = static_cast<uint8_t>(f.number());
  const int32_t length = f.long_value();
  if (length % 100 != 0) return RecordOutcome::refused(error::kStationLength, p);
  r.flag0 = static_cast<uint8_t>(f.number());
  r.flag4 = static_cast<uint8_t>(f.number());
  r.flag3 = static_cast<uint8_t>(f.number());
  r.num1 = static_cast<int16_t>(f.number());
  r.num2 = static_cast<int16_t>(f.number());
  r.flag1 = static_cast<uint8_t>(f.number());
  r.num3 = static_cast<int16_t>(f.number());
  r.num4 = static_cast<int16_t>(f.number());
  r.num5 = static_cast<int16_t>(f.number());
  r.flag2 = static_cast<uint8_t>(f.number());
  const int64_t hours = f.long_value();
  const int64_t minutes = f.long_value();
  const int64_t seconds = f.long_value();
  r.long4 = low32((hours * 60 + minutes) * 60 + seconds);
  r.text = f.text();

  set_zone(r, p, length);
  if (length < 600) r.flag4 = 0;
  if (k == 1) {
    // After the zone: the first station keeps the 50 m its flag3 added.
    r.flag3 = 0;
    r.flag4 = 0;
  }

  // The stop cell is the last cell of the zone; approach markers lie on the
  // four cells before it. Markers beyond the grid are skipped.
  const int64_t e = static_cast<int64_t>(round_half_even(static_cast<double>(r.long2) / 50.0));
  const bool stops = r.kind < kPassingKinds;
  if (stops && r.kind != 5 && r.kind != 6) {
    for (int j = 1; j <= kApproachCells; ++j) {
      const int64_t c = e - j - 1;
      if (c > 1 && c <= m.grid_end) m.cell(c).approach = low8(80 + j);
    }
  }
  if (stops) {
    const int64_t stop = e - 1;
    if (stop <= 1) return RecordOutcome::refused(error::kStationAtStart);
    if (stop > m.grid_end) return RecordOutcome::refused(error::kStationBeyondGrid, p);
    TrackCell& c = m.cell(stop);
    c.kind = cell_kind::kStationStop;
    c.value1 = low16(k);
  }

  if (k > 1 && int64_t{r.long1} - kMinZoneGap < m.table[static_cast<size_t>(k - 1)].long2)
    return RecordOutcome::refused(error::kStationsTooClose, p);
  counter.next = k + 1;
  if (counter.next >= counter.next_free_sign_record) return RecordOutcome::refused(error::kTooManyStations);
  return RecordOutcome::accepted();
}

}  // namespace scenario
