#include "app/program_dir.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace scenario {

std::optional<std::filesystem::path> program_directory() {
#ifdef _WIN32
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::nullopt;
    if (n < buf.size()) return std::filesystem::path(std::wstring(buf.data(), n)).parent_path();
    buf.resize(buf.size() * 2);
  }
#else
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::nullopt;
  return exe.parent_path();
#endif
}

}  // namespace scenario
