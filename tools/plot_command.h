// scenario plot: draws a compiled scenario (a track file, with the line
// profile file and the scenario file when they can be had) or two source
// files, compiled in memory, as an SVG picture.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tools/source_input.h"

namespace scenario::tool {

struct PlotOptions {
  std::vector<std::string> files;  // TRACK_FILE [PROFILE_FILE], or LINE_SOURCE TRAIN_SOURCE
  std::string out;
  InputEncoding encoding = InputEncoding::kWindows1252;
};

// Returns 0 when the picture is written; 1 when it is written but the
// sources recorded a compile error or failed a final check; 2 when there is
// nothing to draw (no track grid); 64 usage; 65 a malformed binary file; 74
// a file that cannot be read or written.
int run_plot(const PlotOptions& options, std::FILE* out, std::FILE* err);

}  // namespace scenario::tool
