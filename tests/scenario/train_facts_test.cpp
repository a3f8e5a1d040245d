// Reading the facts the documents use from a train source text.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "scenario/text_file.h"
#include "scenario/train_facts.h"

namespace scenario {
namespace {

TEST(TrainFacts, ReadsStationsSpeedsSlowdownsAndBrakedMass) {
  const std::string_view lines[] = {
      "[generale]",
      "percentuale massa frenata,    130",
      "[vel_limite]",
      "velocita,   0,    30",
      "velocita,    1250,   100",
      "[stazioni]",
      "stazione,       0,  8,  600,  0, 1, 0,  1,1,0,  2,5,1,    1,  12, 5,15, Corvale",
      "stazione,   30900, 25,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,  12,33, 0, Ponte Leccio",
      "[rallentamenti]",
      "rallentamento,   53750,    40,  400, 1,  1,  30",
      "[fine]",
      kEndMarker,
      "velocita,   5000,    50",  // after the end marker: not part of the text
  };
  std::string error;
  const auto facts = read_train_facts(lines, &error);
  ASSERT_TRUE(facts) << error;
  EXPECT_EQ(facts->braked_mass_percent, 130);
  ASSERT_EQ(facts->speed_limits.size(), 2u);
  ASSERT_EQ(facts->stations.size(), 2u);
  EXPECT_EQ(facts->stations[0].time_of_day, 43515);
  EXPECT_EQ(facts->stations[0].name, "Corvale");
  EXPECT_EQ(facts->stations[0].length, 600);
  EXPECT_TRUE(facts->stations[0].is_stop());
  EXPECT_EQ(facts->stations[1].name, "Ponte Leccio");
  EXPECT_FALSE(facts->stations[1].is_stop());
  ASSERT_EQ(facts->slowdowns.size(), 1u);
  EXPECT_EQ(facts->slowdowns[0].position, 53750);
  EXPECT_EQ(facts->slowdowns[0].speed, 40);
  EXPECT_EQ(facts->slowdowns[0].length, 400);
  EXPECT_TRUE(facts->slowdowns[0].whole_train);
  EXPECT_EQ(facts->slowdowns[0].extra, 30);

  // The limit in force: the last record at or before the position.
  EXPECT_EQ(facts->limit_at(-1), 0);
  EXPECT_EQ(facts->limit_at(0), 30);
  EXPECT_EQ(facts->limit_at(1249), 30);
  EXPECT_EQ(facts->limit_at(1250), 100);
  EXPECT_EQ(facts->limit_at(999999), 100);
}

// The documents read the text as the compiler does: keywords are found
// inside fields whatever their case, hyphen fields are passed over, a
// record may run over several lines, and every record's fields are read,
// so that a value is never taken for a keyword.
TEST(TrainFacts, ReadsTheTextAsTheCompilerDoes) {
  const std::string_view lines[] = {
      "[generale]",
      "--------------------",
      "VELOCITA,   0",
      "   30",
      "abbattimento, 10000, 270, stazione,  4200,  2,  200",  // a station after the code reduction's fields
      "  1, 0, 0,  1,1,0,  2,1,1,    1,  12,13, 0, Corvale Borgo",
      "segnale,    2800,   2, 4, 1,  1, 0,    2,  2,1,1, 115",
      "[fine]",
  };
  std::string error;
  const auto facts = read_train_facts(lines, &error);
  ASSERT_TRUE(facts) << error;
  ASSERT_EQ(facts->speed_limits.size(), 1u);
  EXPECT_EQ(facts->speed_limits[0].position, 0);
  EXPECT_EQ(facts->speed_limits[0].limit, 30);
  ASSERT_EQ(facts->stations.size(), 1u);
  EXPECT_EQ(facts->stations[0].position, 4200);
  EXPECT_EQ(facts->stations[0].time_of_day, 12 * 3600 + 13 * 60);
  EXPECT_EQ(facts->stations[0].name, "Corvale Borgo");
  EXPECT_TRUE(facts->slowdowns.empty());
}

TEST(TrainFacts, RefusesARecordThatDoesNotRead) {
  const std::string_view cases[][1] = {
      {"stazione,       0,  8,  600"},                          // fields missing
      {"velocita,   abc,    30"},                               // not a number
      {"rallentamento,   99999999999,  40,  400, 1,  1,  30"},  // beyond 32 bits
  };
  for (const auto& lines : cases) {
    std::string error;
    EXPECT_FALSE(read_train_facts(lines, &error)) << lines[0];
    EXPECT_NE(error.find(lines[0]), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace scenario
