// Writes numbers field by field in little-endian order, two's complement,
// doubles as IEEE 754 binary64, into memory the caller has sized. The
// encoders size their whole file first and fill it in one pass.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace scenario {

class ByteWriter {
 public:
  explicit ByteWriter(char* out) : p_(out) {}

  void u8(uint8_t v) { *p_++ = static_cast<char>(v); }
  void u16(uint16_t v) {
    p_[0] = static_cast<char>(v & 0xFF);
    p_[1] = static_cast<char>(v >> 8);
    p_ += 2;
  }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void u32(uint32_t v) {
    u16(static_cast<uint16_t>(v & 0xFFFF));
    u16(static_cast<uint16_t>(v >> 16));
  }
  void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
  void f64(double v) {
    const auto bits = std::bit_cast<uint64_t>(v);
    u32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    u32(static_cast<uint32_t>(bits >> 32));
  }
  // A field of a layout, in the width of its type.
  template <class T>
  void put(T v) {
    if constexpr (sizeof(T) == 1)
      u8(static_cast<uint8_t>(v));
    else if constexpr (sizeof(T) == 2)
      u16(static_cast<uint16_t>(v));
    else
      u32(static_cast<uint32_t>(v));
  }
  void bytes(std::string_view s) {
    if (!s.empty()) std::memcpy(p_, s.data(), s.size());
    p_ += s.size();
  }

  char* position() const { return p_; }

 private:
  char* p_;
};

}  // namespace scenario
