// The author's two source files, read whole into memory once: the linter
// and the compiler both read these bytes, and the files on disk are never
// opened for writing, deleted or changed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/diagnostics.h"

namespace scenario::tool {

enum class InputEncoding { kWindows1252, kUtf8 };

// The bytes of a file, or why it cannot be read ("… does not exist",
// "… is a directory", "… cannot be read: Permission denied").
struct FileBytes {
  std::optional<std::string> bytes;
  std::string problem;
};
FileBytes read_file_bytes(const std::string& path);

// With kUtf8, converts the text to Windows-1252, the code page the simulator
// reads. Empty, with the diagnostic naming the first line that cannot be
// converted, when the text is not UTF-8 or holds a character the code page
// lacks. With kWindows1252 the bytes pass unchanged.
struct Converted {
  std::optional<std::string> bytes;
  Diagnostic problem;
};
Converted convert_source(const std::string& path, std::string bytes, InputEncoding encoding);

// Both sources read, converted when asked, and linted. When one cannot be
// read or converted, problem holds the text to print (an input/output
// error: nothing may be compiled).
struct SourcePair {
  std::string line;
  std::string train;
  std::vector<Diagnostic> warnings;
  std::string problem;
};
SourcePair load_sources(const std::string& line_path, const std::string& train_path, InputEncoding encoding,
                        bool with_profile);

}  // namespace scenario::tool
