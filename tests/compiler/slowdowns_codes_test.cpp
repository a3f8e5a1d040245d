// Slowdowns and code reductions: the cells of the three built-in slowdowns,
// the warning-board limit, every refusal and what it leaves written, and
// code reductions as change and removal points.
#include "compiler/slowdowns_codes.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/error_codes.h"
#include "tests/compiler/train_fixture.h"

namespace scenario {
namespace {

struct Grid {
  Grid(int32_t length = 220000) { size_model(m, length); }
  RouteModel m;
  MemorySources sources;
  CompileContext ctx{m, sources};
};

struct Expected {
  int64_t cell;
  int kind, value1, value2, value3;
};

TEST(Slowdowns, TheThreeBuiltInSlowdownsMarkTheirCells) {
  struct Case {
    int32_t x, v, l, f_tt, f_ta, d_v;
    std::vector<Expected> cells;
  };
  const Case cases[] = {
      {9250,
       80,
       800,
       0,
       1,
       0,
       {{162, 4, 80, 0, 0},
        {186, 3, 80, 0, 0},
        {202, 2, 80, 0, 0},
        {161, 5, 1, 0, 0},
        {160, 5, 2, 0, 0},
        {159, 5, 3, 0, 0},
        {158, 5, 4, 0, 0},
        {157, 0, 0, 0, 0}}},
      {53750,
       40,
       400,
       1,
       1,
       30,
       {{1052, 4, 40, 30, 0},
        {1076, 3, 40, 30, 1},
        {1084, 2, 40, 30, 1},
        {1051, 5, 1, 1, 0},
        {1050, 5, 2, 2, 0},
        {1049, 5, 3, 3, 0},
        {1048, 5, 4, 4, 0}}},
      {158400, 80, 300, 1, 0, 0, {{3145, 4, 80, 0, 0}, {3169, 3, 80, 0, 1}, {3175, 2, 80, 0, 1}, {3144, 0, 0, 0, 0}}},
      {1550,
       80,
       100,
       0,
       1,
       0,  // warning board in cell 8, markers 7 to 4
       {{8, 4, 80, 0, 0},
        {32, 3, 80, 0, 0},
        {34, 2, 80, 0, 0},
        {7, 5, 1, 0, 0},
        {6, 5, 2, 0, 0},
        {5, 5, 3, 0, 0},
        {4, 5, 4, 0, 0}}},
      {1500,
       80,
       100,
       0,
       1,
       0,  // no board, no markers
       {{7, 0, 0, 0, 0}, {6, 0, 0, 0, 0}, {31, 3, 80, 0, 0}, {33, 2, 80, 0, 0}}},
      {5000,
       60,
       20,
       1,
       0,
       0,  // start and end in one cell: the start stays
       {{77, 4, 60, 0, 0}, {101, 3, 60, 0, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    Grid g;
    ASSERT_TRUE(memo_rallentamento(g.m, c.x, c.v, c.l, c.f_tt, c.f_ta, c.d_v).is_accepted());
    EXPECT_EQ(g.m.ErrorCode, 0);
    int objects = 0;
    for (const TrackCell& cell : g.m.grid) objects += cell.kind != 0;
    int expected_objects = 0;
    for (const Expected& e : c.cells) {
      SCOPED_TRACE(e.cell);
      const TrackCell& cell = g.m.cell(e.cell);
      expected_objects += e.kind != 0;
      EXPECT_EQ(cell.kind, e.kind);
      EXPECT_EQ(cell.value1, e.value1);
      EXPECT_EQ(cell.value2, e.value2);
      EXPECT_EQ(cell.value3, e.value3);
    }
    EXPECT_EQ(objects, expected_objects);  // nothing else was written
  }
}

TEST(Slowdowns, RefusalsNameTheFirstOccupiedCell) {
  struct Case {
    const char* what;
    int64_t occupied;
    int32_t l;
    int32_t code;
    bool written;  // board, start and end written before the refusal
  };
  // The first built-in slowdown: board 162, start 186, end 202, markers 161 to 158.
  const Case cases[] = {
      {"warning board", 162, 800, error::kWarningBoardOccupied, false},
      {"start", 186, 800, error::kSlowdownStartOccupied, false},
      {"end", 202, 800, error::kSlowdownEndOccupied, false},
      {"a marker cell", 158, 800, error::kWarningMarkersOccupied, true},
      {"an end before the grid", -1, -9400, error::kSlowdownEndOutside, false},
      {"an end beyond the grid", -1, 2000000000, error::kSlowdownEndOutside, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Grid g;
    if (c.occupied >= 0) g.m.cell(c.occupied).kind = cell_kind::kSignal;
    EXPECT_EQ(memo_rallentamento(g.m, 9250, 80, c.l, 0, 1, 0), RecordOutcome::refused(c.code, 9250));
    EXPECT_EQ(g.m.cell(186).kind, c.written ? cell_kind::kSlowdownStart : (c.occupied == 186 ? 1 : 0));
    EXPECT_EQ(g.m.cell(162).kind, c.written ? cell_kind::kWarningBoard : (c.occupied == 162 ? 1 : 0));
    EXPECT_EQ(g.m.cell(161).kind, 0);
  }
}

TEST(Slowdowns, MontagnaMarkersGiveWay) {
  Grid g;
  for (int64_t i : {158, 162, 186, 202}) g.m.cell(i).kind = cell_kind::kMontagnaMarker;
  EXPECT_TRUE(memo_rallentamento(g.m, 9250, 80, 800, 0, 1, 0).is_accepted());
  EXPECT_EQ(g.m.cell(158).kind, cell_kind::kWarningMarker);
  EXPECT_EQ(g.m.cell(202).kind, cell_kind::kSlowdownEnd);
}

TEST(CodeReductions, ChangeAndRemovalPointsOnFreeCellsOnly) {
  struct Case {
    int32_t p, code;
    uint8_t before;
    bool placed;
    int kind, value1;
  };
  const Case cases[] = {
      {10000, 270, 0, true, cell_kind::kCodeChange, 270},
      {10000, 0, 0, true, cell_kind::kCodeRemoval, 0},
      {10000, -5, 0, true, cell_kind::kCodeRemoval, 0},
      {10000, 70000, 0, true, cell_kind::kCodeChange, 4464},  // the low 16 bits
      {10025, 280, 0, true, cell_kind::kCodeChange, 280},     // 200.5 rounds to 200
      {10000, 280, cell_kind::kMontagnaMarker, true, cell_kind::kCodeChange, 280},
      {10000, 280, cell_kind::kSignal, false, cell_kind::kSignal, 0},
      {10000, 280, cell_kind::kCodeChange, false, cell_kind::kCodeChange, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.p << " " << c.code << " on kind " << int{c.before});
    Grid g;
    g.m.cell(200).kind = c.before;
    EXPECT_EQ(place_code_reduction(g.m, c.p, c.code),
              c.placed ? RecordOutcome::accepted() : RecordOutcome::refused(error::kCodeReductionOccupied, c.p));
    EXPECT_EQ(g.m.cell(200).kind, c.kind);
    EXPECT_EQ(g.m.cell(200).value1, c.value1);
  }
}

}  // namespace
}  // namespace scenario
