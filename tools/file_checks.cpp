#include "tools/file_checks.h"

#include "output/check_codes.h"

namespace scenario::tool {

namespace {

constexpr int64_t kFormatMarker = 610;
constexpr int64_t kGridMarker = 5121;

// A model holding only the two names, which is all the check codes read.
RouteModel names_of(const ScenarioTable& t) {
  RouteModel m;
  m.table[record::kRoute].text = t[record::kRoute].text;
  m.table[record::kSignals].text = t[record::kSignals].text;
  return m;
}

}  // namespace

std::vector<FileCheck> check_scenario_file(const ScenarioTable& t) {
  RouteModel names = names_of(t);
  const ScenarioRecord& route = t[record::kRoute];
  return {
      {"format marker in record 85 num1", kFormatMarker, route.num1, ""},
      {"scenario check code in record 85 long4", codice_gara_st(names), route.long4, ""},
  };
}

std::vector<FileCheck> check_track_file(const TrackGrid& grid, const ScenarioTable* scenario) {
  std::vector<FileCheck> out;
  if (grid.size() < 2) {
    out.push_back({"marker in track cell 1 value1", kGridMarker, 0, "the file has no cell 1"});
    return out;
  }
  out.push_back({"marker in track cell 1 value1", kGridMarker, grid[1].value1, ""});
  FileCheck code{"grid check code in track cell 1 value2", std::nullopt, grid[1].value2, ""};
  if (scenario) {
    RouteModel names = names_of(*scenario);
    code.expected = codice_gara_og(names);
  } else {
    code.note = "not checked: the names it is made from are in the scenario file (.sim), which was not found";
  }
  out.push_back(std::move(code));
  return out;
}

}  // namespace scenario::tool
