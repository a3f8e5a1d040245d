// The two check codes of a compiled scenario: the same character sum over
// the code text (the lower-cased train number and route name followed by a
// fixed filler) with two weightings. The scenario check code travels in the
// scenario file, the grid check code in the track file.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/route_model.h"

namespace scenario {

// The filler appended to the code text, so that it always has 25 characters.
inline constexpr const char* kCodeFiller = "qqrrssttuuvvzzbbccddffgghh";
// How many characters of the code text enter the codes.
inline constexpr int kCodeLength = 25;

// The code text: the train number (record 86) then the route name (record
// 85), lower-cased as Windows-1252 text, then the filler.
std::string code_text(const RouteModel& m);

// The scenario check code: the sum of position x character code over the
// first 25 characters, 0 to 82875. Leaves the code text in current_field.
int32_t codice_gara_st(RouteModel& m);

// The grid check code: the sum of the character codes of the first 25
// characters, 0 to 6375. Leaves the code text in current_field.
int32_t codice_gara_og(RouteModel& m);

}  // namespace scenario
