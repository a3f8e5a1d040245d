// The two source texts as files on disk. The one-shot run deletes its
// temporary copies when the compiler says so; the authoring tool passes
// keep_files so that an author's files are never touched: a "deleted" source
// is then only forgotten.
#pragma once

#include <filesystem>
#include <set>

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

 private:
  std::filesystem::path line_, train_;
  bool keep_files_;
  std::set<SourceKind> forgotten_;
};

// Reads a whole file in one go. Empty when it cannot be opened or read.
std::optional<std::string> read_whole_file(const std::filesystem::path& path);

}  // namespace scenario
