#include "compiler/field_reader.h"

#include <limits>

namespace scenario {

std::optional<Field> FieldReader::text() { return read(false); }
std::optional<Field> FieldReader::number() { return read(true); }

std::optional<Field> FieldReader::read(bool numeric) {
  if (eof()) return std::nullopt;
  while (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;

  Field f;
  f.line = line();
  f.column = column();
  const size_t start = pos_;
  while (pos_ < data_.size()) {
    const char c = data_[pos_];
    if (c == ',' || c == '\r' || c == '\n' || (numeric && c == ' ')) break;
    ++pos_;
  }
  f.text.assign(data_.substr(start, pos_ - start));
  if (!numeric) {
    while (!f.text.empty() && f.text.back() == ' ') f.text.pop_back();
  }

  if (pos_ >= data_.size()) {
    f.delimiter = Delimiter::kEndOfFile;
  } else if (data_[pos_] == ',') {
    f.delimiter = Delimiter::kComma;
    ++pos_;
  } else if (data_[pos_] == ' ') {
    f.delimiter = Delimiter::kSpace;
    ++pos_;
  } else {
    f.delimiter = Delimiter::kLineEnd;
    const bool crlf = data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n';
    pos_ += crlf ? 2 : 1;
    ++line_;
    line_start_ = pos_;
  }
  return f;
}

std::optional<int64_t> parse_number(std::string_view text) {
  if (text.empty()) return 0;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    i = 1;
  }
  if (i == text.size()) return std::nullopt;
  // Accumulate as a negative number so that the most negative value fits.
  int64_t v = 0;
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    const int d = c - '0';
    if (v < (kMin + d) / 10) return std::nullopt;
    v = v * 10 - d;
  }
  if (!negative) {
    if (v == kMin) return std::nullopt;
    v = -v;
  }
  return v;
}

}  // namespace scenario
