#include "app/file_replace.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
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

constexpr std::string_view kTemporaryPrefix = ".~";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr size_t kRandomDigits = 8;
// How many names are tried before giving up: with 32 random bits a second
// collision in a row already means something else is wrong.
constexpr int kNameAttempts = 64;

static_assert(kTemporaryPrefix.size() + kRandomDigits + kTemporarySuffix.size() == kTemporaryNameLength);

std::string failure(const char* what, const std::filesystem::path& p, const std::string& reason) {
  return std::string("cannot ") + what + " " + p.string() + ": " + reason;
}

bool is_hex_digit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

uint32_t random_bits() {
  try {
    std::random_device device;
    return static_cast<uint32_t>(device());
  } catch (const std::exception&) {
    // No random source: the clock and a counter still differ from run to
    // run, and the exclusive creation catches any repeat.
    static std::atomic<uint32_t> counter{0};
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(ticks) * 2654435761u + counter++;
  }
}

// What opening a temporary gave: an open file, a name that is taken, or a
// failure with its reason.
enum class Opened { kOpen, kTaken, kFailed };

#ifdef _WIN32

using Handle = HANDLE;

std::string system_reason(DWORD code) { return std::system_category().message(static_cast<int>(code)); }

Opened open_new(const std::filesystem::path& tmp, Handle& h, std::string& reason) {
  h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) return Opened::kOpen;
  const DWORD err = GetLastError();
  if (err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS) return Opened::kTaken;
  reason = system_reason(err);
  return Opened::kFailed;
}

std::optional<std::string> write_and_close(Handle h, const PieceSource& source) {
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
    return err != 0 ? system_reason(err) : std::string("the content could not be produced");
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

void remove_temporary(const std::filesystem::path& tmp) { DeleteFileW(tmp.c_str()); }

#else

using Handle = int;

Opened open_new(const std::filesystem::path& tmp, Handle& fd, std::string& reason) {
  fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) return Opened::kOpen;
  if (errno == EEXIST) return Opened::kTaken;
  reason = std::strerror(errno);
  return Opened::kFailed;
}

std::optional<std::string> write_and_close(Handle fd, const PieceSource& source) {
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
    return err != 0 ? std::string(std::strerror(err)) : std::string("the content could not be produced");
  }
  // The content reaches the disk before the name does.
  if (::fsync(fd) != 0) {
    err = errno;
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

void remove_temporary(const std::filesystem::path& tmp) { ::unlink(tmp.c_str()); }

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

bool is_temporary_name(std::string_view name) {
  if (name.size() != kTemporaryNameLength) return false;
  if (name.substr(0, kTemporaryPrefix.size()) != kTemporaryPrefix) return false;
  if (name.substr(name.size() - kTemporarySuffix.size()) != kTemporarySuffix) return false;
  const std::string_view digits = name.substr(kTemporaryPrefix.size(), kRandomDigits);
  return std::all_of(digits.begin(), digits.end(), is_hex_digit);
}

std::string random_temporary_name() {
  char digits[kRandomDigits + 1];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(random_bits()));
  return std::string(kTemporaryPrefix) + digits + std::string(kTemporarySuffix);
}

StagedFile::StagedFile(std::filesystem::path target, std::filesystem::path temporary)
    : target_(std::move(target)), temporary_(std::move(temporary)), guard_(temporary_) {}

StagedFile::~StagedFile() { discard(); }

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      guard_(std::move(other.guard_)),
      pending_(other.pending_) {
  other.pending_ = false;
}

std::optional<std::string> StagedFile::commit() {
  if (!pending_) return failure("replace", target_, "the new content is no longer there");
  auto reason = rename_over(temporary_, target_);
  if (reason) remove_temporary(temporary_);
  pending_ = false;
  guard_.release();
  if (reason) return failure("replace", target_, *reason);
  return std::nullopt;
}

void StagedFile::discard() {
  if (!pending_) return;
  remove_temporary(temporary_);
  pending_ = false;
  guard_.release();
}

EarlierName::EarlierName(const std::filesystem::path& target) {
#ifndef _WIN32
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path name = target.parent_path() / random_temporary_name();
    // The name is made and registered as one step: an interruption between
    // the two would leave it behind.
    const InterruptionsHeld held;
    if (::link(target.c_str(), name.c_str()) == 0) {
      name_ = name;
      guard_.emplace(name_);
      return;
    }
    if (errno != EEXIST) return;
  }
#else
  (void)target;
#endif
}

EarlierName::~EarlierName() {
  if (name_.empty()) return;
  remove_temporary(name_);
  guard_.reset();
}

EarlierName::EarlierName(EarlierName&& other) noexcept
    : name_(std::move(other.name_)), guard_(std::move(other.guard_)) {
  other.name_.clear();
  other.guard_.reset();
}

StageOutcome stage_file(const std::filesystem::path& target, const PieceSource& source, const TemporaryNamer& namer) {
  StageOutcome out;
  const std::filesystem::path dir = target.parent_path();
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::filesystem::path tmp = dir / namer();
    Handle h{};
    std::string reason;
    // The temporary is created and registered as one step, with
    // interruptions held back: one that came between the two would leave
    // it behind. From then on it is this run's own, removed by the staged
    // file on every path that does not rename it.
    std::optional<StagedFile> registered;
    Opened opened;
    {
      const InterruptionsHeld held;
      opened = open_new(tmp, h, reason);
      if (opened == Opened::kOpen) registered.emplace(target, tmp);
    }
    if (opened == Opened::kTaken) continue;
    if (opened == Opened::kFailed) {
      out.failure = failure("write", target, reason);
      return out;
    }
    StagedFile staged = std::move(*registered);
    registered.reset();
    if (auto why = write_and_close(h, source)) {
      out.failure = failure("write", target, *why);
      return out;
    }
    out.staged.emplace(std::move(staged));
    return out;
  }
  out.failure = failure("write", target, "no free name for a temporary file beside it");
  return out;
}

StageOutcome stage_file(const std::filesystem::path& target, std::string_view bytes) {
  return stage_file(target, WholeContent(bytes));
}

void sync_directory(const std::filesystem::path& dir) {
#ifndef _WIN32
  const std::filesystem::path which = dir.empty() ? std::filesystem::path(".") : dir;
  const int fd = ::open(which.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
#else
  (void)dir;
#endif
}

size_t clear_stale_temporaries(const std::filesystem::path& dir) {
  size_t removed = 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    // Compared character by character, so that no name needs converting.
    const auto native = it->path().filename().native();
    if (native.size() != kTemporaryNameLength) continue;
    std::string name;
    for (const auto c : native) name += static_cast<unsigned>(c) < 0x80 ? static_cast<char>(c) : '\0';
    if (!is_temporary_name(name)) continue;
    // Only a plain file: never a directory, nor a link (or what it points at).
    std::error_code kind;
    if (it->symlink_status(kind).type() != std::filesystem::file_type::regular) continue;
    std::error_code gone;
    if (std::filesystem::remove(it->path(), gone)) ++removed;
  }
  return removed;
}

std::optional<std::string> replace_file(const std::filesystem::path& path, std::string_view bytes) {
  return replace_file_pieces(path, WholeContent(bytes));
}

std::optional<std::string> replace_file_pieces(const std::filesystem::path& path, const PieceSource& source) {
  StageOutcome staged = stage_file(path, source);
  if (!staged.staged) return staged.failure;
  if (auto failed = staged.staged->commit()) return failed;
  sync_directory(path.parent_path());
  return std::nullopt;
}

std::optional<std::string> delete_file(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return failure("delete", path, ec.message());
  return std::nullopt;
}

}  // namespace scenario
