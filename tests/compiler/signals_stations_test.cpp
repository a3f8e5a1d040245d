// Signals and stations: the packed signal cell, the tempo rule and the
// approach markers; the station record, its zone, stop cell and approach
// markers, and every refusal of a station.
#include "compiler/signals_stations.h"

#include <gtest/gtest.h>

#include "compiler/error_codes.h"
#include "tests/compiler/train_fixture.h"

namespace scenario {
namespace {

using testing::read_train;
using testing::train_text;

struct Approach {
  int64_t cell;
  int value;
};

TEST(Signals, PackedValuesAndApproachMarkersOfTheExampleRows) {
  struct Case {
    const char* row;
    int64_t cell;
    int value1, value2, value3, value4, timer;
    std::vector<Approach> approach;
  };
  const Case cases[] = {
      {"segnale,    2800,   2, 4, 1,  1, 0,    2,  2,1,1, 115",
       57,
       42,
       11,
       11,
       8,
       115,
       {{55, 81}, {53, 82}, {51, 83}, {49, 84}}},
      {"segnale,    1800,   2, 3, 1,  1, 0,    0,  0,0,0, 0",
       37,
       30,
       10,
       10,
       6,
       0,
       {{35, 61}, {33, 62}, {31, 63}, {29, 64}}},
      {"segnale,  1825, 1, 5, 0, 0, 1, 1, 4, 0, 0, 0",
       38,
       54,
       0,
       0,
       14,
       0,  // 37.5 rounds to 38
       {{36, 41}, {34, 42}, {32, 43}, {30, 44}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const auto run = read_train(train_text({c.row}));
    ASSERT_FALSE(run.failure);
    EXPECT_EQ(run.m.ErrorCode, 0);
    const TrackCell& s = run.cell(c.cell);
    EXPECT_EQ(s.kind, cell_kind::kSignal);
    EXPECT_EQ(s.value1, c.value1);
    EXPECT_EQ(s.value2, c.value2);
    EXPECT_EQ(s.value3, c.value3);
    EXPECT_EQ(s.value4, c.value4);
    EXPECT_EQ(s.timer, c.timer);
    for (const Approach& a : c.approach) {
      EXPECT_EQ(run.cell(a.cell).approach, a.value) << "cell " << a.cell;
      EXPECT_EQ(run.cell(a.cell + 1).approach, 0) << "cell " << a.cell + 1;
    }
  }
}

TEST(Signals, TempoRule) {
  struct Case {
    int32_t sx, tempo;
    int timer;
    int32_t tempo_after;
  };
  const Case cases[] = {
      {2, 50, 101, 101},  {1, 50, 0, 101},    {2, 0, 0, 0},       {2, 1, 101, 101},
      {2, 100, 101, 101}, {2, 101, 101, 101}, {2, 255, 255, 255}, {2, 300, 44, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.sx) + " " + ::testing::PrintToString(c.tempo));
    RouteModel m;
    size_model(m, 10000);
    SignalFields f;
    f.sx = c.sx;
    f.tempo = c.tempo;
    ASSERT_TRUE(memo_segnale(m, 2800, f).is_accepted());
    EXPECT_EQ(m.cell(57).timer, c.timer);
    EXPECT_EQ(f.tempo, c.tempo_after);  // the caller's variable is raised
  }
}

TEST(Signals, FreeCellsOnlyAndApproachMarkersStopAtCellZero) {
  RouteModel m;
  size_model(m, 10000);
  SignalFields f;
  f.sx = 2;

  m.cell(57).kind = cell_kind::kMontagnaMarker;
  EXPECT_TRUE(memo_segnale(m, 2800, f).is_accepted());  // a montagna marker gives way
  EXPECT_EQ(m.cell(57).kind, cell_kind::kSignal);

  m.cell(67).kind = cell_kind::kSpeedBoards;
  EXPECT_EQ(memo_segnale(m, 3300, f), RecordOutcome::refused(error::kSignalOccupied, 3300));
  EXPECT_EQ(m.cell(67).kind, cell_kind::kSpeedBoards);
  EXPECT_EQ(m.cell(65).approach, 0);  // nothing written

  // Near the start: the signal stands in cell 3, its only approach cell is 1.
  EXPECT_TRUE(memo_segnale(m, 100, f).is_accepted());
  EXPECT_EQ(m.cell(3).kind, cell_kind::kSignal);
  EXPECT_EQ(m.cell(1).approach, 61);
  EXPECT_TRUE(memo_segnale(m, 0, f).is_accepted());  // cell 1: no approach cell at all
  EXPECT_EQ(m.cell(1).kind, cell_kind::kSignal);
}

// The built-in first station, then optional further rows.
constexpr const char* kFirstStation = "stazione,       0,  8,  600,  0, 1, 0,  1,1,0,  2,5,1,    1,  12, 5,15, Corvale";

TEST(Stations, TheFirstStationRowFillsRecord1AndItsCells) {
  const auto run = read_train(train_text({kFirstStation}));
  ASSERT_FALSE(run.failure);
  EXPECT_EQ(run.m.ErrorCode, 0);
  ScenarioRecord expected;
  expected.kind = 8;
  expected.long1 = -600;
  expected.long2 = 600;
  expected.long3 = 0;
  expected.flag0 = 0;
  expected.flag4 = 0;  // cleared: the first station
  expected.flag3 = 0;
  expected.num1 = 1;
  expected.num2 = 1;
  expected.flag1 = 0;
  expected.num3 = 2;
  expected.num4 = 5;
  expected.num5 = 1;
  expected.flag2 = 1;
  expected.long4 = 43515;
  expected.text = "Corvale";
  EXPECT_EQ(run.m.table[1], expected);
  EXPECT_EQ(run.cell(11).kind, cell_kind::kStationStop);
  EXPECT_EQ(run.cell(11).value1, 1);
  for (const Approach a : {Approach{10, 81}, {9, 82}, {8, 83}, {7, 84}, {11, 0}, {6, 0}})
    EXPECT_EQ(run.cell(a.cell).approach, a.value) << "cell " << a.cell;

  // The first station's flag3 is cleared after its zone took the extra 50 m.
  const auto other = read_train(train_text({"stazione, 1000, 4, 400, 0, 1, 1, 0,0,0,0,0,0,0, 12,0,0, A"}));
  EXPECT_EQ(other.m.table[1].long2, 1250);
  EXPECT_EQ(other.m.table[1].flag3, 0);
  EXPECT_EQ(other.cell(24).kind, cell_kind::kStationStop);
}

TEST(Stations, ZonesStopCellsAndApproachByKind) {
  struct Case {
    const char* row;  // the second station, after the first built-in one
    int32_t long1, long2;
    int flag3, flag4;
    int64_t stop;  // 0: no stop cell
    bool approach;
  };
  const Case cases[] = {
      {"stazione, 35600, 12, 600, 0, 1, 1, 0,0,0,0,0,0,0, 12,37,0, Valdimora", 35300, 35950, 1, 1, 718, true},
      {"stazione, 35600, 12, 500, 0, 1, 0, 0,0,0,0,0,0,0, 12,37,0, X", 35350, 35850, 0, 0, 716, true},
      {"stazione, 35600, 28, 400, 0, 1, 1, 0,0,0,0,0,0,0, 12,37,0, X", 35400, 35850, 1, 0, 0, false},
      {"stazione, 35600, 5, 400, 0, 1, 1, 0,0,0,0,0,0,0, 12,37,0, X", 35200, 35750, 0, 0, 714, false},
      {"stazione, 35600, 7, 700, 0, 1, 1, 0,0,0,0,0,0,0, 12,37,0, X", 34900, 36300, 0, 1, 725, true},
      {"stazione, 35600, 24, 200, 0, 0, 0, 0,0,0,0,0,0,0, 12,37,0, X", 35500, 35700, 0, 0, 713, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const auto run = read_train(train_text({kFirstStation, c.row}));
    ASSERT_FALSE(run.failure);
    EXPECT_EQ(run.m.ErrorCode, 0);
    const ScenarioRecord& r = run.m.table[2];
    EXPECT_EQ(r.long1, c.long1);
    EXPECT_EQ(r.long2, c.long2);
    EXPECT_EQ(r.long3, 35600);
    EXPECT_EQ(r.flag3, c.flag3);
    EXPECT_EQ(r.flag4, c.flag4);
    EXPECT_EQ(r.long4, (12 * 60 + 37) * 60);
    int stops = 0;
    int marked = 0;
    for (int64_t i = 700; i <= 740; ++i) {
      stops += run.cell(i).kind == cell_kind::kStationStop;
      marked += run.cell(i).approach != 0;
    }
    EXPECT_EQ(stops, c.stop ? 1 : 0);
    if (c.stop) {
      EXPECT_EQ(run.cell(c.stop).kind, cell_kind::kStationStop);
      EXPECT_EQ(run.cell(c.stop).value1, 2);
    }
    EXPECT_EQ(marked, c.approach ? 4 : 0);
    if (c.approach) {
      EXPECT_EQ(run.cell(c.stop - 1).approach, 81);
    }
  }
}

TEST(Stations, ZonesMustBe350MetresApart) {
  // The first zone ends at 600; a kind 4 station of 400 m starts 200 m before its position.
  for (const auto& [position, code] : {std::pair{1150, 0}, std::pair{1100, error::kStationsTooClose}}) {
    const std::string row = "stazione, " + std::to_string(position) + ", 4, 400, 0,0,0,0,0,0,0,0,0,0, 12,10,0, B";
    const auto run = read_train(train_text({kFirstStation, row, "sabbia, 7"}));
    EXPECT_EQ(run.m.ErrorCode, code) << position;
    EXPECT_EQ(run.m.table[2].text, "B");  // stored either way
    EXPECT_EQ(run.m.table[record::kSignals].num1, code ? 0 : 7);
  }
}

TEST(Stations, RefusalsAbortAndDeleteTheSource) {
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    int32_t next_free;
    int32_t code;
    int32_t position;  // -1: not set
    int32_t route;
  };
  const Case cases[] = {
      {"position not a multiple of 50",
       {"stazione, 1025, 4, 400, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"},
       80,
       error::kStationPosition,
       1025,
       220000},
      {"length not a multiple of 100",
       {"stazione, 1000, 4, 450, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"},
       80,
       error::kStationLength,
       1000,
       220000},
      {"a stop cell at cell 1",
       {"stazione, 0, 4, 200, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"},
       80,
       error::kStationAtStart,
       -1,
       220000},
      {"no record left after this one",
       {kFirstStation, "stazione, 5000, 4, 400, 0,0,0,0,0,0,0,0,0,0, 0,0,0, B"},
       3,
       error::kTooManyStations,
       -1,
       220000},
      {"every record taken by sign boards", {kFirstStation}, 0, error::kTooManyStations, -1, 220000},
      {"a stop cell beyond the grid",
       {"stazione, 6200, 8, 2000, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"},
       80,
       error::kStationBeyondGrid,
       6200,
       25},  // N = 140
      {"beyond the grid by the station's own check",
       {"stazione, 6250, 28, 200, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"},
       80,
       error::kBeyondGrid,
       6250,
       25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = "[generale]\r\n";
    for (const auto& r : c.rows) text += r + "\r\n";
    text += "sabbia, 7\r\n[fine]\r\n";
    const auto run = read_train(text, c.route, c.next_free, [](RouteModel& m) {
      m.ErrorPosition = -1;
      m.table[1].text = "(sign board)";
    });
    ASSERT_FALSE(run.failure) << run.failure->message;
    EXPECT_EQ(run.m.ErrorCode, c.code);
    EXPECT_EQ(run.m.ErrorPosition, c.position);
    EXPECT_EQ(run.m.table[record::kSignals].num1, 0);
    EXPECT_FALSE(run.train_source_left());
  }
}

TEST(Stations, WhatAStationRefusalLeavesStored) {
  // 24: the record is stored, the stop cell is not written.
  auto run = read_train(train_text({"stazione, 0, 4, 200, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"}));
  EXPECT_EQ(run.m.table[1].text, "A");
  EXPECT_EQ(run.cell(1).kind, 0);
  // 205: stored, approach cells inside the grid written, those beyond skipped.
  run = read_train(train_text({"stazione, 6200, 8, 2000, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A"}), 25);
  EXPECT_EQ(run.m.table[1].long2, 8200);  // e = 164, stop cell 163 beyond N = 140
  EXPECT_EQ(run.m.table[1].text, "A");
  for (int64_t i = 0; i <= 140; ++i) EXPECT_NE(run.cell(i).kind, cell_kind::kStationStop);
  // 10 with every record taken: the sign board's text stays.
  run = read_train(train_text({kFirstStation}), 220000, 0, [](RouteModel& m) { m.table[1].text = "(P.253)"; });
  EXPECT_EQ(run.m.table[1].text, "(P.253)");
  EXPECT_EQ(run.cell(11).kind, 0);
}

}  // namespace
}  // namespace scenario
