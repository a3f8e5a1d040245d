// A generated scenario on the longest route the line format allows: a line
// of 1000000 m with thousands of gradients and curves, and a train run over
// it with thousands of signals, boards, code reductions, speed and adhesion
// stretches, plus stations, slowdowns, montagne and sign boards. Every
// object stands on a cell of its own, so the whole compile, the cab-code
// placement included, ends without an error. Used by the benchmarks.
#pragma once

#include <cstdint>
#include <string>

namespace scenario::bench {

// How many records of each kind the generated sources hold.
struct LargeRouteCounts {
  int gradients = 0;
  int curves = 0;
  int montagne = 0;
  int speed_boards = 0;
  int sign_boards = 0;
  int speed_limits = 0;
  int adhesions = 0;
  int stations = 0;
  int slowdowns = 0;
  int signals = 0;
  int code_reductions = 0;

  int total() const {
    return gradients + curves + montagne + speed_boards + sign_boards + speed_limits + adhesions + stations +
           slowdowns + signals + code_reductions;
  }
};

// The two source texts, as Windows-1252 bytes with CR LF line ends.
struct LargeRouteSources {
  std::string line;
  std::string train;
  LargeRouteCounts counts;
};

inline constexpr int32_t kLargeRouteLength = 1000000;

LargeRouteSources generate_large_route();

}  // namespace scenario::bench
