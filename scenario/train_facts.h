// What the driver documents need to know about the built-in train run, read
// from the train source text itself so that the documents always tell the
// same story as the scenario: the places with their times of day, the speed
// limits, the slowdowns and the braked-mass percentage.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// A "stazione" record.
struct StationFact {
  int32_t position = 0;     // metres
  int kind = 0;             // below 25 the train stops; 25 and above it passes
  int32_t length = 0;       // metres of the station zone
  int32_t time_of_day = 0;  // seconds after midnight
  std::string name;         // UTF-8, as in the source text

  bool is_stop() const { return kind < 25; }
};

// A "velocita" record: the limit in force from `position` on.
struct SpeedFact {
  int32_t position = 0;
  int limit = 0;  // km/h
};

// A "rallentamento" record.
struct SlowdownFact {
  int32_t position = 0;      // start, metres
  int speed = 0;             // km/h
  int32_t length = 0;        // metres
  bool whole_train = false;  // the limit holds for the whole length of the train
  bool markers = false;
  int32_t extra = 0;
};

struct TrainFacts {
  int braked_mass_percent = 0;
  std::vector<StationFact> stations;
  std::vector<SpeedFact> speed_limits;
  std::vector<SlowdownFact> slowdowns;

  // The limit in force at a position (the last record at or before it);
  // 0 before the first record.
  int limit_at(int32_t position) const;
};

// Reads the records the documents use from the lines of a train source text
// (UTF-8, in file order, up to the end marker), with the compiler's record
// scanner, keyword table and field table: the text is one flat sequence of
// fields, every record's fields are read, and the fields that open no
// record are skipped. Empty, with a message in `error` naming the record's
// line, when a record does not read.
std::optional<TrainFacts> read_train_facts(std::span<const std::string_view> lines, std::string* error = nullptr);

}  // namespace scenario
