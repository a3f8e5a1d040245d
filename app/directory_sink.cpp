#include "app/directory_sink.h"

#include "app/run_lock.h"

namespace scenario {

std::optional<std::string> DirectorySink::staged(StageOutcome outcome) {
  if (!outcome.staged) {
    discard();
    return outcome.failure;
  }
  staged_.push_back(std::move(*outcome.staged));
  return std::nullopt;
}

std::optional<std::string> DirectorySink::write(const std::string& name, std::string bytes) {
  return staged(stage_file(dir_ / name, bytes));
}

std::optional<std::string> DirectorySink::write_pieces(const std::string& name, const PieceSource& source) {
  return staged(stage_file(dir_ / name, source));
}

std::optional<std::string> DirectorySink::commit() {
  std::optional<std::string> failed;
  {
    // The earlier files keep a second name until the new set is in place,
    // so the renames follow one another within microseconds, whatever the
    // sizes; an interruption meanwhile waits until all of them are done.
    std::vector<EarlierName> earlier;
    earlier.reserve(staged_.size());
    for (const StagedFile& f : staged_) earlier.emplace_back(f.target());
    InterruptionsHeld held;
    for (StagedFile& f : staged_) {
      // After a failed rename the files still staged are only removed.
      if (failed) {
        f.discard();
      } else {
        failed = f.commit();
      }
    }
  }
  staged_.clear();
  sync_directory(dir_);
  return failed;
}

void DirectorySink::discard() { staged_.clear(); }

PercorsoResult write_files_locked(const RouteModel& model, const std::filesystem::path& dir) {
  LockOutcome locked = DirectoryLock::acquire(dir);
  if (!locked.lock) {
    PercorsoResult result;
    result.end = PercorsoEnd::kWriteFailed;
    result.failure = locked.failure;
    return result;
  }
  DirectorySink sink(dir);
  return write_compiled_files(model, sink);
}

}  // namespace scenario
