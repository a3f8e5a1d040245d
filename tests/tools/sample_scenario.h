// A small compiled scenario built directly in the route model, with one
// object of every kind, stretches, a curved plan, and the markers and check
// codes stamped as the final checks stamp them; and its three files written
// by the encoders into a directory.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>

#include "compiler/file_names.h"
#include "compiler/route_model.h"
#include "output/encoders.h"
#include "output/final_checks.h"

namespace scenario::testing {

inline RouteModel sample_model(const std::string& first_station = "Citt\xE0 Alta") {
  RouteModel m;
  m.route_name = "Sample";
  m.train_number = "42";
  reset_model(m, 1);
  size_model(m, 10000);  // grid_end 340, profile_end 17000
  auto& t = m.table;
  t[1] = ScenarioRecord{8, -600, 600, 0, 1, first_station, 1, 1, 2, 5, 1, 0, 1, 0, 0, 43515};
  t[2] = ScenarioRecord{12, 5700, 6300, 6000, 0, "Mirbosco", 0, 0, 0, 0, 0, 1, 0, 0, 0, 45000};
  t[80].text = "(  Km  )(3+200)";
  t[record::kKilometreThree] = ScenarioRecord{0, 2000, 218400, 1, 0, ""};
  t[record::kTrain] = ScenarioRecord{0, 130, 10000, 8, 0, ""};
  t[record::kRoute] = ScenarioRecord{0, 129300, 3, 2, 0, m.route_name};
  t[record::kSignals] = ScenarioRecord{0, 1000, 9000, 9, 0, m.train_number, 300, 0, 15, 4, 15};

  auto& g = m.grid;
  for (size_t i = 0; i < g.size(); ++i) {
    g[i].speed = i < 200 ? 20 : 24;
    g[i].gradient = i < 100 ? 100 : i < 250 ? 103 : 97;
    g[i].adhesion = i < 150 ? 80 : 90;
    if (i >= 200 && i < 220) g[i].montagna = 2;
  }
  g[11].kind = cell_kind::kStationStop;
  g[11].value1 = 1;
  g[20] = TrackCell{cell_kind::kSpeedBoards, 2828, 3232, 3232, 22, 0, 0, 0, 20, 100, 80};
  g[35].kind = cell_kind::kSignBoard;
  g[35].value1 = 80;
  g[57].kind = cell_kind::kSignal;
  g[57].value1 = 42;
  g[57].value2 = 11;
  g[57].value3 = 11;
  g[57].value4 = 8;
  g[57].timer = 115;
  for (int k = 1; k <= 4; ++k) g[static_cast<size_t>(57 - 2 * k)].approach = static_cast<uint8_t>(80 + k);
  g[76].kind = cell_kind::kWarningBoard;
  g[76].value1 = 60;
  g[100].kind = cell_kind::kSlowdownStart;
  g[100].value1 = 60;
  g[110].kind = cell_kind::kSlowdownEnd;
  g[110].value1 = 60;
  g[150].kind = cell_kind::kCodeChange;
  g[150].value1 = 270;
  g[160].kind = cell_kind::kCodeRemoval;
  g[207].kind = cell_kind::kMontagnaMarker;

  // A straight start, then a gentle right-hand arc; the last two metres stay empty.
  LineProfile& p = m.profile;
  p.set_int16(0, 0, 0);
  p.set_int16(0, 1, 0);
  p.set_int16(1, 0, 0);
  p.set_int16(1, 1, 1);
  for (int32_t i = 2; i <= p.last() - 2; ++i) {
    const double a = i < 3000 ? 0.0 : (i - 3000) / 20000.0;
    p.set_double(i, 0, i < 3000 ? 0.0 : 20000.0 * (1 - std::cos(a)));
    p.set_double(i, 1, i < 3000 ? i : 3000 + 20000.0 * std::sin(a));
  }
  run_final_checks(m);
  return m;
}

inline void write_bytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Writes the three files as the output stage names them; returns their names.
inline FileNames write_sample_files(const RouteModel& m, const std::filesystem::path& dir) {
  const FileNames n = file_names(m.route_name, m.train_number);
  write_bytes(dir / n.line_profile, encode_profile_file(m.profile));
  write_bytes(dir / n.scenario_file, encode_scenario_file(m.table));
  write_bytes(dir / n.track_file, encode_track_file(m.grid));
  return n;
}

}  // namespace scenario::testing
