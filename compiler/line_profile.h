// The plan of the line: one point per metre, each coordinate an element that
// is empty, a 16-bit integer or a double. The compiler lays it as runs of
// metres by the plan's rule; the output stage walks it point by point.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace scenario {

// The kind of value an element of the line profile holds. The numbers are
// the type codes the line profile file stores before each element.
enum class ProfileType : uint8_t { kEmpty = 0, kInt16 = 2, kDouble = 5 };

// One element: its type and its value as a real (0 when empty).
struct PlanElement {
  ProfileType type = ProfileType::kEmpty;
  double value = 0.0;
};

// The plan's rule for one metre: the new point is the last point plus the
// last step (last point minus the one before it) turned by the rate r. Each
// component of the turned step is rounded to a double before it is added,
// and both use the old step. A rate of 0 makes a straight step.
struct PlanStep {
  double x0, y0;  // the point two metres back
  double x1, y1;  // the last point

  void advance(double r) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double x2, y2;
    if (r == 0.0) {
      x2 = x1 + dx;
      y2 = y1 + dy;
    } else {
      const double step_x = dx + dy * r;
      const double step_y = dy - dx * r;
      x2 = x1 + step_x;
      y2 = y1 + step_y;
    }
    x0 = x1;
    y0 = y1;
    x1 = x2;
    y1 = y2;
  }
};

// The plan, metres 0 to last().
//
// The compiler sets the first two points and then lays every later metre by
// the plan's rule, run after run. Such a plan is kept as its runs only (a
// few bytes per curve rather than 18 bytes per metre: a million-metre route
// would otherwise take 18 MB) and its points are computed as they are
// walked. The first access to single elements (reading any, or writing one
// beyond the first two points) turns the plan into plain arrays of values
// and types, which every later operation uses.
class LineProfile {
 public:
  LineProfile() = default;
  // Creates the plan for metres 0 to last, every element empty.
  explicit LineProfile(int32_t last);

  int32_t last() const { return last_; }
  bool empty() const { return last_ < 0; }

  // axis 0 is x, axis 1 is y.
  ProfileType type(int32_t m, int axis) const { return types(axis)[static_cast<size_t>(m)]; }
  // The value as a real; an empty element reads as 0.
  double value(int32_t m, int axis) const { return values(axis)[static_cast<size_t>(m)]; }

  void set_int16(int32_t m, int axis, int16_t v) { set(m, axis, {ProfileType::kInt16, static_cast<double>(v)}); }
  void set_double(int32_t m, int axis, double v) { set(m, axis, {ProfileType::kDouble, v}); }

  // Every element of one axis, metres 0 to last().
  const std::vector<double>& values(int axis) const;
  const std::vector<ProfileType>& types(int axis) const;

  // Lays metres first to last, each a double computed by the plan's rule
  // from the two points before it with rate r. Needs 2 <= first <= last <=
  // last(); anything else lays nothing.
  void lay(int32_t first, int32_t last, double r);

  // How many elements of one axis hold each type: empty, int16, double.
  struct TypeCounts {
    int64_t empty = 0, int16 = 0, real = 0;
  };
  TypeCounts type_counts(int axis) const;

  // Calls visit(m, x, y) with the two elements of every metre m, from 0 to
  // last(), in order, without turning a laid plan into arrays.
  template <typename Visit>
  void walk(Visit&& visit) const;

 private:
  // A run of metres laid by the plan's rule with one rate.
  struct Run {
    int32_t first;
    int32_t last;
    double rate;
  };

  void set(int32_t m, int axis, PlanElement e);
  // Turns a laid plan into arrays; nothing to do when it already is one.
  void to_arrays() const;

  int32_t last_ = -1;
  // A laid plan: the first two points, then metres 2 to laid_end_ by runs;
  // every later element is empty.
  std::array<PlanElement, 2> head_x_{}, head_y_{};
  std::vector<Run> runs_;
  int32_t laid_end_ = 1;
  // Arrays, once the plan has been turned into them. Filled by const reads,
  // so they belong to the plan's cached state.
  mutable bool arrays_ = false;
  mutable std::vector<double> x_, y_;
  mutable std::vector<ProfileType> tx_, ty_;
};

template <typename Visit>
void LineProfile::walk(Visit&& visit) const {
  if (empty()) return;
  if (arrays_) {
    for (int32_t m = 0; m <= last_; ++m) {
      const auto i = static_cast<size_t>(m);
      visit(m, PlanElement{tx_[i], x_[i]}, PlanElement{ty_[i], y_[i]});
    }
    return;
  }
  for (int32_t m = 0; m <= last_ && m < 2; ++m) {
    visit(m, head_x_[static_cast<size_t>(m)], head_y_[static_cast<size_t>(m)]);
  }
  PlanStep s{head_x_[0].value, head_y_[0].value, head_x_[1].value, head_y_[1].value};
  for (const Run& run : runs_) {
    for (int32_t m = run.first; m <= run.last; ++m) {
      s.advance(run.rate);
      visit(m, PlanElement{ProfileType::kDouble, s.x1}, PlanElement{ProfileType::kDouble, s.y1});
    }
  }
  for (int32_t m = std::max(laid_end_ + 1, 2); m <= last_; ++m) visit(m, PlanElement{}, PlanElement{});
}

}  // namespace scenario
