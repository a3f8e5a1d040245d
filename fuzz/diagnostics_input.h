// The fuzz entry of the authoring tool's diagnostics: the same input as the
// compile entry (fuzz/fuzz_input.h) is linted and compiled in memory as
// `scenario compile` does it, and every warning and error is formatted for
// the terminal and for --json. Aborts when a diagnostic is not valid UTF-8,
// holds a control character, runs longer than a readable line, or cannot
// be written as JSON: an author's bytes, whatever they are, must come back
// as a message the author can read.
#pragma once

#include <string_view>

namespace scenario::fuzz {

void diagnose_input(std::string_view input);

}  // namespace scenario::fuzz
