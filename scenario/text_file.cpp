#include "scenario/text_file.h"

#include <cstdio>
#include <cstdlib>

#include "scenario/cp1252.h"

namespace scenario {

std::string encode_lines(std::span<const std::string_view> lines) {
  std::string out;
  size_t size = 0;
  for (std::string_view l : lines) size += l.size() + 2;
  out.reserve(size);
  for (std::string_view line : lines) {
    if (line == kEndMarker) break;
    auto bytes = utf8_to_cp1252(line);
    if (!bytes) {
      std::fprintf(stderr, "built-in text line not representable in Windows-1252: %.*s\n",
                   static_cast<int>(line.size()), line.data());
      std::abort();
    }
    out += *bytes;
    out += "\r\n";
  }
  return out;
}

}  // namespace scenario
