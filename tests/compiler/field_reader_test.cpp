#include "compiler/field_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/source_fields.h"

namespace scenario {
namespace {

// Reads the whole text as fields: 'n' numeric, 't' text, repeated as given.
std::vector<std::string> read_all(std::string_view data, std::string_view kinds) {
  FieldReader r(data);
  std::vector<std::string> out;
  for (char k : kinds) {
    auto f = k == 'n' ? r.number() : r.text();
    if (!f) break;
    out.push_back(f->text);
  }
  return out;
}

TEST(FieldReader, FollowsTheFieldRulesLiterally) {
  struct Case {
    const char* data;
    const char* kinds;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"pendenza,  1200,   5\r\n", "tnn", {"pendenza", "1200", "5"}},
      // A numeric field ends at the first space: 100, an empty field, 200.
      {"100  ,200\r\n", "nnn", {"100", "", "200"}},
      // The clock's runs of spaces separate numbers; the trailing space
      // leaves an empty candidate before the line end.
      {"orologio,    15              4             15 \r\n", "tnnnt", {"orologio", "15", "4", "15", ""}},
      // A text field runs to the comma; leading and trailing spaces go.
      {"cartello_indicatore,  1700,   (  Km  )(39+204)  \r\n", "tnt", {"cartello_indicatore", "1700", "(  Km  )(39+204)"}},
      // Empty numeric fields between commas.
      {"x,  5050,  ,  ,\n", "tnnn", {"x", "5050", "", ""}},
      // A bare LF and a bare CR end lines too.
      {"a\nb\rc", "ttt", {"a", "b", "c"}},
      // Quotes are ordinary characters: a comma between them still ends the field.
      {"\"(P, 253)\"\r\n", "tt", {"\"(P", "253)\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.data);
    EXPECT_EQ(read_all(c.data, c.kinds), c.fields);
  }
}

TEST(FieldReader, EndOfFileComesAfterTheLastDelimiter) {
  FieldReader r("[generale]\r\n[fine]\r\n");
  ASSERT_TRUE(r.text());
  EXPECT_FALSE(r.eof());
  auto last = r.text();
  ASSERT_TRUE(last);
  EXPECT_EQ(last->text, "[fine]");
  EXPECT_TRUE(r.eof());
  EXPECT_FALSE(r.text().has_value());  // a read past the end

  FieldReader no_newline("a,b");
  no_newline.text();
  EXPECT_FALSE(no_newline.eof());
  EXPECT_EQ(no_newline.text()->delimiter, Delimiter::kEndOfFile);
  EXPECT_TRUE(no_newline.eof());
}

TEST(FieldReader, KeepsLineAndColumnOfEachField) {
  FieldReader r("ab, 12\r\n  cd");
  auto a = r.text();
  auto n = r.number();
  auto c = r.text();
  EXPECT_EQ(a->line, 1);
  EXPECT_EQ(a->column, 1);
  EXPECT_EQ(n->line, 1);
  EXPECT_EQ(n->column, 5);
  EXPECT_EQ(c->line, 2);
  EXPECT_EQ(c->column, 3);
}

TEST(FieldReader, NumbersAreAnOptionalSignAndDigits) {
  EXPECT_EQ(parse_number(""), 0);
  EXPECT_EQ(parse_number("-16"), -16);
  EXPECT_EQ(parse_number("+5"), 5);
  EXPECT_EQ(parse_number("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(parse_number("-9223372036854775808"), INT64_MIN);
  for (const char* bad : {"-", "+", "1.5", "12abc", "0x10", "9223372036854775808", " 1"})
    EXPECT_FALSE(parse_number(bad).has_value()) << bad;
}

TEST(SourceFields, TypedReadsFailOutsideTheirRange) {
  SourceFields ok(SourceKind::kTrain, "2147483647,-32768,255,0,");
  EXPECT_EQ(ok.read_long(), 2147483647);
  EXPECT_EQ(ok.read_integer(), -32768);
  EXPECT_EQ(ok.read_byte(), 255);
  EXPECT_EQ(ok.read_byte(), 0);

  auto fails = [](const char* data, auto read) {
    SourceFields f(SourceKind::kTrain, data);
    try {
      read(f);
    } catch (const RuntimeFailure& failure) {
      EXPECT_TRUE(failure.where.has_value());
      return true;
    }
    return false;
  };
  EXPECT_TRUE(fails("2147483648", [](SourceFields& f) { f.read_long(); }));
  EXPECT_TRUE(fails("32768", [](SourceFields& f) { f.read_integer(); }));
  EXPECT_TRUE(fails("256", [](SourceFields& f) { f.read_byte(); }));
  EXPECT_TRUE(fails("-1", [](SourceFields& f) { f.read_byte(); }));
  EXPECT_TRUE(fails("abc", [](SourceFields& f) { f.read_long(); }));
  EXPECT_TRUE(fails("", [](SourceFields& f) { f.read_long(); }));  // past the end
  EXPECT_TRUE(fails(std::string(70000, 'x').c_str(), [](SourceFields& f) { f.read_text(); }));
}

}  // namespace
}  // namespace scenario
