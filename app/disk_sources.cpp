#include "app/disk_sources.h"

#include <cstdio>

#include "app/file_replace.h"

namespace scenario {

std::optional<std::string> read_whole_file(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
#ifdef _WIN32
  FILE* f = _wfopen(path.c_str(), L"rb");
#else
  FILE* f = std::fopen(path.c_str(), "rb");
#endif
  if (!f) return std::nullopt;
  std::string out;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec) out.reserve(static_cast<size_t>(size));
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) return std::nullopt;
  return out;
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
  if (!keep_files_) delete_file(path(k));
}

}  // namespace scenario
