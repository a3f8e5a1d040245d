// The author's two source files, read whole into memory once: the linter
// and the compiler both read these bytes, and the files on disk are never
// opened for writing, deleted or changed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/diagnostics.h"
#include "tools/file_limits.h"

namespace scenario::tool {

enum class InputEncoding { kWindows1252, kUtf8 };

// The bytes of a file, or why it cannot be read ("… does not exist",
// "… is a directory", "… is a named pipe, not an ordinary file", "… is
// 8589934592 bytes, more than the 268435456 bytes that a source text may
// have", "… cannot be read: Permission denied"). A file over the limit is
// refused from its size, unread.
struct FileBytes {
  std::optional<std::string> bytes;
  std::string problem;
};
[[nodiscard]] FileBytes read_file_bytes(const std::string& path, const SizeLimit& limit);

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
