// The checks a reader of the binary files can make: the two markers (610 in
// the scenario file, 5121 in the track file) and the two check codes,
// recomputed from the route name and train number that the scenario file
// stores in records 85 and 86.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/route_model.h"

namespace scenario::tool {

struct FileCheck {
  std::string what;                 // "format marker in record 85 num1"
  std::optional<int64_t> expected;  // empty when it cannot be checked
  int64_t found = 0;
  std::string note;  // why it cannot be checked
  bool ok() const { return expected && *expected == found; }
  bool mismatch() const { return expected && *expected != found; }
};

// The format marker 610 and the scenario check code of record 85.
std::vector<FileCheck> check_scenario_file(const ScenarioTable& table);

// The marker 5121 and the grid check code of track cell 1. The code needs the
// names from the scenario file; without it, it is reported as not checked.
std::vector<FileCheck> check_track_file(const TrackGrid& grid, const ScenarioTable* scenario);

}  // namespace scenario::tool
