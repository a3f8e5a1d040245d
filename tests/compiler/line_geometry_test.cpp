#include "compiler/line_geometry.h"

#include <gtest/gtest.h>

#include "compiler/error_codes.h"
#include "tests/compiler/line_source_fixture.h"

namespace scenario {
namespace {

using testing::line_file;
using testing::run_line;

TEST(Gradients, RunsHoldFromTheirCellToTheNextRecordsCell) {
  // N = 160 for a route of 1000 m; the tail writes up to cell 157.
  const auto r = run_line(line_file(1000,
                                    "pendenza,  0,   0\r\npendenza,  1200,   5\r\npendenza,  1750,   0\r\n"
                                    "pendenza,  5000,   -3\r\npendenza,  6000,   200\r\n"));
  ASSERT_EQ(r.model.ErrorCode, 0);
  struct Run {
    int first, last;
    uint8_t stored;
  };
  for (const Run run : {Run{0, 23, 100}, Run{24, 34, 105}, Run{35, 99, 100}, Run{100, 119, 97},
                        Run{120, 157, 44},  // 200 per mille wraps to its low 8 bits: 300 - 256
                        Run{158, 160, 0}}) {
    for (int i = run.first; i <= run.last; ++i) EXPECT_EQ(r.cell(i).gradient, run.stored) << "cell " << i;
  }
}

TEST(Gradients, PositionsRoundHalvesToEven) {
  // 1225 / 50 = 24.5 ends the run below cell 24; 1275 / 50 = 25.5 below cell 26.
  for (const auto& [position, first_new] : {std::pair{1225, 24}, std::pair{1275, 26}}) {
    SCOPED_TRACE(position);
    const auto r = run_line(line_file(1000, "pendenza, 0, 3\r\npendenza, " + std::to_string(position) + ", 0\r\n"));
    EXPECT_EQ(r.cell(first_new - 1).gradient, 103);
    EXPECT_EQ(r.cell(first_new).gradient, 100);
  }
}

TEST(Gradients, RecordsOutOfOrderMoveTheCursorOneCellEachButNeverPastTheGrid) {
  // N = 140: records at 6900 m (cell 138) repeated push the cursor past N;
  // cells 138 to 140 take one record each and nothing is written beyond.
  std::string rows = "pendenza, 6900, 1\r\n";
  for (int g = 2; g <= 6; ++g) rows += "pendenza, 6900, " + std::to_string(g) + "\r\n";
  const auto r = run_line(line_file(25, rows));
  ASSERT_EQ(r.model.grid_end, 140);
  EXPECT_EQ(r.cell(137).gradient, 100);
  EXPECT_EQ(r.cell(138).gradient, 101);
  EXPECT_EQ(r.cell(139).gradient, 102);
  EXPECT_EQ(r.cell(140).gradient, 103);
}

// The plan of a fresh model with room for 1000 m.
RouteModel fresh_plan() {
  RouteModel m;
  m.with_profile = 1;
  size_model(m, 1000);
  first_plan_points(m);
  return m;
}

TEST(Curves, PointsComeOutToTheLastBit) {
  struct Case {
    const char* keyword;
    double x4, y4, x5, y5;
  };
  for (const Case c : {Case{"curvad4", 0.001, 4, 0.003, 4.999999}, Case{"curvas4", -0.001, 4, -0.003, 4.999999}}) {
    SCOPED_TRACE(c.keyword);
    RouteModel m = fresh_plan();
    LineCursors cur;
    ASSERT_EQ(curve_record(m, cur, *curve_rate(c.keyword), 3, 2), CurveOutcome::kLaid);
    EXPECT_EQ(cur.plan_cursor, 6);
    const LineProfile& p = m.profile;
    EXPECT_EQ(p.type(0, 0), ProfileType::kInt16);
    EXPECT_EQ(p.type(1, 1), ProfileType::kInt16);
    EXPECT_EQ(p.value(1, 1), 1.0);
    EXPECT_EQ(p.type(2, 0), ProfileType::kDouble);
    EXPECT_EQ(p.value(2, 0), 0.0);
    EXPECT_EQ(p.value(2, 1), 2.0);
    EXPECT_EQ(p.value(3, 1), 3.0);
    EXPECT_EQ(p.value(4, 0), c.x4);  // exact: no tolerance
    EXPECT_EQ(p.value(4, 1), c.y4);
    EXPECT_EQ(p.value(5, 0), c.x5);
    EXPECT_EQ(p.value(5, 1), c.y5);
    EXPECT_EQ(p.type(6, 0), ProfileType::kEmpty);
  }
}

TEST(Curves, ClassDigitAndSide) {
  struct Case {
    const char* keyword;
    std::optional<double> rate;
  };
  const Case cases[] = {
      {"curvad1", 0.0001},      {"curvad2", 0.0002},       {"curvad3", 0.0004},       {"curvad4", 0.001},
      {"curvad5", 0.002},       {"curvad6", 0.003},        {"curvas1", -0.0001},      {"CURVAS6", -0.003},
      {"curva61", 0.0001},  // both 1 and 6: the first in the order 1 to 6
      {"curvad", std::nullopt}, {"curvad7", std::nullopt}, {"curvad0", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyword);
    EXPECT_EQ(curve_rate(c.keyword), c.rate);
  }
}

TEST(Curves, StraightRunBeforeALaterCurveAndNothingBehindTheCursor) {
  RouteModel m = fresh_plan();
  LineCursors cur;
  ASSERT_EQ(curve_record(m, cur, 0.001, 3, 2), CurveOutcome::kLaid);
  // Starts behind the cursor and ends there too: nothing turns.
  ASSERT_EQ(curve_record(m, cur, 0.003, 1, 4), CurveOutcome::kLaid);
  EXPECT_EQ(cur.plan_cursor, 6);
  ASSERT_EQ(curve_record(m, cur, 0.0, 8, 0), CurveOutcome::kLaid);
  // Metre 6 continues the last step straight on.
  EXPECT_EQ(m.profile.value(6, 0), 0.003 + (0.003 - 0.001));
  EXPECT_EQ(m.profile.value(6, 1), 4.999999 + (4.999999 - 4.0));
  EXPECT_EQ(m.profile.type(8, 0), ProfileType::kDouble);
  EXPECT_EQ(m.profile.type(9, 0), ProfileType::kEmpty);
}

TEST(Curves, PlanIsCutTwoMetresBeforeItsEnd) {
  // profile_end 8000: a curve from 7800 m over 1000 m stops at metre 7998.
  const auto r = run_line(line_file(1000, "curvad6,  7800,  1000\r\n"));
  EXPECT_EQ(r.model.ErrorCode, 0);
  EXPECT_EQ(r.model.profile.type(7998, 0), ProfileType::kDouble);
  EXPECT_EQ(r.model.profile.type(7999, 0), ProfileType::kEmpty);
  EXPECT_EQ(r.model.profile.type(8000, 1), ProfileType::kEmpty);
  EXPECT_GT(r.model.profile.value(7998, 0), 0.0);  // it turned right
}

TEST(Curves, PlanCursorPastTheMillionthMetreIsRefused) {
  const auto r = run_line(line_file(1000000, "curvas2,  999000,  2000\r\n"));
  EXPECT_EQ(r.model.ErrorCode, error::kBadCurve);
  EXPECT_FALSE(r.result.go_on);
  // The points laid before the refusal stay.
  EXPECT_EQ(r.model.profile.type(1000000, 0), ProfileType::kDouble);
  EXPECT_EQ(r.model.profile.type(1000001, 0), ProfileType::kEmpty);
}

TEST(Curves, WithoutPlanCurveRecordsAreNotRead) {
  // The numbers of the record pass as keyword candidates; a keyword without
  // a class digit is no error either.
  const auto r = run_line(line_file(1000, "curvad,  100,  50\r\ncurvad4,  3,  2\r\npendenza, 0, 4\r\n"), 0);
  EXPECT_EQ(r.model.ErrorCode, 0);
  EXPECT_TRUE(r.model.profile.empty());
  EXPECT_EQ(r.cell(0).gradient, 104);
}

TEST(Curves, PlanTailRunsStraightToTwoMetresBeforeTheEnd) {
  const auto r = run_line(line_file(25, "curvad4,  3,  2\r\n"));
  const LineProfile& p = r.model.profile;
  ASSERT_EQ(p.last(), 7025);
  EXPECT_EQ(p.type(7023, 0), ProfileType::kDouble);
  EXPECT_EQ(p.type(7024, 0), ProfileType::kEmpty);
  EXPECT_EQ(p.type(7025, 1), ProfileType::kEmpty);
  // Straight on in the last direction: the step stays (0.002, 0.999999).
  EXPECT_NEAR(p.value(7023, 0) - p.value(7022, 0), 0.002, 1e-12);
  EXPECT_NEAR(p.value(7023, 1) - p.value(7022, 1), 0.999999, 1e-9);
}

}  // namespace
}  // namespace scenario
