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

}  // namespace
}  // namespace scenario::tool
