// The field reader shared by both source readers: a source text is one flat
// sequence of fields. Leading spaces are skipped; a text field ends at a comma
// or a line end; a numeric field ends at a comma, a space or a line end; the
// delimiter after a field is consumed. Line ends are CR LF, a bare LF or a
// bare CR. The reader keeps the line and column where each field starts.
// Neither can overflow: the column is worked out from where the line began,
// and a line or column number that an int cannot hold is reported as 0, the
// value every report already reads as "not known".
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// What ended a field.
enum class Delimiter : uint8_t { kComma, kSpace, kLineEnd, kEndOfFile };

// One field as read: its bytes (Windows-1252, as in the file), where it
// starts (1-based line and column, in bytes) and what ended it.
struct Field {
  std::string text;
  int line = 1;
  int column = 1;
  Delimiter delimiter = Delimiter::kEndOfFile;
};

// A 1-based line or column number as fields and reports carry it: the count
// itself when an int holds it, otherwise 0 ("not known").
[[nodiscard]] constexpr int reported_number(uint64_t count) {
  return count <= static_cast<uint64_t>(std::numeric_limits<int>::max()) ? static_cast<int>(count) : 0;
}

class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data) {}

  // True when nothing follows the last consumed delimiter: the next read
  // would be a read past the end of the file.
  bool eof() const { return pos_ >= data_.size(); }

  // Reads a text field; trailing spaces are not part of it. Empty when
  // called at the end of the file.
  std::optional<Field> text();

  // Reads the characters of a numeric field, unconverted. Empty when called
  // at the end of the file.
  std::optional<Field> number();

  // Where the next field would start (0 when beyond what an int holds).
  int line() const { return reported_number(line_); }
  int column() const { return reported_number(uint64_t{pos_ - line_start_} + 1); }

 private:
  std::optional<Field> read(bool numeric);

  std::string_view data_;
  size_t pos_ = 0;
  size_t line_start_ = 0;  // where the current line begins
  uint64_t line_ = 1;
};

// Converts a numeric field: an optional sign followed by decimal digits, or
// nothing at all (an empty field reads as 0). Empty when the text is not a
// number or lies outside the 64-bit range; callers check their own range.
std::optional<int64_t> parse_number(std::string_view text);

}  // namespace scenario
