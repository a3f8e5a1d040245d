#include "app/run_lock.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "app/file_replace.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace scenario {

namespace {

std::string failure(const std::filesystem::path& p, const std::string& reason) {
  return "cannot lock " + p.string() + ": " + reason;
}

}  // namespace

#ifdef _WIN32

DirectoryLock::~DirectoryLock() {
  if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));  // closing releases the lock
}

DirectoryLock::DirectoryLock(DirectoryLock&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }

LockOutcome DirectoryLock::acquire(const std::filesystem::path& dir) {
  LockOutcome out;
  const std::filesystem::path path = dir / kLockFileName;
  HANDLE h =
      CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    out.failure = failure(path, std::system_category().message(static_cast<int>(GetLastError())));
    return out;
  }
  OVERLAPPED from_start{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &from_start)) {
    out.failure = failure(path, std::system_category().message(static_cast<int>(GetLastError())));
    CloseHandle(h);
    return out;
  }
  out.lock.emplace(DirectoryLock(static_cast<void*>(h)));
  clear_stale_temporaries(dir);
  return out;
}

#else

DirectoryLock::~DirectoryLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

DirectoryLock::DirectoryLock(DirectoryLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

LockOutcome DirectoryLock::acquire(const std::filesystem::path& dir) {
  LockOutcome out;
  const std::filesystem::path path = dir / kLockFileName;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    out.failure = failure(path, std::strerror(errno));
    return out;
  }
  // flock belongs to the open file, not to the process: two runs, or two
  // threads with their own opening, exclude each other.
  while (::flock(fd, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    out.failure = failure(path, std::strerror(errno));
    ::close(fd);
    return out;
  }
  out.lock.emplace(DirectoryLock(fd));
  clear_stale_temporaries(dir);
  return out;
}

#endif

}  // namespace scenario
