// Whether a file the tool is about to write is one of the files it reads.
// The same file, not only the same spelling: "./x", a symbolic link to it
// and a second hard link all name the one file on disk.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace scenario::tool {

// A file that is read, and what it is to the command ("the train source").
struct NamedFile {
  std::string path;
  std::string role;
};

// True when both paths exist and name the same file.
[[nodiscard]] bool same_file(const std::string& a, const std::string& b);

// The usage message for the first output that is one of the inputs ("the
// output out/X_731.sim is the same file as X_731.sim (the train source):
// ..."), or empty
// when every output is a file of its own.
[[nodiscard]] std::optional<std::string> output_over_input(const std::vector<NamedFile>& inputs,
                                                           const std::vector<std::string>& outputs);

}  // namespace scenario::tool
