// The train phase read from an in-memory source over a hand-sized grid:
// the scanning rules, the train records, the speed and adhesion runs, the
// position checks, the end of reading and the aborts.
#include "compiler/train_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/error_codes.h"
#include "tests/compiler/train_fixture.h"

namespace scenario {
namespace {

using testing::read_train;
using testing::train_text;

constexpr int32_t kShort = 50000;  // N = 1140
constexpr int64_t kShortN = 1140;

TEST(TrainReader, TrainRecordsFillRecords84And86AndLaterOnesOverwrite) {
  const auto run = read_train(train_text({
      "numero vetture,    16",
      "percentuale massa frenata,    130",
      "sabbia,    300",
      "orologio,    15              4             15 ",
      "NUMERO VETTURE in composizione,  12",
  }));
  ASSERT_FALSE(run.failure);
  EXPECT_EQ(run.m.ErrorCode, 0);
  const ScenarioRecord& train = run.m.table[record::kTrain];
  const ScenarioRecord& signals = run.m.table[record::kSignals];
  EXPECT_EQ(train.long1, 130);
  EXPECT_EQ(train.long3, 12);
  EXPECT_EQ(signals.num1, 300);
  EXPECT_EQ(signals.num3, 15);
  EXPECT_EQ(signals.num4, 4);
  EXPECT_EQ(signals.num5, 15);
  EXPECT_FALSE(run.train_source_left());
}

// A run of equal values over cells from..to.
struct Stretch {
  int64_t from;
  int64_t to;
  int value;
};

void expect_speeds(const testing::TrainRun& run, const std::vector<Stretch>& stretches) {
  for (const Stretch& s : stretches)
    for (int64_t i = s.from; i <= s.to; ++i) ASSERT_EQ(run.cell(i).speed, s.value) << "cell " << i;
}

TEST(TrainReader, SpeedRunsHoldFromTheirCellToTheNextRecordAndAreCarriedToNMinus3) {
  struct Case {
    const char* what;
    std::vector<std::string_view> lines;
    std::vector<Stretch> speeds;
  };
  // Every cell starts at 99 so that untouched cells show.
  const int64_t n = kShortN;
  const Case cases[] = {
      {"a limit holds up to the cell before the next record",
       {"velocita,   0,    30", "velocita,    1250,   100", "velocita,    5000,   115"},
       {{0, 24, 6}, {25, 99, 20}, {100, n - 3, 23}, {n - 2, n, 99}}},
      {"125 m rounds to cell 2", {"velocita,   0,    30", "velocita,  125,  100"}, {{0, 1, 6}, {2, n - 3, 20}}},
      {"175 m rounds to cell 4", {"velocita,   0,    30", "velocita,  175,  100"}, {{0, 3, 6}, {4, n - 3, 20}}},
      {"a second record at one position writes one cell",
       {"velocita, 0, 30", "velocita, 500, 100", "velocita, 500, 120", "velocita, 1000, 140"},
       {{0, 9, 6}, {10, 10, 20}, {11, 19, 24}, {20, n - 3, 28}}},
      {"the limit before the first record is 0", {"velocita, 500, 100"}, {{0, 9, 0}, {10, n - 3, 20}, {n - 2, n, 99}}},
      {"no record: the completion still writes 0 up to N - 3", {}, {{0, n - 3, 0}, {n - 2, n, 99}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = "[generale]\r\n";
    for (auto l : c.lines) text += std::string(l) + "\r\n";
    const auto run = read_train(text + "[fine]\r\n", kShort, 80, [](RouteModel& m) {
      for (auto& cell : m.grid) cell.speed = 99;
    });
    ASSERT_FALSE(run.failure);
    expect_speeds(run, c.speeds);
  }
}

TEST(TrainReader, ASpeedWhoseFifthIsNotAByteFailsWhenItIsWritten) {
  struct Case {
    std::vector<std::string_view> lines;
    bool fails;
    int cell0;
  };
  const Case cases[] = {
      {{"velocita, 0, 1280", "velocita, 100, 30"}, true, 0},  // 256 at cell 0
      {{"velocita, 0, 1275", "velocita, 100, 30"}, false, 255},
      {{"velocita, 0, -3", "velocita, 100, 30"}, true, 0},  // -0.6 rounds to -1
      {{"velocita, 0, -2", "velocita, 100, 30"}, false, 0},
      {{"velocita, 0, 1280", "velocita, 0, 30"}, false, 6},   // never written
      {{"velocita, 0, 30", "velocita, 100, 1280"}, true, 6},  // fails in the completion
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lines[0]) + " / " + std::string(c.lines[1]));
    const auto run = read_train(train_text({c.lines[0], c.lines[1]}), kShort);
    EXPECT_EQ(run.failure.has_value(), c.fails);
    EXPECT_EQ(run.cell(0).speed, c.cell0);
  }
}

TEST(TrainReader, AdhesionRunStoresTheLowByteUnscaled) {
  const auto run = read_train(train_text({"aderenza, 500, 300", "aderenza, 1000, 80"}), kShort);
  ASSERT_FALSE(run.failure);
  EXPECT_EQ(run.cell(9).adhesion, 0);  // before the first record
  EXPECT_EQ(run.cell(10).adhesion, 44);
  EXPECT_EQ(run.cell(19).adhesion, 44);
  EXPECT_EQ(run.cell(20).adhesion, 80);
  EXPECT_EQ(run.cell(kShortN - 3).adhesion, 80);
  EXPECT_EQ(run.cell(kShortN - 2).adhesion, 0);
}

TEST(TrainReader, ScanningRulesDecideWhichFieldsAreKeywords) {
  struct Case {
    const char* what;
    std::string text;
    int sand;
  };
  const Case cases[] = {
      {"two hyphen fields are passed over", "[generale]\r\n-,  --, sabbia, 7\r\n[fine]\r\n", 7},
      {"the second replacement is tested even with a hyphen", "[generale]\r\n-a, -b, sabbia-x, 7\r\n[fine]\r\n", 7},
      {"a keyword holding a hyphen is not tested", "[generale]\r\nsabbia-, 5\r\n[fine]\r\n", 0},
      {"the last field of the file is never handled", "[generale]\r\nsabbia, 3\r\nsabbia", 3},
      {"keywords in capitals and inside longer fields", "[generale]\r\nSABBIA nelle sabbiere, 9\r\n[fine]\r\n", 9},
      {"records before [generale] are skipped", "sabbia, 5\r\n[Generale]\r\n[fine]\r\n", 0},
      {"an empty numeric field reads 0", "[generale]\r\nsabbia, 5\r\nsabbia,\r\n[fine]\r\n", 0},
      {"section headers are passed over", "[generale]\r\n[aderenze]\r\nsabbia, 4\r\n[fine]\r\n", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto run = read_train(c.text, kShort);
    ASSERT_FALSE(run.failure) << run.failure->message;
    EXPECT_EQ(run.m.table[record::kSignals].num1, c.sand);
    EXPECT_EQ(run.m.ErrorCode, 0);
  }
}

TEST(TrainReader, FieldsThatDoNotReadAreRunTimeFailures) {
  const char* texts[] = {
      "[generale]\r\nvelocita, 500",              // cut short by the end of the file
      "[generale]\r\nsabbia, x1\r\n",             // no number
      "[generale]\r\nsabbia, 40000\r\n",          // outside a 16-bit integer
      "[generale]\r\nstazione, 0, 300, 600\r\n",  // a byte above 255
  };
  for (const char* t : texts) {
    SCOPED_TRACE(t);
    EXPECT_TRUE(read_train(t, kShort).failure.has_value());
  }
}

TEST(TrainReader, AMissingTrainSourceIsARunTimeFailure) {
  RouteModel m;
  size_model(m, kShort);
  MemorySources sources;
  CompileContext ctx(m, sources);
  EXPECT_THROW(read_train_source(ctx, 80), RuntimeFailure);
}

// One record of each kind that carries a position, at position P.
struct PositionedRecord {
  const char* kind;
  std::string (*row)(int32_t p);
  int32_t margin;
};

const PositionedRecord kPositioned[] = {
    {"speed", [](int32_t p) { return "velocita, " + std::to_string(p) + ", 100"; }, 100},
    {"adhesion", [](int32_t p) { return "aderenza, " + std::to_string(p) + ", 80"; }, 100},
    {"signal", [](int32_t p) { return "segnale, " + std::to_string(p) + ", 2,3,1,1,0,0,0,0,0,0"; }, 100},
    {"slowdown", [](int32_t p) { return "rallentamento, " + std::to_string(p) + ", 80, 0, 0, 0, 0"; }, 100},
    {"code reduction", [](int32_t p) { return "abbattimento, " + std::to_string(p) + ", 270"; }, 100},
    {"station", [](int32_t p) { return "stazione, " + std::to_string(p) + ", 28, 200, 0,0,0,0,0,0,0,0,0,0,0,0,0, X"; },
     800},
};

TEST(TrainReader, PositionCheckEndsReadingAndStillCompletesTheRuns) {
  const int32_t n = 4540;  // a 220000 m route
  for (const PositionedRecord& r : kPositioned) {
    SCOPED_TRACE(r.kind);
    const int32_t last_accepted = 50 * n - r.margin;
    for (const int32_t p : {last_accepted, last_accepted + 50}) {
      SCOPED_TRACE(p);
      const bool accepted = p == last_accepted;
      const std::string row = r.row(p);
      const auto run = read_train(train_text({"velocita, 0, 100", row, "sabbia, 7"}), 220000, 80,
                                  [](RouteModel& m) { m.ErrorPosition = -1; });
      ASSERT_FALSE(run.failure) << run.failure->message;
      EXPECT_EQ(run.m.ErrorCode, accepted ? 0 : error::kBeyondGrid);
      EXPECT_EQ(run.m.ErrorPosition, accepted ? -1 : p);
      EXPECT_EQ(run.m.table[record::kSignals].num1, accepted ? 7 : 0);
      EXPECT_EQ(run.cell(n - 3).speed, 20);
      EXPECT_FALSE(run.train_source_left());
    }
  }
}

TEST(TrainReader, ATrainObjectBeforeTheLineAbortsWith204) {
  for (const PositionedRecord& r : kPositioned) {
    SCOPED_TRACE(r.kind);
    // Speed limits and adhesion are runs, laid from their cursors whatever
    // the position (the tests of negative positions cover them).
    if (std::string_view(r.kind) == "speed" || std::string_view(r.kind) == "adhesion") continue;
    const auto run = read_train(train_text({"velocita, 0, 100", r.row(-50), "sabbia, 7"}), kShort);
    ASSERT_FALSE(run.failure) << run.failure->message;
    EXPECT_EQ(run.m.ErrorCode, error::kNegativePosition);
    EXPECT_EQ(run.m.ErrorPosition, -50);
    EXPECT_EQ(run.m.table[record::kSignals].num1, 0);  // reading stopped
    EXPECT_EQ(run.cell(0).speed, 0);                   // and the runs were not completed
    EXPECT_FALSE(run.train_source_left());
  }
}

TEST(TrainReader, KilometreReferencesOffTheCellsGiveError2AfterReading) {
  struct Case {
    int32_t long1, long2;
    const char* beyond;  // an optional record that fails the position check
    int32_t code;
  };
  const Case cases[] = {
      {23450, 218400, nullptr, 0},
      {23475, 218400, nullptr, error::kKilometreNotMultiple},
      {23450, 218425, nullptr, error::kKilometreNotMultiple},
      {23450, 218400, "sabbia, 1\r\nvelocita, 999950, 100", error::kBeyondGrid},
      {23450, 218410, "sabbia, 1\r\nvelocita, 999950, 100", error::kKilometreNotMultiple},  // replaces 15
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.long2);
    const auto run = read_train(train_text({c.beyond ? c.beyond : "sabbia, 1"}), 220000, 80, [&](RouteModel& m) {
      m.table[record::kKilometreThree].long1 = c.long1;
      m.table[record::kKilometreThree].long2 = c.long2;
    });
    EXPECT_EQ(run.m.ErrorCode, c.code);
  }
}

TEST(TrainReader, AnErrorLeftBeforeASignalOrSlowdownAbortsAtThatRecord) {
  struct Case {
    const char* row;
    int32_t position;
    bool aborts;
  };
  const Case cases[] = {
      {"segnale, 2800, 2,4,1,1,0,2,2,1,1,115", 2800, true},
      {"rallentamento, 9250, 80, 800, 0, 1, 0", 9250, true},
      {"abbattimento, 10000, 270", 10000, false},
      {"stazione, 5000, 28, 200, 0,0,0,0,0,0,0,0,0,0,0,0,0, X", 5000, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    // The line phase ended on a position beyond the grid.
    const auto run = read_train(train_text({c.row, "sabbia, 7"}), 220000, 80, [](RouteModel& m) {
      m.ErrorCode = error::kBeyondGrid;
      m.ErrorPosition = 300000;
    });
    ASSERT_FALSE(run.failure);
    EXPECT_EQ(run.m.ErrorCode, error::kBeyondGrid);
    EXPECT_EQ(run.m.ErrorPosition, c.aborts ? c.position : 300000);
    EXPECT_EQ(run.m.table[record::kSignals].num1, c.aborts ? 0 : 7);
    EXPECT_FALSE(run.train_source_left());
  }
  // The signal itself was placed before the reader looked.
  const auto run =
      read_train(train_text({cases[0].row}), 220000, 80, [](RouteModel& m) { m.ErrorCode = error::kBeyondGrid; });
  EXPECT_EQ(run.cell(57).kind, cell_kind::kSignal);
}

TEST(TrainReader, HandlerRefusalsDeleteTheSourceAndStopReading) {
  struct Case {
    const char* rows;
    int32_t code;
    int32_t position;
  };
  const Case cases[] = {
      {"segnale, 2800, 2,4,1,1,0,2,2,1,1,0\r\nsegnale, 2800, 2,4,1,1,0,2,2,1,1,0", error::kSignalOccupied, 2800},
      {"segnale, 2800, 2,4,1,1,0,2,2,1,1,0\r\nabbattimento, 2850, 270", error::kCodeReductionOccupied, 2850},
      {"abbattimento, 2800, 270\r\nrallentamento, 2750, 80, 500, 0, 0, 0", error::kSlowdownStartOccupied, 2750},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    const auto run = read_train(train_text({"velocita, 0, 100", c.rows, "sabbia, 7"}), kShort);
    ASSERT_FALSE(run.failure);
    EXPECT_EQ(run.m.ErrorCode, c.code);
    EXPECT_EQ(run.m.ErrorPosition, c.position);
    EXPECT_EQ(run.m.table[record::kSignals].num1, 0);
    EXPECT_EQ(run.cell(0).speed, 0);  // the runs are not completed after an abort
    EXPECT_FALSE(run.train_source_left());
  }
}

}  // namespace
}  // namespace scenario
