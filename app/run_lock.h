// The lock that lets only one run at a time write into a directory. A run
// of corvale_mirbosco holds it on its own directory from before its first
// file to its end; scenario compile holds it on the output directory while
// it writes its set of files. A second run waits for the first to finish.
//
// The lock is an exclusive lock on the file ".scenario.lock" in the
// directory (flock on POSIX, LockFileEx on Windows), which the system
// releases however the holder ends, a kill included. The file stays after
// the run: removing it would let a third run lock a new file of that name
// while a second one still waits on the old one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace scenario {

inline constexpr const char* kLockFileName = ".scenario.lock";

struct LockOutcome;

class DirectoryLock {
 public:
  // Waits until this process holds the directory's lock, then clears the
  // temporaries that killed runs left in it (see clear_stale_temporaries).
  [[nodiscard]] static LockOutcome acquire(const std::filesystem::path& dir);

  ~DirectoryLock();
  DirectoryLock(DirectoryLock&& other) noexcept;
  DirectoryLock& operator=(DirectoryLock&&) = delete;
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
#ifdef _WIN32
  explicit DirectoryLock(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
#else
  explicit DirectoryLock(int fd) : fd_(fd) {}
  int fd_ = -1;
#endif
};

// The lock, or the message that says why it could not be taken
// ("cannot lock …/.scenario.lock: Not a directory").
struct LockOutcome {
  std::optional<DirectoryLock> lock;
  std::string failure;
};

}  // namespace scenario
