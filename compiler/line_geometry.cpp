#include "compiler/line_geometry.h"

#include <algorithm>

#include "compiler/arith.h"
#include "compiler/keywords.h"

namespace scenario {

namespace {

// Writes the current gradient at the cursor and moves the cursor on. A
// cursor beyond the grid's last cell writes nothing.
void lay_gradient_cell(RouteModel& m, LineCursors& c) {
  if (c.gradient_cursor <= m.grid_end) {
    m.cell(c.gradient_cursor).gradient = low8(int64_t{c.current_gradient} + 100);
  }
  ++c.gradient_cursor;
}

// The last metre the plan may reach: the last two entries stay empty.
int64_t last_plan_metre(const RouteModel& m) { return int64_t{m.profile_end} - 2; }

// Lays the plan from the cursor up to metre `to` (cut at the plan's last
// metre), with rate r. The cursor advances one metre per point; false when
// it passes the plan limit, after the point at the limit has been laid.
bool lay_plan(RouteModel& m, LineCursors& c, int64_t to, double r) {
  const int64_t end = std::min(to, last_plan_metre(m));
  if (c.plan_cursor > end) return true;
  const int64_t last = std::min(end, std::max(c.plan_cursor, kPlanLimit));
  m.profile.lay(static_cast<int32_t>(c.plan_cursor), static_cast<int32_t>(last), r);
  c.plan_cursor = last + 1;
  return c.plan_cursor <= kPlanLimit;
}

}  // namespace

void first_plan_points(RouteModel& m) {
  if (m.profile.empty()) return;
  m.profile.set_int16(0, 0, 0);
  m.profile.set_int16(0, 1, 0);
  m.profile.set_int16(1, 0, 0);
  m.profile.set_int16(1, 1, 1);
}

void gradient_record(RouteModel& m, LineCursors& c, int32_t position, int32_t gradient) {
  const int64_t n = stretch_cell(position);
  if (n > 0) {
    do {
      lay_gradient_cell(m, c);
    } while (c.gradient_cursor < n);
  }
  c.current_gradient = gradient;
}

std::optional<double> curve_rate(std::string_view keyword) {
  static constexpr struct {
    char digit;
    double rate;
  } kClasses[] = {{'1', 0.0001}, {'2', 0.0002}, {'3', 0.0004}, {'4', 0.001}, {'5', 0.002}, {'6', 0.003}};
  for (const auto& k : kClasses) {
    if (keyword.find(k.digit) == std::string_view::npos) continue;
    return keywords::contains(keyword, "s", true) ? k.rate * -1.0 : k.rate;
  }
  return std::nullopt;
}

CurveOutcome curve_record(RouteModel& m, LineCursors& c, double rate, int32_t start, int32_t length) {
  if (m.profile.empty()) return CurveOutcome::kLaid;
  if (!lay_plan(m, c, start, 0.0)) return CurveOutcome::kPastPlanLimit;
  if (!lay_plan(m, c, int64_t{start} + length, rate)) return CurveOutcome::kPastPlanLimit;
  return CurveOutcome::kLaid;
}

void gradient_tail(RouteModel& m, LineCursors& c) {
  do {
    lay_gradient_cell(m, c);
  } while (c.gradient_cursor < int64_t{m.grid_end} - 2);
}

void plan_tail(RouteModel& m, LineCursors& c) {
  if (m.profile.empty()) return;
  const int64_t end = last_plan_metre(m);
  if (c.plan_cursor > end) return;
  m.profile.lay(static_cast<int32_t>(c.plan_cursor), static_cast<int32_t>(end), 0.0);
  c.plan_cursor = end + 1;
}

}  // namespace scenario
