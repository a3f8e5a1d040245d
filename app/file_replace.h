// Replacing a file so that it is never half-written: the whole content goes
// to a temporary file in the same directory, is flushed to the disk and
// closed, and is then renamed over the target. On any failure the temporary
// is removed and the earlier file stays exactly as it was.
//
// A temporary is named ".~" followed by eight random hexadecimal digits and
// ".tmp" (14 bytes, whatever the target's name), created only where no file
// exists, and registered for removal should the run be interrupted. A run
// removes only temporaries it created itself.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/interrupt_cleanup.h"
#include "output/output_sink.h"

namespace scenario {

// The length of every temporary's name.
inline constexpr size_t kTemporaryNameLength = 14;

// True for a name of exactly the temporaries' pattern.
[[nodiscard]] bool is_temporary_name(std::string_view name);

// A fresh temporary name with a random part.
[[nodiscard]] std::string random_temporary_name();

// Gives the name to try for a temporary; asked again when a file of that
// name exists.
using TemporaryNamer = std::function<std::string()>;

// A file's new content, whole and flushed in a temporary beside the target
// but not yet in its place. Destroyed without commit, it removes the
// temporary.
class StagedFile {
 public:
  StagedFile(std::filesystem::path target, std::filesystem::path temporary);
  ~StagedFile();
  StagedFile(StagedFile&& other) noexcept;
  StagedFile& operator=(StagedFile&&) = delete;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Renames the temporary over the target. On failure the temporary is
  // removed and the message names the target and the reason.
  [[nodiscard]] std::optional<std::string> commit();
  // Removes the temporary; the target is not touched.
  void discard();

  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& temporary() const { return temporary_; }

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  RemoveOnInterrupt guard_;
  bool pending_ = true;
};

// A second name, of the temporaries' pattern, for the file now at target,
// held while new content is renamed over it and removed with the object.
// The rename then only changes a directory entry, however large the earlier
// file, and the earlier content is freed only when the name goes. Holds
// nothing when there is no file there or it cannot be linked (on Windows,
// or on a file system without hard links).
class EarlierName {
 public:
  explicit EarlierName(const std::filesystem::path& target);
  ~EarlierName();
  EarlierName(EarlierName&& other) noexcept;
  EarlierName& operator=(EarlierName&&) = delete;
  EarlierName(const EarlierName&) = delete;
  EarlierName& operator=(const EarlierName&) = delete;

 private:
  std::filesystem::path name_;
  std::optional<RemoveOnInterrupt> guard_;
};

// The outcome of staging: the staged file, or the message that says why the
// content could not be written ("cannot write …/x.dat: File too large").
struct StageOutcome {
  std::optional<StagedFile> staged;
  std::string failure;
};

// Writes the content into a new temporary beside target and flushes it.
[[nodiscard]] StageOutcome stage_file(const std::filesystem::path& target, const PieceSource& source,
                                      const TemporaryNamer& namer = random_temporary_name);
[[nodiscard]] StageOutcome stage_file(const std::filesystem::path& target, std::string_view bytes);

// Flushes a directory's entries (the renames into it) to the disk. Best
// effort: a file system that cannot flush a directory is no failure. Does
// nothing on Windows, where the rename itself writes through.
void sync_directory(const std::filesystem::path& dir);

// Removes the regular files in dir whose names are of the temporaries'
// pattern: those left by runs that were killed. Only a caller that holds
// the directory's lock may do so. Returns how many it removed.
size_t clear_stale_temporaries(const std::filesystem::path& dir);

// Returns nothing on success, or a message naming the operation, the file
// and the system's reason ("cannot write …/x.dat: No space left on device").
[[nodiscard]] std::optional<std::string> replace_file(const std::filesystem::path& path, std::string_view bytes);

// The same replacement for content produced in pieces: each piece is
// written to the temporary file as it comes.
[[nodiscard]] std::optional<std::string> replace_file_pieces(const std::filesystem::path& path,
                                                             const PieceSource& source);

// Deletes a file; a file that is already gone is no failure.
[[nodiscard]] std::optional<std::string> delete_file(const std::filesystem::path& path);

}  // namespace scenario
