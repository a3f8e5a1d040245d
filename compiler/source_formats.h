// The source formats as one table: for every record of the line source's
// general section, the line records and the train records, its keyword test
// (the rows of compiler/keywords.h) and its value fields in file order, each
// with its type, its name (the format's own), its unit, its meaning in an
// author's words and the range the simulator expects. The compiler's
// readers, the authoring tool's linter, the documents' reader of the
// built-in train text and docs/format.md all take the fields from here.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/keywords.h"
#include "compiler/source_fields.h"

namespace scenario::formats {

// L, I, B and T of the readers: 32-bit signed, 16-bit signed, 8-bit
// unsigned, text up to the line end or a comma.
enum class FieldType : uint8_t { kLong, kInteger, kByte, kText };

struct FieldFormat {
  FieldType type;
  std::string_view name;     // as the format and the code call it
  std::string_view unit;     // empty when the value has none
  std::string_view meaning;  // what the value is, in an author's words
  std::string_view expects;  // the range the simulator expects
};

struct RecordFormat {
  const keywords::Row& keyword;
  std::string_view meaning;
  std::span<const FieldFormat> fields;
};

// The keyword row of a record, for keywords::for_each_match.
constexpr const keywords::Row& row_of(const RecordFormat& record) { return record.keyword; }

// The three parts of the two sources, each in its keyword table's order.
std::span<const RecordFormat> general_records();
std::span<const RecordFormat> line_records();
std::span<const RecordFormat> train_records();

// The record of a keyword row: general_record(keywords::kLength), ...
[[nodiscard]] const RecordFormat& general_record(keywords::General row);
[[nodiscard]] const RecordFormat& line_record(keywords::Line row);
[[nodiscard]] const RecordFormat& train_record(keywords::Train row);

// A type's name as docs/format.md writes it ("32-bit", "16-bit", "byte",
// "text").
[[nodiscard]] std::string_view type_name(FieldType type);

// Reads the value fields of one record in the table's order and types. A
// field that does not read is a run-time failure, as every read of
// SourceFields is. Asking for a field the record does not have, or a number
// where the table has a text (or the reverse), is a fault of the caller
// (std::logic_error).
class RecordFields {
 public:
  RecordFields(SourceFields& in, const RecordFormat& format) : in_(in), format_(format) {}

  // The next numeric field, read in its type's range.
  [[nodiscard]] int64_t number();
  // number() for the fields the table gives as 32-bit.
  [[nodiscard]] int32_t long_value();
  // The next text field.
  [[nodiscard]] std::string text();

 private:
  const FieldFormat& next(bool text);

  SourceFields& in_;
  const RecordFormat& format_;
  size_t next_ = 0;
};

// Every value field of one record, read in order: the numbers and, where
// the record has one, its text, looked up by the format's field names.
class RecordValues {
 public:
  // Reads the whole record.
  RecordValues(SourceFields& in, const RecordFormat& format);

  // The value of the named numeric field; std::logic_error for a name the
  // record does not have.
  [[nodiscard]] int64_t number(std::string_view name) const;
  [[nodiscard]] const std::string& text() const { return text_; }

 private:
  const RecordFormat& format_;
  std::vector<int64_t> numbers_;  // one per field, 0 for the text
  std::string text_;
};

}  // namespace scenario::formats
