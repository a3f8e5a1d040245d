// The body of the timetable sheet for the built-in train: one entry per
// service location (the stations of the run and the kilometre posts where
// the speed limit changes), in the order the train meets them, derived from
// the train source text.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/sheet_row.h"
#include "scenario/train_facts.h"

namespace scenario {

// The three speeds in force at a location.
struct SpeedCells {
  int limit = 0;
  int running = 0;
  int further = 0;

  bool operator==(const SpeedCells&) const = default;
};

// A location of the sheet: its row as printed where the location first
// appears (speed cells only where the limit changes), and the speeds in
// force there, printed when the location is repeated at the top of a page.
struct TimetableEntry {
  SheetRow row;
  SpeedCells in_force;
};

// Top speed of the train (its speed category, "V200").
inline constexpr int kTrainTopSpeed = 200;
// Highest speed allowed without cab-signal repetition.
inline constexpr int kSpeedWithoutRepetition = 150;

// The speeds in force under a line speed limit.
SpeedCells speeds_for_limit(int limit);

// "Cippo Km.2,000": the kilometre post at a reading in metres.
std::string post_name(int32_t chainage);

// Recovery minutes of the run: where the timetable allows the train to make
// up a delay, by station name.
struct Recovery {
  std::string_view station;
  int tenths;  // tenths of a minute
};
std::span<const Recovery> recoveries();

// The entries of the run, in the order of the line.
std::vector<TimetableEntry> timetable_entries(const TrainFacts& facts);

}  // namespace scenario
