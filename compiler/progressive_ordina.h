// progressive_ordina: puts the three kilometre references of scenario
// records 81 to 83 in descending order of their first value, and adds
// 100 m to the second value of every reference whose flag is 1.
#pragma once

#include "compiler/route_model.h"

namespace scenario {

void progressive_ordina(ScenarioTable& table);

}  // namespace scenario
