// The line's geometry: the gradient runs laid into the track grid from the
// "pendenza" records, the plan of the line laid metre by metre from the
// curve records, and the tails that carry both on to the end of their
// arrays when the line source ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "compiler/route_model.h"

namespace scenario {

// The plan's longest reach: a curve that pushes the plan cursor past this
// metre is refused.
inline constexpr int64_t kPlanLimit = 1000000;

// Where the geometry stands while the line records are read.
struct LineCursors {
  int32_t current_gradient = 0;  // per mille, of the run being laid
  int64_t gradient_cursor = 0;   // first cell whose gradient is not yet written
  int64_t plan_cursor = 2;       // first metre whose plan point is not yet computed
};

// Points 0 and 1 of the plan, (0, 0) and (0, 1), as 16-bit integers: the line
// leaves the origin heading along +y. Nothing happens without a plan.
void first_plan_points(RouteModel& m);

// A gradient record (P, G): the run of the current gradient is laid up to
// the cell before round(P / 50), then G becomes the current gradient.
void gradient_record(RouteModel& m, LineCursors& c, int32_t position, int32_t gradient);

// The turning rate r of a curve keyword: the class digit (the first of 1 to 6
// that it holds) gives the size, the letter "s" turns it to the left. Empty
// when the keyword holds no class digit.
std::optional<double> curve_rate(std::string_view keyword);

// How a curve record ended.
enum class CurveOutcome { kLaid, kPastPlanLimit };

// A curve record (S, C) with rate r: the plan runs straight up to metre S,
// then turns by r per metre up to metre S + C. The plan is never laid
// beyond profile_end - 2: a curve reaching further is cut there.
CurveOutcome curve_record(RouteModel& m, LineCursors& c, double rate, int32_t start, int32_t length);

// At the end of the line source: the current gradient is carried on up to
// cell N - 3 (at least one cell is written).
void gradient_tail(RouteModel& m, LineCursors& c);

// At the end of the line source: the plan runs straight on up to metre
// profile_end - 2.
void plan_tail(RouteModel& m, LineCursors& c);

}  // namespace scenario
