// The decoded binary files written out for people (a table per file) or for
// programs (JSON lines: one object per line, a header line first and the
// checks last). Texts are converted from Windows-1252 to UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "compiler/route_model.h"
#include "tools/file_checks.h"

namespace scenario::tool {

struct DumpHeader {
  std::string file;  // as the user named it
  size_t bytes = 0;
  std::string note;  // what the reader noticed about the file as a whole
};

std::string dump_scenario(const DumpHeader& h, const ScenarioTable& table, const std::vector<FileCheck>& checks,
                          bool json);
std::string dump_track(const DumpHeader& h, const TrackGrid& grid, const std::vector<FileCheck>& checks, bool json);
std::string dump_profile(const DumpHeader& h, const LineProfile& profile, bool json);

}  // namespace scenario::tool
