// Signals and stations of the train source. memo_segnale puts a signal on
// its track cell with four approach markers before it; the station handler
// reads a "stazione" record into the next scenario record, gives the place
// its zone along the line and, for the kinds the train stops at, a stop cell
// and approach markers.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"
#include "compiler/record_outcome.h"
#include "compiler/source_fields.h"

namespace scenario {

// The ten fields of a "segnale" record after its position, in file order.
struct SignalFields {
  int32_t sx = 0;  // left-hand form code
  int32_t s1 = 0;
  int32_t s2 = 0;
  int32_t s3 = 0;
  int32_t rapp = 0;  // kept in the tens of value4
  int32_t dx = 0;    // right-hand form code
  int32_t d1 = 0;
  int32_t d2 = 0;
  int32_t d3 = 0;
  int32_t tempo = 0;  // a time value; 0 for none
};

// Places a signal in its object cell round(posizione / 50 + 1). A tempo of
// 1 to 100 is raised to 101 in f. When the cell is not free (or lies off the
// grid) nothing is written and the signal is refused with 16 at posizione.
// Approach cells that would lie before cell 0 are skipped; the signal
// itself is placed.
[[nodiscard]] RecordOutcome memo_segnale(RouteModel& m, int32_t posizione, SignalFields& f);

// The stations read so far and the room left for them.
struct StationCounter {
  int32_t next = 1;                    // the scenario record the next station takes
  int32_t next_free_sign_record = 80;  // the sign boards hold every record above this one
};

// Reads the seventeen fields after a "stazione" keyword into the counter's
// record, checking as it goes: position beyond the grid (15, end of
// reading), before the line's start (204), not a multiple of 50 (8), length
// not a multiple of 100 (9), a stop cell at the start of the grid (24) or
// beyond it (205), a zone too close to the previous one (22), no record
// left for another station (10). Fields that do not read are a run-time
// failure.
[[nodiscard]] RecordOutcome read_station(RouteModel& m, SourceFields& in, StationCounter& counter);

}  // namespace scenario
