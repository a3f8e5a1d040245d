// scenario init: writes the built-in scenario's two source texts and three
// documents into a directory, byte for byte as the one-shot run writes
// them, without compiling: the starting point for a new scenario.
#pragma once

#include <cstdio>
#include <string>

namespace scenario::tool {

// Creates the directory when needed. A file that exists with other content
// is an author's work: without force nothing is written and the status is
// 73. Returns 0, 73 or 74 (a file or the directory cannot be written).
int run_init(const std::string& dir, bool force, std::FILE* out, std::FILE* err);

}  // namespace scenario::tool
