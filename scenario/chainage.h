// The kilometre posts of the Corvale–Mirbosco line as the driver reads them.
// From Corvale the posts count up from 0; at 23450 m the line joins the main
// line, whose posts count down towards Mirbosco: there the kilometre is
// 218400 m minus the position (the line's kilometre reference "uno",
// 218300 + 100 m, from 23450 m on).
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

inline constexpr int32_t kJunctionPosition = 23450;
inline constexpr int32_t kMainLineOrigin = 218400;

// The kilometre reading, in metres, at a position of the line.
int32_t chainage_metres(int32_t position);

// True when the posts count down at this position (the train runs towards
// lower kilometres).
bool counts_down(int32_t position);

// A kilometre reading in metres as the timetable writes it: "2.000",
// "194.950", "-1.600".
std::string kilometres_text(int32_t metres);

}  // namespace scenario
