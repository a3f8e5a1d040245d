#include "compiler/line_profile.h"

#include <gtest/gtest.h>

#include <vector>

namespace scenario {
namespace {

// The first points as the compiler sets them: (0, 0) and (0, 1) as integers.
void first_points(LineProfile& p) {
  p.set_int16(0, 0, 0);
  p.set_int16(0, 1, 0);
  p.set_int16(1, 0, 0);
  p.set_int16(1, 1, 1);
}

struct Lay {
  int32_t first, last;
  double r;
};

// A straight, a right-hand curve, a straight and a left-hand curve: the
// runs a line source with two curves lays.
const std::vector<Lay> kRuns = {{2, 999, 0.0}, {1000, 1300, 0.003}, {1301, 5000, 0.0}, {5001, 5200, -0.0004}};

// The same runs laid on a plan kept as runs and on one turned into arrays
// before the first run (a read does that): every element must agree to the
// last bit, and so must the walk and the type counts.
TEST(LineProfile, LaidRunsMatchThePointsComputedInArrays) {
  LineProfile laid(5300);
  LineProfile arrays(5300);
  first_points(laid);
  first_points(arrays);
  ASSERT_EQ(arrays.value(1, 1), 1.0);  // turns it into arrays
  for (const Lay& l : kRuns) {
    laid.lay(l.first, l.last, l.r);
    arrays.lay(l.first, l.last, l.r);
  }

  std::vector<PlanElement> walked_x, walked_y;
  laid.walk([&](int32_t m, PlanElement x, PlanElement y) {
    EXPECT_EQ(m, static_cast<int32_t>(walked_x.size()));
    walked_x.push_back(x);
    walked_y.push_back(y);
  });
  ASSERT_EQ(walked_x.size(), 5301u);
  for (int axis = 0; axis < 2; ++axis) {
    const auto& walked = axis == 0 ? walked_x : walked_y;
    for (int32_t m = 0; m <= 5300; ++m) {
      ASSERT_EQ(walked[static_cast<size_t>(m)].type, arrays.type(m, axis)) << m;
      ASSERT_EQ(walked[static_cast<size_t>(m)].value, arrays.value(m, axis)) << m;
    }
    EXPECT_EQ(laid.type_counts(axis).int16, 2);
    EXPECT_EQ(laid.type_counts(axis).real, 5199);
    EXPECT_EQ(laid.type_counts(axis).empty, 100);
    EXPECT_EQ(arrays.type_counts(axis).real, 5199);
    EXPECT_EQ(arrays.type_counts(axis).empty, 100);
    // Reading the laid plan turns it into the same arrays.
    EXPECT_EQ(laid.values(axis), arrays.values(axis));
    EXPECT_EQ(laid.types(axis), arrays.types(axis));
  }
  // A turned metre: the step (0, 1) turned right by 0.003.
  EXPECT_GT(arrays.value(1300, 0), 0.0);
  EXPECT_EQ(arrays.type(5201, 0), ProfileType::kEmpty);
}

// Walking in steps of any size, across the ends of runs, visits every metre
// once, in order, with the same elements as one walk.
TEST(LineProfile, AWalkInStepsMatchesOneWalk) {
  LineProfile p(5300);
  first_points(p);
  for (const Lay& l : kRuns) p.lay(l.first, l.last, l.r);
  std::vector<PlanElement> whole;
  p.walk([&](int32_t, PlanElement x, PlanElement) { whole.push_back(x); });

  for (int32_t step : {1, 2, 7, 998, 5300, 9999}) {
    PlanWalker w(p);
    std::vector<PlanElement> stepped;
    while (w.next() <= p.last()) {
      w.walk_to(w.next() + step - 1, [&](int32_t m, PlanElement x, PlanElement) {
        EXPECT_EQ(m, static_cast<int32_t>(stepped.size()));
        stepped.push_back(x);
      });
    }
    ASSERT_EQ(stepped.size(), whole.size()) << step;
    for (size_t m = 0; m < whole.size(); ++m) {
      ASSERT_EQ(stepped[m].type, whole[m].type) << step << " " << m;
      ASSERT_EQ(stepped[m].value, whole[m].value) << step << " " << m;
    }
  }
}

// Writing a single element after runs were laid keeps every laid point and
// changes only that element; a run laid after it starts from the points
// before it as they then stand.
TEST(LineProfile, WritesAfterLayingKeepTheLaidPoints) {
  LineProfile p(40);
  first_points(p);
  p.lay(2, 10, 0.001);
  LineProfile copy = p;
  const double x9 = copy.value(9, 0);
  p.set_double(20, 1, 7.5);
  EXPECT_EQ(p.value(9, 0), x9);
  EXPECT_EQ(p.value(20, 1), 7.5);
  EXPECT_EQ(p.type(20, 0), ProfileType::kEmpty);
  EXPECT_EQ(p.type(20, 1), ProfileType::kDouble);

  // Laying again from metre 11 continues from metres 9 and 10.
  p.lay(11, 12, 0.0);
  EXPECT_EQ(p.value(11, 0), p.value(10, 0) + (p.value(10, 0) - p.value(9, 0)));
}

TEST(LineProfile, RunsOutsideThePlanAndElementsOutsideItAreIgnored) {
  LineProfile p(10);
  first_points(p);
  p.lay(1, 5, 0.0);   // would overwrite a first point
  p.lay(5, 11, 0.0);  // past the last metre
  p.lay(6, 5, 0.0);   // empty run
  p.set_double(11, 0, 1.0);
  p.set_double(-1, 0, 1.0);
  EXPECT_EQ(p.type_counts(0).real, 0);
  EXPECT_EQ(p.type_counts(0).empty, 9);
  for (int32_t m = 2; m <= 10; ++m) EXPECT_EQ(p.type(m, 0), ProfileType::kEmpty) << m;
}

TEST(LineProfile, AnEmptyPlanHasNothingToWalk) {
  LineProfile p;
  EXPECT_TRUE(p.empty());
  int visits = 0;
  p.walk([&](int32_t, PlanElement, PlanElement) { ++visits; });
  EXPECT_EQ(visits, 0);
  EXPECT_EQ(p.type_counts(0).empty, 0);
}

}  // namespace
}  // namespace scenario
