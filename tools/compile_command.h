// scenario compile: compiles an author's two source files exactly as the
// one-shot run compiles its own (same readers, pass, checks and writers)
// and writes the files that run would write, named as it names them.
// Diagnostics go to err; with json, stdout carries one JSON object.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "tools/source_input.h"

namespace scenario::tool {

struct CompileOptions {
  std::string line_source;
  std::string train_source;
  std::optional<std::string> route;
  std::optional<std::string> train;
  bool no_profile = false;
  std::string out_dir = ".";
  bool json = false;
  InputEncoding encoding = InputEncoding::kWindows1252;
};

// Returns the exit status: 0 clean, 1 compile error recorded (files
// written), 2 fatal (nothing written), 64 usage, 74 input/output.
int run_compile(const CompileOptions& options, std::FILE* out, std::FILE* err);

}  // namespace scenario::tool
