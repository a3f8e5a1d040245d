#include "tools/plot_data.h"

#include <cmath>

#include "scenario/cp1252.h"
#include "tools/dump_fields.h"

namespace scenario::tool {

namespace {

std::vector<Run> runs(const TrackGrid& grid, uint8_t TrackCell::*field, int scale, int offset, bool skip_zero) {
  std::vector<Run> out;
  size_t from = 0;
  for (size_t i = 1; i <= grid.size(); ++i) {
    if (i < grid.size() && grid[i].*field == grid[from].*field) continue;
    const int raw = grid[from].*field;
    if (!(skip_zero && raw == 0))
      out.push_back({static_cast<int64_t>(from) * 50, static_cast<int64_t>(i) * 50, raw * scale + offset});
    from = i;
  }
  return out;
}

// Rank speeds of one board face from value = left * 20 + right / 5.
std::string ranks(int16_t v) {
  const int left = v / 100 * 5;
  const int right = v % 100 * 5;
  return std::to_string(left) + "/" + std::to_string(right);
}

}  // namespace

PlotData gather_plot(const TrackGrid& grid, const ScenarioTable* table, const LineProfile* profile) {
  PlotData d;
  d.extent = static_cast<int64_t>(grid.size() > 0 ? grid.size() - 1 : 0) * 50;
  d.route_length = d.extent - kGridMargin;
  if (table) {
    const ScenarioRecord& route = (*table)[record::kRoute];
    const ScenarioRecord& signals = (*table)[record::kSignals];
    d.title = cp1252_to_utf8(route.text) + ", train " + cp1252_to_utf8(signals.text);
    if ((*table)[record::kTrain].long2 > 0) d.route_length = (*table)[record::kTrain].long2;
  }
  if (d.route_length < 0) d.route_length = 0;

  d.gradient = runs(grid, &TrackCell::gradient, 1, -100, false);
  d.speed = runs(grid, &TrackCell::speed, 5, 0, false);
  d.adhesion = runs(grid, &TrackCell::adhesion, 1, 0, false);
  d.montagna = runs(grid, &TrackCell::montagna, 1, 0, true);

  bool open = false;  // a slowdown start waits for its end
  for (size_t i = 0; i < grid.size(); ++i) {
    const TrackCell& c = grid[i];
    const int64_t at = object_position(static_cast<int64_t>(i), c.kind);
    const std::string where = " at " + std::to_string(at) + " m (cell " + std::to_string(i) + ")";
    switch (c.kind) {
      case cell_kind::kSignal:
        d.signals.push_back({at, "", "signal" + where});
        break;
      case cell_kind::kWarningBoard:
        d.warning_boards.push_back(
            {at, std::to_string(c.value1), "slowdown warning board, " + std::to_string(c.value1) + " km/h" + where});
        break;
      case cell_kind::kSlowdownStart:
        d.slowdowns.push_back({at, at, c.value1});
        open = true;
        break;
      case cell_kind::kSlowdownEnd:
        if (open) {
          d.slowdowns.back().to = at;
          open = false;
        } else {
          d.slowdowns.push_back({at, at, c.value1});
        }
        break;
      case cell_kind::kSpeedBoards:
        d.speed_boards.push_back({at, "",
                                  "speed indicator boards" + where + ": ranks A " + ranks(c.value1) + ", B " +
                                      ranks(c.value2) + ", C " + ranks(c.value3) + " km/h (left/right)"});
        break;
      case cell_kind::kSignBoard: {
        std::string text;
        if (table && c.value1 >= 0 && c.value1 < kScenarioRecords)
          text = cp1252_to_utf8((*table)[static_cast<size_t>(c.value1)].text);
        d.sign_boards.push_back({at, text, "sign board" + where + (text.empty() ? "" : ": " + text)});
        break;
      }
      case cell_kind::kCodeChange:
        d.code_points.push_back(
            {at, std::to_string(c.value1), "cab-code change point, code " + std::to_string(c.value1) + where});
        break;
      case cell_kind::kCodeRemoval:
        d.code_points.push_back({at, "", "cab-code removal point" + where});
        break;
      case cell_kind::kStationStop:
        if (!table) d.stations.push_back({at, "station " + std::to_string(c.value1), "station stop point" + where});
        break;
      default:
        break;
    }
  }

  if (table) {
    for (int k = 1; k < record::kFirstSignBoard; ++k) {
      const ScenarioRecord& r = (*table)[static_cast<size_t>(k)];
      if (record_role(k, r) != RecordRole::kStation) break;
      const std::string name = cp1252_to_utf8(r.text);
      d.stations.push_back({r.long3, name,
                            name + ": station at " + std::to_string(r.long3) + " m, zone " + std::to_string(r.long1) +
                                " to " + std::to_string(r.long2) + " m, kind " + std::to_string(r.kind)});
    }
  }

  if (profile && !profile->empty()) {
    // Points whose two coordinates hold values, thinned evenly; the last
    // such point is always kept so the plan reaches the end. Two walks over
    // the plan: one to count, one to keep. A point with a coordinate that is
    // no place (not finite, or too far) is left out and breaks the line.
    auto both = [](const PlanElement& x, const PlanElement& y) {
      return x.type != ProfileType::kEmpty && y.type != ProfileType::kEmpty;
    };
    auto place = [](const PlanElement& e) {
      return std::isfinite(e.value) && std::fabs(e.value) <= kFarthestPlanCoordinate;
    };
    int64_t count = 0, left_out = 0;
    int32_t first_left_out = -1;
    profile->walk([&](int32_t m, const PlanElement& x, const PlanElement& y) {
      if (!both(x, y)) return;
      if (place(x) && place(y)) {
        ++count;
      } else if (left_out++ == 0) {
        first_left_out = m;
      }
    });
    const int64_t step = count > static_cast<int64_t>(kPlanPoints)
                             ? (count + static_cast<int64_t>(kPlanPoints) - 1) / static_cast<int64_t>(kPlanPoints)
                             : 1;
    int64_t seen = 0;
    std::pair<double, double> last_point;
    int32_t last_metre = -1;
    bool broken = false;              // a point was left out since the last kept one
    bool broken_before_last = false;  // ... since the last kept one, before last_point
    auto keep = [&](std::pair<double, double> point, int32_t m, bool after_break) {
      if (after_break && !d.plan.empty()) d.plan_breaks.push_back(d.plan.size());
      d.plan.push_back(point);
      d.plan_metres.push_back(m);
    };
    profile->walk([&](int32_t m, const PlanElement& x, const PlanElement& y) {
      if (!both(x, y)) return;
      if (!place(x) || !place(y)) {
        broken = true;
        return;
      }
      if (seen++ % step == 0) {
        keep({x.value, y.value}, m, broken);
        broken = false;
      }
      broken_before_last = broken;
      last_point = {x.value, y.value};
      last_metre = m;
    });
    if (last_metre >= 0 && d.plan_metres.back() != last_metre) keep(last_point, last_metre, broken_before_last);
    if (left_out > 0)
      d.warnings.push_back("the line profile holds " + std::to_string(left_out) + " point" +
                           (left_out == 1 ? "" : "s") + " whose coordinates are no place (not finite, or beyond " +
                           "1000000 km), the first at metre " + std::to_string(first_left_out) +
                           "; the plan leaves them out and is broken there");
  }
  return d;
}

}  // namespace scenario::tool
