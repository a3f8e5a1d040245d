#include "compiler/line_profile.h"

namespace scenario {

LineProfile::LineProfile(int32_t last) : last_(last < 0 ? -1 : last) {}

const std::vector<double>& LineProfile::values(int axis) const {
  to_arrays();
  return axis == 0 ? x_ : y_;
}

const std::vector<ProfileType>& LineProfile::types(int axis) const {
  to_arrays();
  return axis == 0 ? tx_ : ty_;
}

void LineProfile::to_arrays() const {
  if (arrays_) return;
  const auto n = static_cast<size_t>(last_ + 1);
  x_.assign(n, 0.0);
  y_.assign(n, 0.0);
  tx_.assign(n, ProfileType::kEmpty);
  ty_.assign(n, ProfileType::kEmpty);
  walk([this](int32_t m, PlanElement x, PlanElement y) {
    const auto i = static_cast<size_t>(m);
    x_[i] = x.value;
    tx_[i] = x.type;
    y_[i] = y.value;
    ty_[i] = y.type;
  });
  arrays_ = true;
}

void LineProfile::set(int32_t m, int axis, PlanElement e) {
  if (m < 0 || m > last_) return;
  if (!arrays_ && m < 2 && runs_.empty()) {
    (axis == 0 ? head_x_ : head_y_)[static_cast<size_t>(m)] = e;
    return;
  }
  to_arrays();
  const auto i = static_cast<size_t>(m);
  (axis == 0 ? x_ : y_)[i] = e.value;
  (axis == 0 ? tx_ : ty_)[i] = e.type;
}

void LineProfile::lay(int32_t first, int32_t last, double r) {
  if (first < 2 || first > last || last > last_) return;
  if (!arrays_ && first == laid_end_ + 1) {
    if (!runs_.empty() && runs_.back().rate == r && runs_.back().last + 1 == first) {
      runs_.back().last = last;
    } else {
      runs_.push_back(Run{first, last, r});
    }
    laid_end_ = last;
    return;
  }
  to_arrays();
  const auto at = [](int32_t m) { return static_cast<size_t>(m); };
  PlanStep s{x_[at(first - 2)], y_[at(first - 2)], x_[at(first - 1)], y_[at(first - 1)]};
  for (int32_t m = first; m <= last; ++m) {
    s.advance(r);
    x_[at(m)] = s.x1;
    y_[at(m)] = s.y1;
    tx_[at(m)] = ProfileType::kDouble;
    ty_[at(m)] = ProfileType::kDouble;
  }
}

LineProfile::TypeCounts LineProfile::type_counts(int axis) const {
  TypeCounts c;
  const auto count = [&c](ProfileType t) {
    if (t == ProfileType::kEmpty)
      ++c.empty;
    else if (t == ProfileType::kInt16)
      ++c.int16;
    else
      ++c.real;
  };
  if (empty()) return c;
  if (arrays_) {
    for (ProfileType t : axis == 0 ? tx_ : ty_) count(t);
    return c;
  }
  const auto& head = axis == 0 ? head_x_ : head_y_;
  for (int32_t m = 0; m <= last_ && m < 2; ++m) count(head[static_cast<size_t>(m)].type);
  if (last_ >= 2) {
    c.real += laid_end_ - 1;
    c.empty += last_ - laid_end_;
  }
  return c;
}

}  // namespace scenario
