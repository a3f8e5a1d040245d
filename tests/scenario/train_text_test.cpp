// The built-in train source text as dati_treno writes it: its size, its
// sections in order, the rows that must read exactly as built in, and the
// rules a believable run keeps (rising positions, the station kinds, times
// of day rising along the run, the signal and code values).
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "compiler/field_reader.h"
#include "scenario/dati.h"

namespace scenario {
namespace {

std::vector<std::string> written_lines() {
  const TextFile f = dati_treno("Corvale_Mirbosco", "731");
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < f.bytes.size()) {
    const size_t end = f.bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the text does not end with CR LF";
      break;
    }
    lines.push_back(f.bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The numbers after the keyword of a record line.
std::vector<int64_t> numbers(const std::string& line) {
  FieldReader r(line);
  r.text();
  std::vector<int64_t> out;
  while (!r.eof()) {
    auto f = r.number();
    auto v = parse_number(f->text);
    if (!v) break;
    out.push_back(*v);
  }
  return out;
}

TEST(TrainText, FileHas518CrLfLinesEndingWithFine) {
  const TextFile f = dati_treno("Corvale_Mirbosco", "731");
  EXPECT_EQ(f.name, "Corvale_Mirbosco_731-.txt");
  const auto lines = written_lines();
  ASSERT_EQ(lines.size(), 518u);
  EXPECT_EQ(lines.back(), "[fine]");
  EXPECT_EQ(std::count(f.bytes.begin(), f.bytes.end(), '\n'), 518);
  EXPECT_EQ(std::count(f.bytes.begin(), f.bytes.end(), '\r'), 518);
  EXPECT_EQ(f.bytes.find("riferimento fine del file"), std::string::npos);
}

TEST(TrainText, SectionsComeInOrderWithTheirRecordCounts) {
  struct Section {
    const char* header;
    size_t slot;
    const char* keyword;
    size_t records;
  };
  const Section sections[] = {
      {"[generale]", 0, nullptr, 4},
      {"[aderenze]", 5, "aderenza,", 12},
      {"[vel_limite]", 18, "velocita,", 39},
      {"[stazioni]", 58, "stazione,", 34},
      {"[rallentamenti]", 93, "rallentamento,", 3},
      {"[segnali]", 97, "segnale,", 128},
      {"[codici]", 226, "abbattimento,", 290},
      {"[fine]", 517, nullptr, 0},
  };
  const auto lines = written_lines();
  ASSERT_EQ(lines.size(), 518u);
  for (const Section& s : sections) {
    SCOPED_TRACE(s.header);
    EXPECT_EQ(lines[s.slot], s.header);
    if (!s.keyword) continue;
    for (size_t i = 1; i <= s.records; ++i) EXPECT_EQ(lines[s.slot + i].rfind(s.keyword, 0), 0u) << lines[s.slot + i];
    // Positions rise strictly within the section.
    for (size_t i = 2; i <= s.records; ++i)
      EXPECT_LT(numbers(lines[s.slot + i - 1])[0], numbers(lines[s.slot + i])[0]) << lines[s.slot + i];
  }
}

TEST(TrainText, TellingRowsReadExactlyAsBuiltIn) {
  const std::map<size_t, std::string> rows = {
      {1, "numero vetture,    16"},
      {2, "percentuale massa frenata,    130"},
      {3, "sabbia,    300"},
      {4, "orologio,    15              4             15 "},
      {6, "aderenza,       0,    98"},
      {7, "aderenza,    9250,    80"},
      {19, "velocita,   0,    30"},
      {20, "velocita,    1250,   100"},
      {59, "stazione,       0,  8,  600,  0, 1, 0,  1,1,0,  2,5,1,    1,  12, 5,15, Corvale"},
      {94, "rallentamento,    9250,    80,  800, 0,  1,  0"},
      {95, "rallentamento,   53750,    40,  400, 1,  1,  30"},
      {96, "rallentamento,  158400,    80,  300, 1,  0,  0"},
      {98, "segnale,    1800,   2, 3, 1,  1, 0,    0,  0,0,0, 0"},
      {99, "segnale,    2800,   2, 4, 1,  1, 0,    2,  2,1,1, 115"},
      {225, "segnale,  217150,   2, 2, 3,  1, 0,    2,  2,1,1, 255"},
      {227, "abbattimento,   10000,   270"},
      {516, "abbattimento,  219000,   270"},
  };
  const auto lines = written_lines();
  ASSERT_EQ(lines.size(), 518u);
  for (const auto& [slot, text] : rows) EXPECT_EQ(lines[slot], text) << "slot " << slot;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "velocita,   14400,   200"), lines.end());
}

TEST(TrainText, ContentKeepsTheRangesOfTheRun) {
  const auto lines = written_lines();
  ASSERT_EQ(lines.size(), 518u);

  // Adhesion 70 to 98 from 0 to 198000; speed limits 30 to 200 from 0 to 217000.
  for (size_t i = 6; i <= 17; ++i) {
    const auto n = numbers(lines[i]);
    EXPECT_GE(n[1], 70);
    EXPECT_LE(n[1], 98);
  }
  EXPECT_EQ(numbers(lines[17])[0], 198000);
  for (size_t i = 19; i <= 57; ++i) {
    const auto n = numbers(lines[i]);
    EXPECT_GE(n[1], 30);
    EXPECT_LE(n[1], 200);
  }
  EXPECT_EQ(numbers(lines[57])[0], 217000);

  // Stations: the listed kinds, lengths 200 to 700, zones apart, times rising.
  std::set<int64_t> kinds;
  int64_t previous_time = -1;
  for (size_t i = 59; i <= 92; ++i) {
    SCOPED_TRACE(lines[i]);
    const auto n = numbers(lines[i]);
    ASSERT_EQ(n.size(), 16u);  // the name is not a number
    kinds.insert(n[1]);
    EXPECT_GE(n[2], 200);
    EXPECT_LE(n[2], 700);
    const int64_t time = (n[13] * 60 + n[14]) * 60 + n[15];
    EXPECT_GT(time, previous_time);
    previous_time = time;
  }
  EXPECT_EQ(kinds, (std::set<int64_t>{2, 4, 8, 11, 12, 22, 25, 26, 28}));
  EXPECT_EQ(numbers(lines[92])[0], 218350);

  // Signals: five tempo values, the others 0.
  std::multiset<int64_t> tempos;
  for (size_t i = 98; i <= 225; ++i) {
    const auto n = numbers(lines[i]);
    ASSERT_EQ(n.size(), 11u) << lines[i];
    if (n[10] != 0) tempos.insert(n[10]);
  }
  EXPECT_EQ(tempos, (std::multiset<int64_t>{101, 115, 140, 220, 255}));

  // Code reductions carry 270 or 280 only.
  for (size_t i = 227; i <= 516; ++i) {
    const int64_t v = numbers(lines[i])[1];
    EXPECT_TRUE(v == 270 || v == 280) << lines[i];
  }
}

}  // namespace
}  // namespace scenario
