// What the plot of a scenario shows, gathered from the route model: the plan
// of the line thinned to a few thousand points, the stretches along the line
// (gradient, speed limit, adhesion, montagna) as runs, and the objects at
// their positions in metres.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/route_model.h"

namespace scenario::tool {

// A value that holds from one position to another (metres).
struct Run {
  int64_t from = 0;
  int64_t to = 0;
  int value = 0;
};

// An object at a position, with a short label and a longer description
// (shown when the pointer rests on it).
struct Mark {
  int64_t position = 0;
  std::string label;  // UTF-8
  std::string detail;
};

struct Slowdown {
  int64_t from = 0;
  int64_t to = 0;
  int speed = 0;
};

struct PlotData {
  std::string title;                            // UTF-8
  int64_t route_length = 0;                     // metres; the grid runs 7000 m further
  int64_t extent = 0;                           // metres covered by the grid
  std::vector<std::pair<double, double>> plan;  // x, y in metres; empty without a profile
  std::vector<int64_t> plan_metres;             // the metre of each plan point
  std::vector<size_t> plan_breaks;              // indices into plan where the drawn line starts again
  std::vector<std::string> warnings;            // what the picture leaves out, for the user
  std::vector<Run> gradient;                    // per mille
  std::vector<Run> speed;                       // km/h
  std::vector<Run> adhesion;
  std::vector<Run> montagna;  // runs of a non-zero type only
  std::vector<Mark> stations;
  std::vector<Mark> signals;
  std::vector<Mark> warning_boards;
  std::vector<Mark> speed_boards;
  std::vector<Mark> sign_boards;
  std::vector<Mark> code_points;
  std::vector<Slowdown> slowdowns;
};

// The most plan points kept; the plan is thinned evenly to at most this.
inline constexpr size_t kPlanPoints = 3000;

// Plan coordinates farther than this from 0 (in metres) are no place on a
// line of at most 1000000 m; like values that are not finite, they are left
// out, so that no arithmetic on the plan can overflow.
inline constexpr double kFarthestPlanCoordinate = 1e9;

// Gathers the plot from a grid (required), the scenario table (station names
// and sign-board texts; may be null) and the plan (may be null or empty).
// Plan points with a coordinate that is not finite (NaN, infinity) or lies
// beyond kFarthestPlanCoordinate are left out; the drawn line breaks where
// they were, and a warning says how many there were and where.
PlotData gather_plot(const TrackGrid& grid, const ScenarioTable* table, const LineProfile* profile);

}  // namespace scenario::tool
