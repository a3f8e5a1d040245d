#include "app/disk_sources.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/file_replace.h"

namespace scenario {

namespace {

#ifdef _WIN32

std::string system_reason(DWORD code) { return std::system_category().message(static_cast<int>(code)); }

WholeFile read_opened(const std::filesystem::path& path, uint64_t max_bytes) {
  WholeFile out;
  std::error_code ec;
  // A directory cannot be opened as a file here; say what it is.
  if (std::filesystem::is_directory(path, ec)) {
    out.problem = "is a directory, not an ordinary file";
    return out;
  }
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    out.problem = e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? std::string("does not exist")
                                                                         : "cannot be read: " + system_reason(e);
    return out;
  }
  LARGE_INTEGER size{};
  if (GetFileType(h) != FILE_TYPE_DISK) {
    out.problem = "is not an ordinary file";
  } else if (!GetFileSizeEx(h, &size)) {
    out.problem = "cannot be read: " + system_reason(GetLastError());
  } else if (static_cast<uint64_t>(size.QuadPart) > max_bytes) {
    out.size = static_cast<uint64_t>(size.QuadPart);
    out.too_large = true;
  } else {
    try {
      std::string bytes;
      bytes.reserve(static_cast<size_t>(size.QuadPart));
      char buf[1 << 16];
      for (;;) {
        DWORD n = 0;
        if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
          out.problem = "cannot be read: " + system_reason(GetLastError());
          break;
        }
        if (n == 0) {
          out.bytes = std::move(bytes);
          break;
        }
        if (bytes.size() + n > max_bytes) {  // it grew while being read
          out.size = bytes.size() + n;
          out.too_large = true;
          break;
        }
        bytes.append(buf, n);
      }
    } catch (const std::bad_alloc&) {
      out.problem = "cannot be read: there is not enough memory to hold it";
    } catch (const std::length_error&) {
      out.problem = "cannot be read: there is not enough memory to hold it";
    }
  }
  CloseHandle(h);
  return out;
}

#else

const char* kind_of(mode_t mode) {
  if (S_ISDIR(mode)) return "is a directory, not an ordinary file";
  if (S_ISFIFO(mode)) return "is a named pipe, not an ordinary file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "is a device, not an ordinary file";
  if (S_ISSOCK(mode)) return "is a socket, not an ordinary file";
  return "is not an ordinary file";
}

WholeFile read_opened(const std::filesystem::path& path, uint64_t max_bytes) {
  WholeFile out;
  // Without O_NONBLOCK, opening a named pipe waits for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int e = errno;
    out.problem = e == ENOENT || e == ENOTDIR ? std::string("does not exist")
                                              : std::string("cannot be read: ") + std::strerror(e);
    return out;
  }
  struct stat st {};
  const int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &st) != 0) {
    out.problem = std::string("cannot be read: ") + std::strerror(errno);
  } else if (!S_ISREG(st.st_mode)) {
    out.problem = kind_of(st.st_mode);
  } else if (static_cast<uint64_t>(st.st_size) > max_bytes) {
    out.size = static_cast<uint64_t>(st.st_size);
    out.too_large = true;
  } else if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    out.problem = std::string("cannot be read: ") + std::strerror(errno);
  } else {
    try {
      std::string bytes;
      bytes.reserve(static_cast<size_t>(st.st_size));
      char buf[1 << 16];
      for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
          out.problem = std::string("cannot be read: ") + std::strerror(errno);
          break;
        }
        if (n == 0) {
          out.bytes = std::move(bytes);
          break;
        }
        if (bytes.size() + static_cast<size_t>(n) > max_bytes) {  // it grew while being read
          out.size = bytes.size() + static_cast<size_t>(n);
          out.too_large = true;
          break;
        }
        bytes.append(buf, static_cast<size_t>(n));
      }
    } catch (const std::bad_alloc&) {
      out.problem = "cannot be read: there is not enough memory to hold it";
    } catch (const std::length_error&) {
      out.problem = "cannot be read: there is not enough memory to hold it";
    }
  }
  ::close(fd);
  return out;
}

#endif

}  // namespace

WholeFile read_file_within(const std::filesystem::path& path, uint64_t max_bytes) {
  try {
    return read_opened(path, max_bytes);
  } catch (const std::exception&) {
    // Only the message texts allocate outside the read itself.
    WholeFile out;
    out.problem = "cannot be read: there is not enough memory to hold it";
    return out;
  }
}

std::optional<std::string> read_whole_file(const std::filesystem::path& path) {
  return read_file_within(path, UINT64_MAX).bytes;
}

bool DiskSources::exists(SourceKind k) const {
  if (forgotten_.count(k)) return false;
  std::error_code ec;
  return std::filesystem::is_regular_file(path(k), ec);
}

std::optional<std::string> DiskSources::read(SourceKind k) {
  if (forgotten_.count(k)) return std::nullopt;
  return read_whole_file(path(k));
}

void DiskSources::remove(SourceKind k) {
  forgotten_.insert(k);
  if (keep_files_) return;
  // A later removal that succeeds takes back the failure of an earlier one.
  if (auto failure = delete_file(path(k))) {
    removal_failures_[k] = *failure;
  } else {
    removal_failures_.erase(k);
  }
}

std::vector<std::string> DiskSources::removal_failures() const {
  std::vector<std::string> out;
  for (const auto& [kind, failure] : removal_failures_) out.push_back(failure);
  return out;
}

}  // namespace scenario
