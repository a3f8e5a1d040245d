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
    if (r == 0.0) {
      straight();
    } else {
      turn(r);
    }
  }
  void straight() {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    shift(x1 + dx, y1 + dy);
  }
  void turn(double r) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double step_x = dx + dy * r;
    const double step_y = dy - dx * r;
    shift(x1 + step_x, y1 + step_y);
  }
  void shift(double x2, double y2) {
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
  friend class PlanWalker;

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

// Walks a plan from metre 0 in steps: each call of walk_to visits the
// metres after the last one visited, up to a given metre, as walk does. A
// writer can thus hand over its buffer between calls, outside the loop
// that runs once per metre. The plan must not change during the walk.
class PlanWalker {
 public:
  explicit PlanWalker(const LineProfile& p)
      : p_(p), s_{p.head_x_[0].value, p.head_y_[0].value, p.head_x_[1].value, p.head_y_[1].value} {}

  // The next metre to visit; beyond last() when the walk is over.
  int32_t next() const { return next_; }

  // Calls visit(m, x, y) for every metre m from next() to `to` (at most
  // last()), in order.
  template <typename Visit>
  void walk_to(int32_t to, Visit&& visit);

 private:
  const LineProfile& p_;
  int32_t next_ = 0;
  size_t run_ = 0;  // the first run not laid out completely
  PlanStep s_;
};

template <typename Visit>
void PlanWalker::walk_to(int32_t to, Visit&& visit) {
  to = std::min(to, p_.last_);
  if (p_.arrays_) {
    for (; next_ <= to; ++next_) {
      const auto i = static_cast<size_t>(next_);
      visit(next_, PlanElement{p_.tx_[i], p_.x_[i]}, PlanElement{p_.ty_[i], p_.y_[i]});
    }
    return;
  }
  for (; next_ <= to && next_ < 2; ++next_) {
    const auto i = static_cast<size_t>(next_);
    visit(next_, p_.head_x_[i], p_.head_y_[i]);
  }
  PlanStep s = s_;  // a local copy stays in registers along the loops
  for (; run_ < p_.runs_.size() && next_ <= to; ++run_) {
    const LineProfile::Run& run = p_.runs_[run_];
    const int32_t last = std::min(run.last, to);
    // Straights and curves in loops of their own: the test of the rate
    // stays out of the loop that runs once per metre.
    if (run.rate == 0.0) {
      for (int32_t m = next_; m <= last; ++m) {
        s.straight();
        visit(m, PlanElement{ProfileType::kDouble, s.x1}, PlanElement{ProfileType::kDouble, s.y1});
      }
    } else {
      for (int32_t m = next_; m <= last; ++m) {
        s.turn(run.rate);
        visit(m, PlanElement{ProfileType::kDouble, s.x1}, PlanElement{ProfileType::kDouble, s.y1});
      }
    }
    next_ = last + 1;
    if (last < run.last) break;  // the run goes on in the next call
  }
  s_ = s;
  for (; next_ <= to; ++next_) visit(next_, PlanElement{}, PlanElement{});
}

template <typename Visit>
void LineProfile::walk(Visit&& visit) const {
  PlanWalker(*this).walk_to(last_, visit);
}

}  // namespace scenario
