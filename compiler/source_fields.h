// Typed reads of one source text for the record handlers: a keyword
// candidate, and value fields of the types the field table of
// compiler/source_formats.h gives (L = 32-bit signed, I = 16-bit signed,
// B = 8-bit unsigned, T = text).
// A value that does not convert, lies outside its type, or is read past the
// end of the text is a run-time failure (RuntimeFailure).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "compiler/field_reader.h"

namespace scenario {

class SourceFields {
 public:
  SourceFields(SourceKind file, std::string_view data) : file_(file), reader_(data) {}

  SourceKind file() const { return file_; }
  bool eof() const { return reader_.eof(); }
  // Where the next field starts.
  SourceLocation here() const { return {file_, reader_.line(), reader_.column()}; }

  // The next text field (a keyword candidate or a text value).
  Field text();
  // L, I and B value fields.
  int32_t read_long();
  int16_t read_integer();
  uint8_t read_byte();
  // T value field; longer than the scenario file's 16-bit length word
  // allows (65535 bytes) is a value outside its type.
  std::string read_text();

 private:
  int64_t read_number(int64_t lo, int64_t hi, const char* type);
  [[noreturn]] void fail(const std::string& message, const SourceLocation& at) const;

  SourceKind file_;
  FieldReader reader_;
};

}  // namespace scenario
