// Reads numbers field by field from bytes in memory: little-endian, two's
// complement, doubles as IEEE 754 binary64. The inverse of ByteWriter. Every
// read checks that the bytes are there, so a cut-short file is an answer,
// never a read outside the buffer.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace scenario {

class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : data_(bytes) {}

  size_t offset() const { return pos_; }
  size_t remaining() const { return data_.size() - pos_; }
  bool has(size_t n) const { return remaining() >= n; }

  // The reads below presume has(n) for their size; the decoders test it
  // once per element before reading the element's fields.
  uint8_t u8() { return static_cast<uint8_t>(data_[pos_++]); }
  uint16_t u16() {
    const uint16_t lo = u8();
    const uint16_t hi = u8();
    return static_cast<uint16_t>(lo | (hi << 8));
  }
  int16_t i16() { return static_cast<int16_t>(u16()); }
  uint32_t u32() {
    const uint32_t lo = u16();
    const uint32_t hi = u16();
    return lo | (hi << 16);
  }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  double f64() {
    const uint64_t lo = u32();
    const uint64_t hi = u32();
    const uint64_t bits = lo | (hi << 32);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  // A field of a layout, in the width of its type.
  template <class T>
  T get() {
    if constexpr (sizeof(T) == 1)
      return static_cast<T>(u8());
    else if constexpr (sizeof(T) == 2)
      return static_cast<T>(u16());
    else
      return static_cast<T>(u32());
  }
  std::string_view bytes(size_t n) {
    const std::string_view s = data_.substr(pos_, n);
    pos_ += n;
    return s;
  }

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

}  // namespace scenario
