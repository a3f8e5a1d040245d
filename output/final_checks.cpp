#include "output/final_checks.h"

namespace scenario {

int32_t run_final_checks(RouteModel& m) {
  // Placeholder until the checks land: only the markers.
  m.table[record::kRoute].num1 = 610;
  m.cell(1).value1 = 5121;
  return 0;
}

}  // namespace scenario
