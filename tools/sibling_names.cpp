#include "tools/sibling_names.h"

#include <string>

namespace scenario::tool {

std::filesystem::path scenario_file_beside(const std::filesystem::path& track) {
  std::filesystem::path sim = track;
  sim.replace_extension(".sim");
  return sim;
}

std::optional<std::filesystem::path> profile_file_beside(const std::filesystem::path& track) {
  const std::string stem = track.stem().string();
  const size_t cut = stem.rfind('_');
  if (cut == std::string::npos || cut == 0) return std::nullopt;
  return track.parent_path() / (stem.substr(0, cut) + "_linea.dat");
}

}  // namespace scenario::tool
