#include "tools/diagnostics.h"

#include <gtest/gtest.h>

#include "compiler/compile_context.h"

namespace scenario::tool {
namespace {

TEST(Diagnostics, CompileErrorsNameTheRecordOrThePositionAndCell) {
  struct Case {
    RecordedError e;
    const char* text;  // the first line printed
  };
  const Case cases[] = {
      {{16, 2800, SourceLocation{SourceKind::kTrain, 12, 3}, "segnale"},
       "t-.txt:12:3: error: the cell of a signal is already occupied: record \"segnale\", at 2800 m [code 16]"},
      {{11, 2850, std::nullopt, ""},
       "t-.txt: error: no free cell for a cab-code change point before a signal near a slowdown warning board at "
       "2850 m (cell 57) [code 11]"},
      {{25, std::nullopt, SourceLocation{SourceKind::kLine, 4, 11}, "\"1.5\" is not a whole number"},
       "l.txt:4:11: error: a field could not be read: \"1.5\" is not a whole number [code 25]"},
      {{102, std::nullopt, std::nullopt, ""},
       "l.txt: error: the line source file has no \"[generale]\" section [code 102]"},
      {{2, std::nullopt, std::nullopt, ""},
       "l.txt: error: a kilometre reference has a first or second value that is not a multiple of 50 [code 2]"},
  };
  for (const auto& c : cases) {
    const std::string text = format_diagnostic(compile_error_diagnostic(c.e, "l.txt", "t-.txt"));
    EXPECT_EQ(text.substr(0, text.find('\n')), c.text);
    // Every code of the table comes with what to do about it.
    EXPECT_NE(text.find(": note: "), std::string::npos) << text;
  }
}

TEST(Diagnostics, JsonCarriesNullForWhatIsUnknown) {
  const auto located = to_json(
      compile_error_diagnostic({16, 2800, SourceLocation{SourceKind::kTrain, 12, 3}, "segnale"}, "l.txt", "t-.txt"));
  EXPECT_EQ(located.dump(),
            "{\"severity\":\"error\",\"file\":\"t-.txt\",\"line\":12,\"column\":3,\"code\":16,\"message\":\"the cell "
            "of a signal is already occupied: record \\\"segnale\\\", at 2800 m\"}");
  const Diagnostic w{Severity::kWarning, "l.txt", 0, 0, std::nullopt, "a slip", ""};
  const auto warning = to_json(w);
  EXPECT_EQ(warning["severity"], "warning");
  EXPECT_TRUE(warning["line"].is_null());
  EXPECT_TRUE(warning["column"].is_null());
  EXPECT_TRUE(warning["code"].is_null());
  EXPECT_EQ(format_diagnostic(w), "l.txt: warning: a slip\n");
}

// A quoted field shows its letters as UTF-8 and control bytes as \xNN, four
// bytes for one: a message is shortened by what it shows, so no diagnostic
// line grows past a few hundred bytes whatever the field holds.
TEST(Diagnostics, LongMessagesAreShortenedByWhatTheyShow) {
  struct Case {
    std::string message;
    bool shortened;
  };
  const Case cases[] = {
      {std::string(300, 'a'), false},       {std::string(301, 'a'), true},
      {std::string(75, '\x01'), false},  // 300 bytes shown
      {std::string(76, '\x01'), true},      {std::string(400, '\0'), true},
      {std::string(200, '\xE8'), true},  // two UTF-8 bytes each
      {std::string(1000000, '\x7F'), true},
  };
  for (const auto& c : cases) {
    const Diagnostic d{Severity::kError, "l.txt", 2, 21, 25, c.message, ""};
    const std::string text = format_diagnostic(d);
    const std::string shown = text.substr(text.find("error: ") + 7);
    EXPECT_EQ(shown.find("bytes left out") != std::string::npos, c.shortened) << shown;
    EXPECT_LE(shown.size(), 300u + 40u) << c.message.size();
    EXPECT_EQ(to_json(d)["message"].get<std::string>().size() + std::string(" [code 25]\n").size(), shown.size());
  }
  // The count is of source bytes; a \xNN is never cut in two.
  const std::string text =
      format_diagnostic({Severity::kError, "l.txt", 0, 0, std::nullopt, std::string(400, '\0'), ""});
  EXPECT_NE(text.find("(335 bytes left out)"), std::string::npos) << text;
  EXPECT_EQ(
      text, "l.txt: error: " + [] {
        std::string s;
        for (int i = 0; i < 50; ++i) s += "\\x00";
        s += " ... (335 bytes left out) ... ";
        for (int i = 0; i < 15; ++i) s += "\\x00";
        return s + "\n";
      }());
}

}  // namespace
}  // namespace scenario::tool
