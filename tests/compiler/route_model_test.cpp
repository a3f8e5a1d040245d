#include "compiler/route_model.h"

#include <gtest/gtest.h>

#include "compiler/arith.h"

namespace scenario {
namespace {

TEST(RouteModel, GridSizeRoundsHalvesToEven) {
  struct Case {
    int32_t length;
    int32_t grid_end;
  };
  for (const Case c : {Case{220000, 4540}, Case{1025, 160}, Case{1075, 162}, Case{25, 140}, Case{1000000, 20140}}) {
    SCOPED_TRACE(c.length);
    EXPECT_EQ(grid_end_for(c.length), c.grid_end);
  }
}

TEST(RouteModel, SizingCreatesZeroedGridAndEmptyPlanOnlyWithProfile) {
  RouteModel m;
  m.with_profile = 1;
  size_model(m, 220000);
  EXPECT_EQ(m.profile_end, 227000);
  EXPECT_EQ(m.grid_end, 4540);
  ASSERT_EQ(m.grid.size(), 4541u);
  EXPECT_EQ(m.grid[4540], TrackCell{});
  ASSERT_FALSE(m.profile.empty());
  EXPECT_EQ(m.profile.last(), 227000);
  EXPECT_EQ(m.profile.type(227000, 1), ProfileType::kEmpty);

  m.grid[7].kind = 1;
  m.with_profile = 0;
  size_model(m, 1025);  // sizing again discards the earlier content
  EXPECT_EQ(m.grid.size(), 161u);
  EXPECT_EQ(m.grid[7].kind, 0);
  EXPECT_TRUE(m.profile.empty());
}

TEST(RouteModel, ResetClearsEveryRecordButNotTheGrid) {
  RouteModel m;
  size_model(m, 1000);
  m.grid[3].kind = 6;
  m.ErrorCode = 16;
  m.ErrorPosition = 2800;
  for (auto& r : m.table) {
    r.kind = 1;
    r.text.assign(3, 'x');
    r.long4 = 9;
    r.flag3 = 2;
  }
  reset_model(m, 1);
  EXPECT_EQ(m.with_profile, 1);
  EXPECT_EQ(m.ErrorCode, 0);
  EXPECT_EQ(m.ErrorPosition, 2800);  // the position is never reset
  for (const auto& r : m.table) EXPECT_EQ(r, ScenarioRecord{});
  EXPECT_EQ(m.grid[3].kind, 6);
}

TEST(RouteModel, FreeCellsAreEmptyOrMontagnaMarkers) {
  for (int k = 0; k < 256; ++k) {
    TrackCell c;
    c.kind = static_cast<uint8_t>(k);
    EXPECT_EQ(is_free(c), k == 0 || k == 11) << k;
  }
}

TEST(RouteModel, CompactPlanForTheLongestRoute) {
  RouteModel m;
  m.with_profile = 1;
  size_model(m, kMaxRouteLength);
  const size_t points = static_cast<size_t>(m.profile_end) + 1;
  // Two doubles and two type bytes per metre, and 16 bytes per cell.
  EXPECT_EQ(sizeof(double) * 2 + 2, 18u);
  EXPECT_LE(points * 18 + m.grid.size() * sizeof(TrackCell), 20u * 1024 * 1024);
}

TEST(Arith, RoundingAndWrapping) {
  EXPECT_EQ(round_half_even(12.5), 12);
  EXPECT_EQ(round_half_even(13.5), 14);
  EXPECT_EQ(round_half_even(-2.5), -2);
  EXPECT_EQ(object_cell(5025), 102);
  EXPECT_EQ(object_cell(5075), 102);
  EXPECT_EQ(stretch_cell(1225), 24);
  EXPECT_EQ(stretch_cell(1275), 26);
  EXPECT_EQ(low8(-3 + 100), 97);
  EXPECT_EQ(low8(300), 44);
  EXPECT_EQ(low16(40000), -25536);
  EXPECT_EQ(to_int16(32767.4), 32767);
  EXPECT_FALSE(to_int16(32767.5).has_value());
  EXPECT_FALSE(to_uint8(-0.6).has_value());
  EXPECT_EQ(to_uint8(-0.5), 0);
}

TEST(Arith, PositionCheckAcceptsUpToFiftyNMinusHundred) {
  EXPECT_TRUE(position_accepted(226900, 100, 4540));
  EXPECT_FALSE(position_accepted(226950, 100, 4540));
  EXPECT_TRUE(position_accepted(226200, 800, 4540));
  EXPECT_FALSE(position_accepted(226250, 800, 4540));
  // No wrap near the 32-bit limit.
  EXPECT_FALSE(position_accepted(2147483647, 100, 4540));
}

}  // namespace
}  // namespace scenario
