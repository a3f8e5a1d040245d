// The names of the files that belong beside a compiled track file
// "ROUTE_TRAIN.dat": its scenario file "ROUTE_TRAIN.sim" and the line profile
// file "ROUTE_linea.dat". They come from the track file's own name only,
// never from what a file holds, so no file's contents can send the tool to
// read a file in another directory.
#pragma once

#include <filesystem>
#include <optional>

namespace scenario::tool {

// The same name with ".sim", in the same directory.
[[nodiscard]] std::filesystem::path scenario_file_beside(const std::filesystem::path& track);

// "ROUTE_linea.dat" in the same directory, ROUTE being the track file's stem
// up to its last "_"; empty when the stem has no "_" or nothing before it.
[[nodiscard]] std::optional<std::filesystem::path> profile_file_beside(const std::filesystem::path& track);

}  // namespace scenario::tool
