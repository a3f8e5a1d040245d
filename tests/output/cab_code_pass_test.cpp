#include "output/cab_code_pass.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "compiler/error_codes.h"

namespace scenario {
namespace {

using namespace cell_kind;

struct Recorded {
  int32_t code;
  std::optional<int32_t> position;
  bool had_location;
  bool operator==(const Recorded&) const = default;
};

class Recorder : public CompileObserver {
 public:
  void error_recorded(int32_t code, std::optional<int32_t> position, const std::optional<SourceLocation>& where,
                      std::string_view) override {
    seen.push_back({code, position, where.has_value()});
  }
  std::vector<Recorded> seen;
};

// A hand-built grid of cells 0 to 200 (a route of 3000 m) and the pass run
// over it.
class Pass : public ::testing::Test {
 protected:
  static constexpr int32_t kN = 200;

  Pass() {
    size_model(model, 3000);
    EXPECT_EQ(model.grid_end, kN);
  }

  void put(int32_t i, uint8_t kind, int16_t value1 = 0) {
    model.cell(i).kind = kind;
    model.cell(i).value1 = value1;
  }
  // A slowdown of the given speed from cell start to cell end.
  void slowdown(int32_t start, int32_t end, int16_t speed) {
    put(start, kSlowdownStart, speed);
    put(end, kSlowdownEnd, speed);
  }

  void run() { place_cab_codes(ctx); }

  // Every change point on the grid: cell → code.
  std::map<int32_t, int16_t> points() const {
    std::map<int32_t, int16_t> out;
    for (int32_t i = 0; i <= model.grid_end; ++i)
      if (model.cell(i).kind == kCodeChange) out[i] = model.cell(i).value1;
    return out;
  }
  // The change points at or after a cell (leaves out the bands of step B1).
  std::map<int32_t, int16_t> points_from(int32_t first) const {
    auto all = points();
    all.erase(all.begin(), all.lower_bound(first));
    return all;
  }

