// The final checks and check codes: the format marker 610 and the marker
// 5121, the scenario check code (codice_gara_st) and the grid check code
// (codice_gara_og), each stamped into a place that must still be empty.
#pragma once

#include <cstdint>

#include "compiler/route_model.h"

namespace scenario {

// Runs the checks and stamps the markers and codes. Returns 0 when all is
// stamped, or the number of the failed check (1250 or 1251), in which case
// nothing more may be written. The grid must be sized.
int32_t run_final_checks(RouteModel& m);

}  // namespace scenario
