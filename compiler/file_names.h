// The names of every file a run reads or writes, built from the route name
// and the train number. All of them live in one directory.
#pragma once

#include <string>

namespace scenario {

struct FileNames {
  std::string line_source;      // route + "_linea.txt"
  std::string train_source;     // route + "_" + train + "-.txt"
  std::string timetable_sheet;  // route + "_" + train + "_scheda_treno.txt"
  std::string slowdown_order;   // route + "_" + train + "_rallentamenti.txt"
  std::string notes;            // route + "_" + train + "_note.txt"
  std::string line_profile;     // route + "_linea.dat"
  std::string scenario_file;    // route + "_" + train + ".sim"
  std::string track_file;       // route + "_" + train + ".dat"
};

FileNames file_names(const std::string& route_name, const std::string& train_number);

}  // namespace scenario
