// Replacing a file so that it is never half-written: the whole content goes
// to a temporary file in the same directory, is flushed and closed, and is
// then renamed over the target. On any failure the temporary is removed and
// the earlier file stays exactly as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "output/output_sink.h"

namespace scenario {

// Returns nothing on success, or a message naming the operation, the file
// and the system's reason ("cannot write …/x.dat: No space left on device").
std::optional<std::string> replace_file(const std::filesystem::path& path, std::string_view bytes);

// The same replacement for content produced in pieces: each piece is
// written to the temporary file as it comes.
std::optional<std::string> replace_file_pieces(const std::filesystem::path& path, const PieceSource& source);

// Deletes a file; a file that is already gone is no failure.
std::optional<std::string> delete_file(const std::filesystem::path& path);

}  // namespace scenario
