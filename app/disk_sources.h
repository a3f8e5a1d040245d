// The two source texts as files on disk. The one-shot run deletes its
// temporary copies when the compiler says so; the authoring tool passes
// keep_files so that an author's files are never touched: a "deleted" source
// is then only forgotten.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "compiler/source_store.h"

namespace scenario {

class DiskSources : public SourceStore {
 public:
  DiskSources(std::filesystem::path line, std::filesystem::path train, bool keep_files)
      : line_(std::move(line)), train_(std::move(train)), keep_files_(keep_files) {}

  bool exists(SourceKind k) const override;
  std::optional<std::string> read(SourceKind k) override;
  void remove(SourceKind k) override;

  const std::filesystem::path& path(SourceKind k) const { return k == SourceKind::kLine ? line_ : train_; }

  // The messages of the deletions that failed and were not made good by a
  // later one ("cannot delete …: Directory not empty"), line source first.
  [[nodiscard]] std::vector<std::string> removal_failures() const;

 private:
  std::filesystem::path line_, train_;
  bool keep_files_;
  std::set<SourceKind> forgotten_;
  std::map<SourceKind, std::string> removal_failures_;
};

// A whole file read into memory, or why it was not. The file is opened
// without waiting (a named pipe put in a file's place cannot hold the reader
// up), and what was opened is checked, not the name beforehand: only an
// ordinary file on disk is read, and only when its size is within the limit.
struct WholeFile {
  std::optional<std::string> bytes;
  uint64_t size = 0;       // the size the opened file had; set when too_large
  bool too_large = false;  // larger than the limit: nothing was read
  std::string problem;     // why there are no bytes, to follow the file's name:
                           // "does not exist", "is a named pipe, not an ordinary file", ...
};

// Reads the file whole when it is an ordinary file of at most max_bytes.
// Never throws: a file that memory cannot hold is a problem like any other.
[[nodiscard]] WholeFile read_file_within(const std::filesystem::path& path, uint64_t max_bytes);

// Reads a whole file in one go, with no limit but memory. Empty when it
// cannot be opened or read, or is no ordinary file.
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

}  // namespace scenario
