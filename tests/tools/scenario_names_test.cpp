#include "tools/scenario_names.h"

#include <gtest/gtest.h>

namespace scenario::tool {
namespace {

struct NamesCase {
  const char* line;
  const char* train;
  std::optional<std::string> route_given;
  std::optional<std::string> train_given;
  const char* route;  // expected; null when a usage error is expected
  const char* number;
};

TEST(ScenarioNames, FromFileNamesOrTheCommandLine) {
  const NamesCase cases[] = {
      {"dir/Corvale_Mirbosco_linea.txt", "dir/Corvale_Mirbosco_731-.txt", {}, {}, "Corvale_Mirbosco", "731"},
      {"X_LINEA.TXT", "X_3-.TXT", {}, {}, "X", "3"},
      {"line.txt", "R_9-.txt", {}, {}, "R", "9"},
      {"line.txt", "Two_Words_12-.txt", {}, {}, "Two_Words", "12"},
      {"line.txt", "train.txt", "Route", "5", "Route", "5"},
      {"x_linea.txt", "whatever.txt", {}, "7", "x", "7"},
      {"x_linea.txt", "x_7-.txt", "Other", {}, nullptr, nullptr},  // the train file names another route
      {"a_linea.txt", "b_12-.txt", {}, {}, nullptr, nullptr},
      {"line.txt", "train.txt", {}, {}, nullptr, nullptr},
      {"_linea.txt", "_1-.txt", {}, {}, nullptr, nullptr},
      {"a_linea.txt", "a_1-.txt", "a/b", {}, nullptr, nullptr},
      {"a_linea.txt", "a_1-.txt", {}, "7 ", nullptr, nullptr},
      {"a_linea.txt", "a_1-.txt", "Corval\xC3\xA8", {}, nullptr, nullptr},
      {"a_linea.txt", "a_1-.txt", {}, "1:2", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const ScenarioNames n = derive_names(c.line, c.train, c.route_given, c.train_given);
    if (c.route) {
      EXPECT_EQ(n.error, "") << c.line << " " << c.train;
      EXPECT_EQ(n.route, c.route) << c.line;
      EXPECT_EQ(n.train, c.number) << c.train;
    } else {
      EXPECT_NE(n.error, "") << c.line << " " << c.train << " gave " << n.route << "/" << n.train;
    }
  }
}

// Every pair of the eight file names a compile with these names reads or
// writes is compared as Windows compares file names, without regard to case.
TEST(ScenarioNames, NamesWhoseFilesWouldBeOneFileAreRefused) {
  struct Case {
    const char* line;
    const char* train;
    std::optional<std::string> train_given;
    const char* says;  // part of the usage error; null when the names can be used
  };
  const Case cases[] = {
      {"X_linea.txt", "X_linea-.txt", {}, "the track file X_linea.dat and the line profile file X_linea.dat"},
      {"X_linea.txt", "X_1-.txt", "linea", "the track file X_linea.dat and the line profile file X_linea.dat"},
      {"X_linea.txt", "X_1-.txt", "LINEA", "the track file X_LINEA.dat and the line profile file X_linea.dat"},
      {"x_LINEA.TXT", "x_Linea-.TXT", {}, "the track file x_Linea.dat and the line profile file x_linea.dat"},
      // Close to the profile's name, but another file.
      {"X_linea.txt", "X_linea2-.txt", {}, nullptr},
      {"X_linea.txt", "X_1-.txt", "line", nullptr},
      {"X_linea.txt", "X_1-.txt", "linea-", nullptr},
      {"X_linea.txt", "X_1-.txt", "note", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.train);
    const ScenarioNames n = derive_names(c.line, c.train, std::nullopt, c.train_given);
    if (!c.says) {
      EXPECT_EQ(n.error, "");
      continue;
    }
    EXPECT_NE(n.error.find(c.says), std::string::npos) << n.error;
    EXPECT_NE(n.error.find("would be one file"), std::string::npos) << n.error;
  }
}

// A usage error quotes the name as the terminal may show it: a letter of
// UTF-8 as itself, control bytes as \xNN.
TEST(ScenarioNames, UsageErrorsShowNamesWithoutTheirControlBytes) {
  const std::pair<std::string, const char*> cases[] = {
      {"\x1B[2J\x1B]0;title\x07", "\"\\x1B[2J\\x1B]0;title\\x07\""},
      {"Corval\xC3\xA8\x7F", "\"Corval\xC3\xA8\\x7F\""},
      {"a\xC2\x9B", "\"a\xC3\x82\xE2\x80\xBA\""},  // a C1 control in UTF-8 shows as the two Windows-1252 letters
  };
  for (const auto& [route, shown] : cases) {
    const ScenarioNames n = derive_names("a_linea.txt", "a_1-.txt", route, "1");
    EXPECT_NE(n.error.find(shown), std::string::npos) << n.error;
    for (const char c : n.error) EXPECT_GE(static_cast<unsigned char>(c), 0x20) << n.error;
    EXPECT_EQ(n.error.find('\x7F'), std::string::npos) << n.error;
  }
}

}  // namespace
}  // namespace scenario::tool
