#include "app/file_replace.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scenario {

namespace {

std::string failure(const char* what, const std::filesystem::path& p, const std::string& reason) {
  return std::string("cannot ") + what + " " + p.string() + ": " + reason;
}

// A name beside the target that no other writer of this process uses.
std::filesystem::path temporary_beside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
#ifdef _WIN32
  const unsigned long pid = GetCurrentProcessId();
#else
  const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
  std::filesystem::path tmp = target;
  tmp += ".tmp-" + std::to_string(pid) + "-" + std::to_string(counter++);
  return tmp;
}

#ifdef _WIN32

std::string system_reason(DWORD code) { return std::system_category().message(static_cast<int>(code)); }

std::optional<std::string> write_all(const std::filesystem::path& tmp, const PieceSource& source) {
  HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return system_reason(GetLastError());
  DWORD err = 0;
  const bool written = source.produce([&](size_t offset, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      // A synchronous handle writes at the offset the OVERLAPPED names.
      OVERLAPPED at{};
      const uint64_t position = offset + done;
      at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
      at.OffsetHigh = static_cast<DWORD>(position >> 32);
      DWORD wrote = 0;
      if (!WriteFile(h, bytes.data() + done, chunk, &wrote, &at)) {
        err = GetLastError();
        return false;
      }
      done += wrote;
    }
    return true;
  });
  if (!written) {
    CloseHandle(h);
    return system_reason(err);
  }
  if (!FlushFileBuffers(h)) {
    err = GetLastError();
    CloseHandle(h);
    return system_reason(err);
  }
  if (!CloseHandle(h)) return system_reason(GetLastError());
  return std::nullopt;
}

std::optional<std::string> rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return system_reason(GetLastError());
  return std::nullopt;
}

#else

std::optional<std::string> write_all(const std::filesystem::path& tmp, const PieceSource& source) {
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return std::string(std::strerror(errno));
  int err = 0;
  const bool written = source.produce([&](size_t offset, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        err = errno;
        return false;
      }
      done += static_cast<size_t>(n);
    }
    return true;
  });
  if (!written) {
    ::close(fd);
    return std::string(std::strerror(err));
  }
  if (::close(fd) != 0) return std::string(std::strerror(errno));
  return std::nullopt;
}

std::optional<std::string> rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return std::string(std::strerror(errno));
  return std::nullopt;
}

#endif

// The whole content as a single piece.
class WholeContent : public PieceSource {
 public:
  explicit WholeContent(std::string_view bytes) : bytes_(bytes) {}
  size_t size() const override { return bytes_.size(); }
  bool produce(const PieceTaker& take) const override { return take(0, bytes_); }

 private:
  std::string_view bytes_;
};

}  // namespace

std::optional<std::string> replace_file(const std::filesystem::path& path, std::string_view bytes) {
  return replace_file_pieces(path, WholeContent(bytes));
}

std::optional<std::string> replace_file_pieces(const std::filesystem::path& path, const PieceSource& source) {
  const std::filesystem::path tmp = temporary_beside(path);
  if (auto reason = write_all(tmp, source)) {
    std::error_code ignored;
    std::filesystem::remove(tmp, ignored);
    return failure("write", path, *reason);
  }
  if (auto reason = rename_over(tmp, path)) {
    std::error_code ignored;
    std::filesystem::remove(tmp, ignored);
    return failure("replace", path, *reason);
  }
  return std::nullopt;
}

std::optional<std::string> delete_file(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return failure("delete", path, ec.message());
  return std::nullopt;
}

}  // namespace scenario
