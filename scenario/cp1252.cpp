#include "scenario/cp1252.h"

#include <array>
#include <cstdint>

namespace scenario {

namespace {

// Unicode code points of the bytes 80 to 9F hex; 0 where the code page
// defines no character.
constexpr std::array<uint16_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<int> byte_for(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<int>(0x80 + i);
  return std::nullopt;
}

// Decodes one UTF-8 sequence at s[i]; advances i. Empty when malformed.
std::optional<uint32_t> decode(std::string_view s, size_t& i) {
  const auto b0 = static_cast<uint8_t>(s[i]);
  int extra;
  uint32_t cp;
  if (b0 < 0x80) {
    ++i;
    return b0;
  } else if ((b0 & 0xE0) == 0xC0) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2;
    cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3;
    cp = b0 & 0x07;
  } else {
    return std::nullopt;
  }
  if (i + static_cast<size_t>(extra) >= s.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    const auto b = static_cast<uint8_t>(s[i + static_cast<size_t>(k)]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  i += static_cast<size_t>(extra) + 1;
  return cp;
}

void append_utf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::optional<std::string> utf8_to_cp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    auto cp = decode(utf8, i);
    if (!cp) return std::nullopt;
    auto b = byte_for(*cp);
    if (!b) return std::nullopt;
    out.push_back(static_cast<char>(*b));
  }
  return out;
}

std::string cp1252_to_utf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (char ch : cp1252) {
    const auto b = static_cast<uint8_t>(ch);
    if (b >= 0x80 && b < 0xA0 && kHigh[b - 0x80] != 0)
      append_utf8(out, kHigh[b - 0x80]);
    else
      append_utf8(out, b);
  }
  return out;
}

bool looks_like_utf8(std::string_view bytes) {
  bool multi = false;
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t before = i;
    if (!decode(bytes, i)) return false;
    if (i - before > 1) multi = true;
  }
  return multi;
}

}  // namespace scenario
