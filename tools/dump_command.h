// scenario dump: decodes a scenario file (.sim), a track file (.dat) or a
// line profile file (_linea.dat) into a readable table or JSON lines, and
// checks its markers and check codes.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <variant>

#include "compiler/route_model.h"
#include "tools/source_input.h"

namespace scenario::tool {

// A binary file decoded, with the kind told from its name and structure.
struct BinaryFile {
  std::variant<ScenarioTable, TrackGrid, LineProfile> content;
  std::string note;  // set when the name and the structure disagree
};

// Decodes the bytes as the kind the name says (".sim", "_linea.dat",
// ".dat"); a ".dat" file whose structure fits only the other kind is
// decoded as that kind, with a note. Empty, with error, when the bytes are
// no file of the kinds that fit.
struct DecodedFile {
  std::optional<BinaryFile> file;
  std::string error;
};
DecodedFile decode_binary_file(const std::string& path, std::string_view bytes);

// The bytes of a binary file, refused unread when larger than any file of
// the kinds its name allows (see decode_binary_file) can be.
[[nodiscard]] FileBytes read_binary_file(const std::string& path);

// The scenario file beside a track file (the same name with ".sim"), when
// there is one and it decodes.
std::optional<ScenarioTable> scenario_beside(const std::string& track_path);

// Returns 0 when the file decodes and its checks hold, 1 when a check
// reports a mismatch, 65 for a malformed file, 74 when it cannot be read.
int run_dump(const std::string& path, bool json, std::FILE* out, std::FILE* err);

}  // namespace scenario::tool
