// The field table of the source formats: docs/format.md must describe every
// record as the table does, and the table must describe what the compiler
// reads (the readers and the linter take their fields from it).
#include "compiler/source_formats.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/markdown_tables.h"

namespace scenario {
namespace {

using formats::FieldFormat;
using formats::RecordFormat;

std::string heading(const RecordFormat& r) {
  std::string out = "`";
  out.append(r.keyword.written);
  out.push_back('`');
  return out;
}

std::vector<const RecordFormat*> every_record() {
  std::vector<const RecordFormat*> out;
  for (auto part : {formats::general_records(), formats::line_records(), formats::train_records()})
    for (const RecordFormat& r : part) out.push_back(&r);
  return out;
}

TEST(SourceFormats, TheFormatPageDescribesEveryRecordAsTheTableDoes) {
  for (const RecordFormat* r : every_record()) {
    SCOPED_TRACE(heading(*r));
    const auto rows = testing::markdown_rows_under(SCENARIO_FORMAT_PAGE, heading(*r));
    ASSERT_EQ(rows.size(), r->fields.size() + 1) << "a heading " << heading(*r) << " with one row per field";
    EXPECT_EQ(rows[0], (std::vector<std::string>{"field", "type", "unit", "meaning", "expected"}));
    for (size_t i = 0; i < r->fields.size(); ++i) {
      const FieldFormat& f = r->fields[i];
      ASSERT_GE(rows[i + 1].size(), 3u);
      EXPECT_EQ(rows[i + 1][0], f.name) << "field " << i + 1;
      EXPECT_EQ(rows[i + 1][1], formats::type_name(f.type)) << f.name;
      EXPECT_EQ(rows[i + 1][2], f.unit.empty() ? "–" : std::string(f.unit)) << f.name;
    }
  }
}

TEST(SourceFormats, TheFormatPageHasNoRecordTheTableLacks) {
  std::ifstream in(SCENARIO_FORMAT_PAGE);
  ASSERT_TRUE(in) << SCENARIO_FORMAT_PAGE;
  std::vector<std::string> headings;
  for (std::string line; std::getline(in, line);)
    if (line.rfind("### `", 0) == 0) headings.push_back(line.substr(4));
  std::vector<std::string> expected;
  for (const RecordFormat* r : every_record()) expected.push_back(heading(*r));
  EXPECT_EQ(headings, expected);
}

// A text field runs to a comma or the line end and cannot end at a space,
// so the readers take it only as a record's last field.
TEST(SourceFormats, EveryRecordHasFieldsAndATextOnlyLast) {
  for (const RecordFormat* r : every_record()) {
    SCOPED_TRACE(heading(*r));
    ASSERT_FALSE(r->fields.empty());
    for (size_t i = 0; i + 1 < r->fields.size(); ++i)
      EXPECT_NE(r->fields[i].type, formats::FieldType::kText) << r->fields[i].name;
  }
}

// A record read by the table: its values by the format's names, in the
// ranges of their types; asking for a field the record does not have is
// the caller's fault, not the source's.
TEST(SourceFormats, RecordsReadByTheTable) {
  SourceFields station(SourceKind::kTrain,
                       "4200,  2,  200,  1, 0, 0,  1,1,0,  2,1,1,    1,  12,13, 0, Corvale Borgo\r\n");
  const formats::RecordValues v(station, formats::train_record(keywords::kStation));
  EXPECT_EQ(v.number("posizione"), 4200);
  EXPECT_EQ(v.number("lunghezza"), 200);
  EXPECT_EQ(v.number("minuti"), 13);
  EXPECT_EQ(v.text(), "Corvale Borgo");
  EXPECT_THROW((void)v.number("nome"), std::logic_error);
  EXPECT_THROW((void)v.number("velocita"), std::logic_error);

  // The kind of place is a byte: 256 lies outside its type.
  SourceFields kind(SourceKind::kTrain, "4200, 256, 200\r\n");
  formats::RecordFields f(kind, formats::train_record(keywords::kStation));
  EXPECT_EQ(f.long_value(), 4200);
  EXPECT_THROW((void)f.number(), RuntimeFailure);

  SourceFields board(SourceKind::kLine, "1700, (P.253)\r\n");
  formats::RecordFields b(board, formats::line_record(keywords::kSignBoard));
  EXPECT_THROW((void)b.text(), std::logic_error);  // the position is a number
  EXPECT_EQ(b.long_value(), 1700);
  EXPECT_EQ(b.text(), "(P.253)");
  EXPECT_THROW((void)b.text(), std::logic_error);  // no field more
}

}  // namespace
}  // namespace scenario
