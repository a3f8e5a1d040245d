// The largest size each kind of file the authoring tool reads can
// meaningfully have. A file over its limit is refused from its size alone,
// before a byte of it is read: a file of many gigabytes costs neither time
// nor memory. The binary files' limits follow from their layouts for the
// longest route; a source text has no layout bound, so it has a generous
// limit far above any real source.
#pragma once

#include <cstdint>
#include <string>

namespace scenario::tool {

// The most bytes a file of one kind may have, and the words that say of
// what ("that a track file of a route of at most 1000000 m can have").
struct SizeLimit {
  uint64_t bytes = 0;
  std::string of_what;
};

// 256 MiB: a line source with a record for every metre of the longest route
// is about 22 MiB, and a source of a hundred megabytes still compiles.
inline constexpr uint64_t kLargestSourceFile = uint64_t{256} << 20;

// The track file of the longest route: one 15-byte cell per 50 m of the line
// and its margin.
[[nodiscard]] uint64_t largest_track_file();
// 87 records, each with the longest text its 16-bit length word allows.
[[nodiscard]] uint64_t largest_scenario_file();
// The plan of the longest route: one x and one y element per metre of the
// line and its margin, each a double with its type code.
[[nodiscard]] uint64_t largest_profile_file();

[[nodiscard]] SizeLimit source_limit();
[[nodiscard]] SizeLimit scenario_file_limit();
// A ".dat" file may hold a track or a line profile: the larger of the two.
[[nodiscard]] SizeLimit dat_file_limit();
// A file whose name tells no kind: the largest of the three.
[[nodiscard]] SizeLimit any_binary_file_limit();

}  // namespace scenario::tool