  RouteModel model;
  MemorySources sources;
  Recorder recorder;
  CompileContext ctx{model, sources, &recorder};
};

std::map<int32_t, int16_t> at180(std::initializer_list<int32_t> cells) {
  std::map<int32_t, int16_t> out;
  for (int32_t c : cells) out[c] = 180;
  return out;
}

// ---- Rule A: signals before a warning board --------------------------------

TEST_F(Pass, BoardAtCellThreeOrLowerHandlesNoSignal) {
  put(2, kSignal);
  put(3, kWarningBoard);
  run();
  EXPECT_TRUE(points().empty());
}

TEST_F(Pass, BoardAtCellFourHandlesTheSignalAtThree) {
  put(3, kSignal);
  put(4, kWarningBoard);
  run();
  EXPECT_EQ(points(), at180({2}));
}

TEST_F(Pass, EverySignalWithinTwentyCellsBeforeTheBoardGetsAPoint) {
  put(60, kWarningBoard);
  put(50, kSignal);
  put(40, kSignal);  // 20 cells back: the last one looked at
  put(38, kSignal);  // 22 cells back: out of reach
  run();
  EXPECT_EQ(points(), at180({49, 39}));
  EXPECT_EQ(model.ErrorCode, 0);
}

TEST(PassRuleA, ChoosesFreeCellsFirstThenLowersAnExistingCode) {
  struct Cell {
    uint8_t kind;
    int16_t value1;
    bool operator==(const Cell&) const = default;
  };
  struct Case {
    const char* what;
    Cell before1, before2;  // cells j - 1 and j - 2 before the pass
    Cell after1, after2;
    int32_t error;
  };
  const Case cases[] = {
      {"both free", {0, 0}, {0, 0}, {12, 180}, {0, 0}, 0},
      {"montagna marker counts as free", {11, 0}, {0, 0}, {12, 180}, {0, 0}, 0},
      {"nearer occupied", {6, 5}, {0, 0}, {6, 5}, {12, 180}, 0},
      {"free test comes before lowering", {12, 270}, {0, 0}, {12, 270}, {12, 180}, 0},
      {"270 lowered to 180", {12, 270}, {6, 5}, {12, 180}, {6, 5}, 0},
      {"120 stays", {12, 120}, {6, 5}, {12, 120}, {6, 5}, 0},
      {"farther change point lowered", {10, 1}, {12, 270}, {10, 1}, {12, 180}, 0},
      {"nothing to use", {10, 1}, {6, 5}, {10, 1}, {6, 5}, error::kNoCellBeforeSignal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RouteModel m;
    size_model(m, 3000);
    MemorySources s;
    CompileContext ctx{m, s};
    m.cell(80).kind = kWarningBoard;
    m.cell(70).kind = kSignal;
    m.cell(69).kind = c.before1.kind;
    m.cell(69).value1 = c.before1.value1;
    m.cell(68).kind = c.before2.kind;
    m.cell(68).value1 = c.before2.value1;
    place_cab_codes(ctx);
    EXPECT_EQ((Cell{m.cell(69).kind, m.cell(69).value1}), c.after1);
    EXPECT_EQ((Cell{m.cell(68).kind, m.cell(68).value1}), c.after2);
    EXPECT_EQ(m.ErrorCode, c.error);
    if (c.error != 0) {
      EXPECT_EQ(m.ErrorPosition, 70 * 50);
    }
  }
}

// ---- Rule B, step B1: the bands before a slowdown start --------------------

TEST(PassBands, ApplyByStartCell) {
  struct Case {
    int32_t start;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {7, {}},            // no band
      {8, {3}},           // near only
      {13, {8}},          // near only
      {14, {3, 9}},       // near and middle
      {20, {9, 15}},      // near and middle
      {21, {3, 10, 16}},  // all three
      {60, {42, 49, 55}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    RouteModel m;
    size_model(m, 3000);
    MemorySources s;
    CompileContext ctx{m, s};
    // A fast slowdown: no walk, and no signal after it.
    m.cell(c.start).kind = kSlowdownStart;
    m.cell(c.start).value1 = 120;
    m.cell(c.start + 2).kind = kSlowdownEnd;
    place_cab_codes(ctx);
    std::vector<int32_t> got;
    for (int32_t i = 0; i <= m.grid_end; ++i)
      if (m.cell(i).kind == kCodeChange) got.push_back(i);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(m.ErrorCode, 0);
  }
}

TEST_F(Pass, BandTakesItsFirstFreeCellAndAFullBandDoesNotStopTheOthers) {
  slowdown(60, 62, 120);
  put(55, kSignal);  // near band: 55 taken, 54 is next
  put(49, kSignal);  // middle band: all three taken
  put(48, kSignBoard);
  put(47, kStationStop);
  put(42, kSignal);  // far band: 42 and 41 taken, 40 is last
  put(41, kCodeRemoval);
  run();
  EXPECT_EQ(points(), at180({54, 40}));
  EXPECT_EQ(model.ErrorCode, error::kBandFull);
  EXPECT_EQ(model.ErrorPosition, 60 * 50);
}

// ---- Rule B, step B2: the walk along a slow slowdown -----------------------

TEST_F(Pass, WalkPlacesAPointEveryEightCellsToTheEnd) {
  slowdown(100, 125, 80);
  run();
  EXPECT_EQ(points(), at180({82, 89, 95, 108, 116, 124}));
  EXPECT_EQ(model.ErrorCode, 0);
}

TEST(PassWalk, EachIntervalCountsFromWhereThePreviousPointWent) {
  struct Case {
    const char* what;
    std::vector<int32_t> occupied;
    int32_t end;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"due cell taken: one cell earlier", {108}, 140, {107, 115, 123, 131, 139}},
      {"due cell and the one before taken: one cell later", {107, 108}, 140, {109, 117, 125, 133}},
      {"due step on the end cell: the cell before it", {}, 108, {107}},
      {"due step on the end cell, the cell before taken: after the end", {107}, 108, {109}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RouteModel m;
    size_model(m, 3000);
    MemorySources s;
    CompileContext ctx{m, s};
    m.cell(100).kind = kSlowdownStart;
    m.cell(100).value1 = 80;
    m.cell(c.end).kind = kSlowdownEnd;
    for (int32_t o : c.occupied) m.cell(o).kind = kSpeedBoards;
    place_cab_codes(ctx);
    std::vector<int32_t> got;
    for (int32_t i = 96; i <= m.grid_end; ++i)
      if (m.cell(i).kind == kCodeChange) got.push_back(i);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(m.ErrorCode, 0);
  }
}

TEST_F(Pass, WalkErrorStopsPlacementButTheWalkRunsOnToTheEnd) {
  slowdown(100, 140, 80);
  put(107, kSpeedBoards);
  put(108, kSpeedBoards);
  put(109, kSpeedBoards);
  put(145, kSignal);  // found by step B3 only if the walk reached 140
  run();
  EXPECT_EQ(points_from(96), at180({144}));
  EXPECT_EQ(model.ErrorCode, error::kWalkFull);
  EXPECT_EQ(model.ErrorPosition, 108 * 50);
}

TEST(PassWalk, RunsOnlyBelow110AsASigned16BitSpeed) {
  struct Case {
    int16_t speed;
    bool walks;
  };
  const Case cases[] = {{109, true}, {110, false}, {180, false}, {-25536, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    RouteModel m;
    size_model(m, 3000);
    MemorySources s;
    CompileContext ctx{m, s};
    m.cell(100).kind = kSlowdownStart;
    m.cell(100).value1 = c.speed;
    m.cell(120).kind = kSlowdownEnd;
    place_cab_codes(ctx);
    EXPECT_EQ(m.cell(108).kind == kCodeChange, c.walks);
    EXPECT_EQ(m.cell(116).kind == kCodeChange, c.walks);
  }
}

// ---- Rule B, step B3: the signal after the slowdown ------------------------

TEST(PassSignalAfter, SearchesTwelveCellsPastTheEnd) {
  struct Case {
    const char* what;
    int32_t signal;
    std::vector<int32_t> occupied;
    std::vector<int32_t> expected;  // points from cell 126 on
    int32_t error;
  };
  const Case cases[] = {
      // The cell before it is the end cell and the one before that the walk's last point.
      {"signal just after the end", 126, {}, {}, error::kWalkFull},
      {"signal 12 cells after the end", 137, {}, {136}, 0},
      {"signal 13 cells after the end", 138, {}, {}, 0},
      {"cell before the signal taken", 130, {129}, {128}, 0},
      {"both cells taken", 130, {129, 128}, {}, error::kWalkFull},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RouteModel m;
    size_model(m, 3000);
    MemorySources s;
    CompileContext ctx{m, s};
    m.cell(100).kind = kSlowdownStart;
    m.cell(100).value1 = 80;
    m.cell(125).kind = kSlowdownEnd;
    m.cell(c.signal).kind = kSignal;
    for (int32_t o : c.occupied) m.cell(o).kind = kSpeedBoards;
    place_cab_codes(ctx);
    std::vector<int32_t> got;
    for (int32_t i = 126; i <= m.grid_end; ++i)
      if (m.cell(i).kind == kCodeChange) got.push_back(i);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(m.ErrorCode, c.error);
    if (c.error != 0) {
      EXPECT_EQ(m.ErrorPosition, 125 * 50);  // the end cell, not the signal
    }
  }
}

TEST_F(Pass, SignalAfterTheEndDoesNotLowerAnExistingCode) {
  slowdown(100, 125, 80);
  put(130, kSignal);
  put(129, kCodeChange, 270);
  put(128, kSpeedBoards);
  run();
  EXPECT_EQ(model.cell(129).value1, 270);
  EXPECT_EQ(model.ErrorCode, error::kWalkFull);
  EXPECT_EQ(model.ErrorPosition, 125 * 50);
}

TEST_F(Pass, SlowWalkWithoutEndCellRunsToTheLastCell) {
  put(100, kSlowdownStart, 80);
  put(150, kSignal);  // passed by the walk; the search after it starts at N, so 149 stays free
  run();
  EXPECT_EQ(points_from(96), at180({108, 116, 124, 132, 140, 148, 156, 164, 172, 180, 188, 196}));
  EXPECT_EQ(model.ErrorCode, 0);
}

// ---- Implementer decisions -------------------------------------------------

TEST_F(Pass, FastSlowdownSearchesFromItsOwnEndCell) {
  // A board far before makes rule A run first; the search must not start
  // from wherever that left off.
  put(40, kWarningBoard);
  put(30, kSignal);
  slowdown(100, 130, 120);
  put(135, kSignal);
  put(150, kSignal);  // 20 cells after the end: out of reach
  run();
  EXPECT_EQ(points_from(96), at180({134}));
  EXPECT_EQ(model.ErrorCode, 0);
}

TEST_F(Pass, SlowdownWithoutEndCellStopsAtTheLastCell) {
  // A slow slowdown near the end of the grid with no end cell: the walk
  // stops at cell N; the due step at N finds N, N - 1 taken and no cell
  // after N, so it records error 13 and writes nothing outside the grid.
  put(kN - 8, kSlowdownStart, 80);
  put(kN, kSpeedBoards);
  put(kN - 1, kSpeedBoards);
  run();
  EXPECT_TRUE(points_from(kN - 7).empty());
  EXPECT_EQ(model.ErrorCode, error::kWalkFull);
  EXPECT_EQ(model.ErrorPosition, kN * 50);
  EXPECT_EQ(model.grid.size(), static_cast<size_t>(kN + 1));
}

TEST_F(Pass, FastSlowdownWithoutEndCellSearchesOnlyTheLastCell) {
  put(150, kSlowdownStart, 120);
  put(160, kSignal);  // not searched: the search starts at N
  put(kN, kSignal);
  run();
  EXPECT_EQ(points_from(151), at180({kN - 1}));
}

TEST_F(Pass, LastHandledCellIsTwoBeforeTheEnd) {
  // A board on N - 1 is never reached; a slowdown start on N - 2 is.
  put(kN - 1, kWarningBoard);
  put(kN - 5, kSignal);
  put(kN - 2, kSlowdownStart, 80);
  run();
  EXPECT_EQ(model.cell(kN - 6).kind, kNothing);
  EXPECT_EQ(points(), at180({kN - 20, kN - 13, kN - 7}));
}

// ---- Errors: recorded, the pass goes on, last one wins ---------------------

TEST_F(Pass, ErrorsAreRecordedWithoutSourceLocationAndThePassGoesOn) {
  model.ErrorCode = error::kSignalOccupied;  // left by the compiler
  model.ErrorPosition = 2800;
  ctx.record_at = SourceLocation{SourceKind::kTrain, 12, 1};  // a reader's leftover

  put(30, kWarningBoard);
  put(20, kSignal);
  put(19, kSpeedBoards);
  put(18, kSpeedBoards);  // error 11 at 1000 m
  slowdown(60, 62, 120);
  put(55, kSignal);
  put(54, kSignal);
  put(53, kSignal);  // near band full: error 12 at 3000 m
  put(90, kWarningBoard);
  put(80, kSignal);  // still handled after both errors
  run();

  EXPECT_EQ(recorder.seen,
            (std::vector<Recorded>{{error::kNoCellBeforeSignal, 1000, false}, {error::kBandFull, 3000, false}}));
  EXPECT_EQ(model.cell(79).kind, kCodeChange);
  EXPECT_EQ(model.ErrorCode, error::kBandFull);
  EXPECT_EQ(model.ErrorPosition, 3000);
}

TEST_F(Pass, CleanPassLeavesTheCompilersErrorAlone) {
  model.ErrorCode = error::kSignalOccupied;
  model.ErrorPosition = 2800;
  slowdown(100, 125, 80);
  run();
  EXPECT_EQ(model.ErrorCode, error::kSignalOccupied);
  EXPECT_EQ(model.ErrorPosition, 2800);
}

TEST(Minimo, SmallerOfTheTwoAndXWhenEqual) {
  EXPECT_EQ(minimo(180, 270), 180);
  EXPECT_EQ(minimo(180, 120), 120);
  EXPECT_EQ(minimo(180, 180), 180);
  EXPECT_EQ(minimo(180, -5), -5);
}

}  // namespace
}  // namespace scenario
