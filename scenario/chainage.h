// The kilometre posts of the Corvale–Mirbosco line as the driver reads them.
// From Corvale the posts count up from 0; at the junction the line joins the
// main line, whose posts count down towards Mirbosco: there the kilometre is
// the main line's origin minus the position. Both come from the built-in
// line text's kilometre reference, read and ordered by the compiler
// ("progressiva chilometrica uno, 23450, 218300, 1": the junction at
// 23450 m, the origin 218300 + 100 m).
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

// The position of the junction, and the kilometre the main line's posts
// count down from.
struct Junction {
  int32_t position;
  int32_t main_line_origin;
};
const Junction& builtin_junction();

// The kilometre reading, in metres, at a position of the line.
int32_t chainage_metres(int32_t position);

// True when the posts count down at this position (the train runs towards
// lower kilometres).
bool counts_down(int32_t position);

// A kilometre reading in metres as the timetable writes it: "2.000",
// "194.950", "-1.600".
std::string kilometres_text(int32_t metres);

}  // namespace scenario
