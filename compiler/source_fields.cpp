#include "compiler/source_fields.h"

#include <limits>

namespace scenario {

void SourceFields::fail(const std::string& message, const SourceLocation& at) const {
  throw RuntimeFailure{message, at};
}

Field SourceFields::text() {
  const SourceLocation at = here();
  auto f = reader_.text();
  if (!f) fail("the file ends where a field was expected", at);
  return std::move(*f);
}

int64_t SourceFields::read_number(int64_t lo, int64_t hi, const char* type) {
  const SourceLocation at = here();
  auto f = reader_.number();
  if (!f) fail("the file ends where a number was expected", at);
  const SourceLocation start{file_, f->line, f->column};
  auto v = parse_number(f->text);
  if (!v) fail("\"" + f->text + "\" is not a whole number", start);
  if (*v < lo || *v > hi)
    fail(f->text + " lies outside the range of a " + type + " (" + std::to_string(lo) + " to " + std::to_string(hi) +
             ")",
         start);
  return *v;
}

int32_t SourceFields::read_long() {
  return static_cast<int32_t>(
      read_number(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), "32-bit integer"));
}

int16_t SourceFields::read_integer() {
  return static_cast<int16_t>(
      read_number(std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max(), "16-bit integer"));
}

std::string SourceFields::read_text() {
  Field f = text();
  if (f.text.size() > kMaxTextBytes)
    fail("a text of " + std::to_string(f.text.size()) + " bytes is longer than the 65535 a record can hold",
         SourceLocation{file_, f.line, f.column});
  return std::move(f.text);
}

uint8_t SourceFields::read_byte() { return static_cast<uint8_t>(read_number(0, 255, "byte")); }

}  // namespace scenario
