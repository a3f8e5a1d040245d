// The one record scanner: which fields become keyword candidates under the
// rules of each phase, where the end of the text is tested, and what the
// model's current field holds after each candidate.
#include "compiler/record_scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/source_fields.h"

namespace scenario {
namespace {

struct Scan {
  std::vector<std::string> candidates;
  std::string current;
  bool failed = false;  // a read past the end of the text
};

Scan scan(const std::string& text, const ScanRules& rules) {
  SourceFields src(SourceKind::kLine, text);
  Scan out;
  try {
    while (auto f = next_candidate(src, rules, &out.current)) out.candidates.push_back(f->text);
  } catch (const RuntimeFailure&) {
    out.failed = true;
  }
  return out;
}

TEST(RecordScanner, CandidatesUnderTheRulesOfEachPhase) {
  struct Case {
    const char* what;
    std::string text;
    ScanRules rules;
    std::vector<std::string> candidates;
    std::string current;
    bool failed;
  };
  const Case cases[] = {
      {"the last field is never a candidate", "a\r\nb\r\nc", kLineScan, {"a", "b"}, "c", false},
      {"two hyphen fields are passed over", "--\r\n--\r\nx\r\nend", kLineScan, {"x"}, "end", false},
      {"a third one is a candidate", "--\r\n--\r\n--\r\nend", kLineScan, {"--"}, "end", false},
      {"ten in the general section",
       "-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\nx\r\nend",
       kGeneralScan,
       {"x"},
       "end",
       false},
      {"a text ending after a hyphen field ends the records", "a\r\n--\r\nlast", kLineScan, {"a"}, "last", false},
      {"the general section hands on a last field reached by a replacement",
       "a\r\n--\r\nlast",
       kGeneralScan,
       {"a", "last"},
       "last",
       false},
      {"and reads past the end after a last hyphen field", "a\r\n--\r\n--", kGeneralScan, {"a"}, "--", true},
      {"the train keeps the last candidate as current field", "x\r\n--\r\nlast", kTrainScan, {"x"}, "x", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Scan s = scan(c.text, c.rules);
    EXPECT_EQ(s.candidates, c.candidates);
    EXPECT_EQ(s.current, c.current);
    EXPECT_EQ(s.failed, c.failed);
  }
}

TEST(RecordScanner, TheGeneralHeaderAndWhatClosesTheSection) {
  SourceFields src(SourceKind::kLine, "lunghezza percorso, 100\r\n  [GENERALE] \r\nx\r\n");
  std::vector<std::string> skipped;
  ASSERT_TRUE(find_general_header(src, nullptr, [&](const Field& f) { skipped.push_back(f.text); }));
  EXPECT_EQ(skipped, (std::vector<std::string>{"lunghezza percorso", "100"}));
  SourceFields none(SourceKind::kLine, "a, b\r\n");
  EXPECT_FALSE(find_general_header(none));

  for (const char* header : {"[curve]", "  [x]", "a[b]c"}) EXPECT_TRUE(closes_general_section(header)) << header;
  for (const char* field : {"-[curve]", "  -[x]", "[curve", "curve]", ""})
    EXPECT_FALSE(closes_general_section(field)) << field;
}

}  // namespace
}  // namespace scenario
