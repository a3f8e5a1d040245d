// The directory that holds the program's own executable: every file of a
// run lives there, whatever the working directory.
#pragma once

#include <filesystem>
#include <optional>

namespace scenario {

std::optional<std::filesystem::path> program_directory();

}  // namespace scenario
