// Writes each output file into one directory by atomic replacement, a set
// of files at a time: every file is written and flushed to its own
// temporary first, and only commit renames them into place, one right
// after the other. A file that cannot be written, or a sink destroyed
// before commit, removes every temporary and renames none.
#pragma once

#include <filesystem>
#include <vector>

#include "app/file_replace.h"
#include "compiler/route_model.h"
#include "output/memorizza_percorso.h"
#include "output/output_sink.h"

namespace scenario {

class DirectorySink : public OutputSink {
 public:
  explicit DirectorySink(std::filesystem::path dir) : dir_(std::move(dir)) {}
  std::optional<std::string> write(const std::string& name, std::string bytes) override;
  std::optional<std::string> write_pieces(const std::string& name, const PieceSource& source) override;
  [[nodiscard]] std::optional<std::string> commit() override;
  void discard() override;

 private:
  std::optional<std::string> staged(StageOutcome outcome);

  std::filesystem::path dir_;
  std::vector<StagedFile> staged_;
};

// Writes the compiled model's files into dir as one set while holding the
// directory's lock (see run_lock.h). A lock that cannot be taken is a
// failed write, as is any file that cannot be written.
[[nodiscard]] PercorsoResult write_files_locked(const RouteModel& model, const std::filesystem::path& dir);

}  // namespace scenario
