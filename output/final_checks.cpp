#include "output/final_checks.h"

#include "output/check_codes.h"

namespace scenario {

namespace {

constexpr int16_t kFormatMarker = 610;
constexpr int16_t kGridMarker = 5121;
constexpr int32_t kMarkersTaken = 1250;
constexpr int32_t kCodesTaken = 1251;

}  // namespace

int32_t run_final_checks(RouteModel& m) {
  ScenarioRecord& route = m.table[record::kRoute];
  TrackCell& first = m.cell(1);

  if (route.num1 != 0 || first.value1 != 0) return kMarkersTaken;
  route.num1 = kFormatMarker;
  first.value1 = kGridMarker;

  // The places of the codes are checked with the markers already stamped.
  if (route.long4 != 0 || first.value2 != 0) return kCodesTaken;
  route.long4 = codice_gara_st(m);
  // The grid check code is at most 25 x 255 = 6375: it always fits 16 bits.
  first.value2 = static_cast<int16_t>(codice_gara_og(m));
  return 0;
}

}  // namespace scenario
