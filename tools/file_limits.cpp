#include "tools/file_limits.h"

#include <algorithm>

#include "compiler/route_model.h"
#include "output/encoders.h"

namespace scenario::tool {

namespace {

// A type code and the largest value, a double.
constexpr uint64_t kLargestProfileElement = 2 + 8;

std::string of_route(const char* kind) {
  return std::string("that ") + kind + " of a route of at most " + std::to_string(kMaxRouteLength) + " m can have";
}

}  // namespace

uint64_t largest_track_file() { return (static_cast<uint64_t>(grid_end_for(kMaxRouteLength)) + 1) * kTrackCellBytes; }

uint64_t largest_scenario_file() {
  return static_cast<uint64_t>(kScenarioRecords) * (kRecordFixedBytes + kMaxTextBytes);
}

uint64_t largest_profile_file() {
  return 2 * (static_cast<uint64_t>(kMaxRouteLength) + kGridMargin + 1) * kLargestProfileElement;
}

SizeLimit source_limit() { return {kLargestSourceFile, "that a source text may have"}; }

SizeLimit scenario_file_limit() { return {largest_scenario_file(), of_route("a scenario file")}; }

SizeLimit dat_file_limit() {
  return {std::max(largest_track_file(), largest_profile_file()), of_route("a track or line profile file")};
}

SizeLimit any_binary_file_limit() {
  return {std::max({largest_track_file(), largest_profile_file(), largest_scenario_file()}),
          of_route("a scenario, track or line profile file")};
}

}  // namespace scenario::tool
