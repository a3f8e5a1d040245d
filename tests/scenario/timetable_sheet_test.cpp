// The timetable sheet as dati_scheda writes it: four pages at their fixed
// slots, the frame lines exactly as the simulator's sheet has them, every
// table line with its bars at the same offsets, the blank fourth page, and
// body rows that tell the run of the built-in train text.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "scenario/builtin_texts.h"
#include "scenario/dati.h"
#include "scenario/sheet_pages.h"
#include "scenario/timetable_rows.h"
#include "tests/scenario/document_lines.h"

namespace scenario {
namespace {

using testing::crlf_lines;
using testing::utf8_lines;

constexpr std::array<size_t, 4> kPageSlots = {3, 54, 105, 154};
constexpr size_t kFirstBody = 14;  // offset of the first body row in a page

const std::string kEmptyRow = " |     |     |          |     |                            |                |     |";
const std::string kBodyRule = " |_____|_____|__________|_____|____________________________|________________|_____|";
const std::string kFootnote = " Dalle ore 23.30 alle ore 4.30 velocità massima 160 Km/h.";

struct Sheet {
  std::vector<std::string> bytes;  // Windows-1252, one per line
  std::vector<std::string> text;   // the same in UTF-8
};

const Sheet& sheet() {
  static const Sheet s = [] {
    const TextFile f = dati_scheda("Corvale_Mirbosco", "731");
    Sheet out;
    out.bytes = crlf_lines(f.bytes);
    out.text = utf8_lines(out.bytes);
    return out;
  }();
  return s;
}

size_t body_rows(size_t page) { return page == 3 ? 31 : 29; }

// The cells of a table line, without their padding.
std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out;
  size_t bar = line.find('|');
  while (bar != std::string::npos) {
    const size_t next = line.find('|', bar + 1);
    if (next == std::string::npos) break;
    std::string cell = line.substr(bar + 1, next - bar - 1);
    const size_t b = cell.find_first_not_of(' ');
    const size_t e = cell.find_last_not_of(' ');
    out.push_back(b == std::string::npos ? "" : cell.substr(b, e - b + 1));
    bar = next;
  }
  return out;
}

// A body row read back from the sheet.
struct Row {
  std::string limit, running, km, further, location, time, recovery;
};

Row row_at(size_t slot) {
  const auto c = cells(sheet().text[slot]);
  EXPECT_EQ(c.size(), 7u) << sheet().text[slot];
  if (c.size() != 7) return {};
  return {c[0], c[1], c[2], c[3], c[4], c[5], c[6]};
}

// Every location of the run once, in order: page 2 and page 3 repeat the
// location that ends the page before them.
std::vector<Row> locations() {
  std::vector<Row> rows;
  const std::array<size_t, 3> filled = {29, 29, 11};
  for (size_t p = 0; p < 3; ++p) {
    for (size_t i = p == 0 ? 0 : 1; i < filled[p]; ++i) {
      rows.push_back(row_at(kPageSlots[p] + kFirstBody + i));
    }
  }
  return rows;
}

// The records of the built-in train text, read with a parser of this test.
struct SourceStation {
  int position, kind, time;
  std::string name;
};
struct SourceSpeed {
  int position, limit;
};

std::vector<std::string> comma_fields(std::string_view line) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    const size_t comma = line.find(',', start);
    std::string f(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start));
    const size_t b = f.find_first_not_of(' ');
    const size_t e = f.find_last_not_of(' ');
    out.push_back(b == std::string::npos ? "" : f.substr(b, e - b + 1));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

void read_source(std::vector<SourceStation>& stations, std::vector<SourceSpeed>& speeds) {
  for (std::string_view line : builtin_train_text()) {
    const auto f = comma_fields(line);
    if (f[0] == "stazione") {
      ASSERT_EQ(f.size(), 18u) << line;
      const int time = (std::atoi(f[14].c_str()) * 60 + std::atoi(f[15].c_str())) * 60 + std::atoi(f[16].c_str());
      stations.push_back({std::atoi(f[1].c_str()), std::atoi(f[2].c_str()), time, f[17]});
    } else if (f[0] == "velocita") {
      ASSERT_EQ(f.size(), 3u) << line;
      speeds.push_back({std::atoi(f[1].c_str()), std::atoi(f[2].c_str())});
    }
  }
}

// The line's kilometre posts: counting up from Corvale to the junction at
// 23450 m, then down as the main line's 218400 m minus the position.
std::string km_at(int position) {
  const int m = position < 23450 ? position : 218400 - position;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d.%03d", m / 1000, m % 1000);
  return buf;
}

std::string clock_at(int seconds, bool passing) {
  char buf[32];
  std::snprintf(buf, sizeof buf, passing ? "(%d.%02d)" : "%d.%02d", seconds / 3600, seconds / 60 % 60);
  return buf;
}

TEST(TimetableSheet, FileHas202LinesOfAtMost83Characters) {
  const TextFile f = dati_scheda("Corvale_Mirbosco", "731");
  EXPECT_EQ(f.name, "Corvale_Mirbosco_731_scheda_treno.txt");
  ASSERT_EQ(sheet().bytes.size(), 202u);
  for (const std::string& line : sheet().bytes) EXPECT_LE(line.size(), 83u) << line;
  // Written in Windows-1252: the à of the headings is one byte.
  EXPECT_NE(f.bytes.find("Localit\xE0 di Servizio"), std::string::npos);
  EXPECT_EQ(f.bytes.find("riferimento fine del file"), std::string::npos);
}

TEST(TimetableSheet, PagesBeginAtTheirSlotsWithTheirLabels) {
  const auto& t = sheet().text;
  ASSERT_EQ(t.size(), 202u);
  const std::array<std::string, 4> labels = {
      " |                   |                    SCHEDA  1/3              |              |",
      " |                   |                    SCHEDA  2/3              |              |",
      " |                   |                    SCHEDA 3/3               |              |",
      " |                   |                    SCHEDA 4/4               |              |",
  };
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(t[i], "");
  size_t pages = 0;
  for (const std::string& line : t) pages += line.find("SCHEDA") != std::string::npos;
  EXPECT_EQ(pages, 4u);
  for (size_t p = 0; p < 4; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const size_t s = kPageSlots[p];
    EXPECT_EQ(t[s], "  ___________________                                               ______________");
    EXPECT_EQ(t[s + 1], labels[p]);
    EXPECT_EQ(t[s + 4], "                                                                   |______________|");
  }
  // Between the pages: empty lines around a line of 81 dots, then of 72.
  std::vector<size_t> dots;
  for (size_t i = 0; i < t.size(); ++i) {
    if (!t[i].empty() && t[i].find_first_not_of('.') == std::string::npos) {
      dots.push_back(t[i].size());
      EXPECT_EQ(t[i - 1], "");
      EXPECT_EQ(t[i + 1], "");
    }
  }
  EXPECT_EQ(dots, (std::vector<size_t>{81, 72, 72}));
  EXPECT_EQ(t[200], "");
  EXPECT_EQ(t[201], "");
}

TEST(TimetableSheet, FrameLinesKeepTheirTextAndTrailingSpaces) {
  const auto& t = sheet().text;
  ASSERT_EQ(t.size(), 202u);
  for (size_t p = 0; p < 4; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const size_t s = kPageSlots[p];
    EXPECT_EQ(t[s + 6], " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
    EXPECT_EQ(t[s + 10], "  " + std::string(80, '_'));
    EXPECT_EQ(t[s + 11], p == 0
                             ? " | Vel.| Vel.| Progr Km |  No |    Località di Servizio    |     Orario     | Rec |"
                             : " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |");
    EXPECT_EQ(t[s + 12], " | Lim.|Marc.|          |  Rs |                            |                |     |");
    EXPECT_EQ(t[s + 13], kBodyRule);
    const size_t bottom = s + kFirstBody + body_rows(p);
    EXPECT_EQ(t[bottom], kBodyRule);
    // The night limit closes pages 1 to 3, with a trailing space on 1 and 2.
    const std::string after_table[] = {kFootnote + " ", kFootnote + " ", kFootnote, ""};
    EXPECT_EQ(t[bottom + 1], after_table[p]);
  }
  // The run's pages carry train 731 and its data.
  EXPECT_EQ(t[5], " |   TRENO n.731     |                   da: Corvale               |    V200 C    |");
  EXPECT_EQ(t[6], " |___________________|                    a: Mirbosco              |     130%     |");
  EXPECT_EQ(t[10], " |     INTERCITY     |              |        800T       |       ");
}

TEST(TimetableSheet, EveryTableLineHasItsBarsAtTheSameOffsets) {
  const auto& b = sheet().bytes;
  ASSERT_EQ(b.size(), 202u);
  const std::vector<size_t> bars = {1, 7, 13, 24, 30, 59, 76, 82};
  for (size_t p = 0; p < 4; ++p) {
    const size_t first = kPageSlots[p] + 11;
    const size_t last = kPageSlots[p] + kFirstBody + body_rows(p);
    for (size_t i = first; i <= last; ++i) {
      std::vector<size_t> found;
      for (size_t c = 0; c < b[i].size(); ++c) {
        if (b[i][c] == '|') found.push_back(c);
      }
      EXPECT_EQ(found, bars) << "line " << i << ": " << sheet().text[i];
      EXPECT_EQ(b[i].size(), 83u) << "line " << i;
    }
  }
}

TEST(TimetableSheet, FourthPageIsTheBlankTemplate) {
  const auto& t = sheet().text;
  ASSERT_EQ(t.size(), 202u);
  const size_t s = kPageSlots[3];
  EXPECT_EQ(t[s + 2], " |   TRENO n.xxxxx   |                   da: xxxxxx                |    Vxxx C    |");
  EXPECT_EQ(t[s + 3], " |___________________|                    a: xxxxxx                |     xxx%     |");
  EXPECT_EQ(t[s + 7], " |        xxx        |              |        xxxT       |       ");
  for (size_t i = 0; i < 31; ++i) EXPECT_EQ(t[s + kFirstBody + i], kEmptyRow) << i;
  EXPECT_EQ(t[s + kFirstBody + 31], kBodyRule);
}

TEST(TimetableSheet, ThirdPageHasElevenFilledAndEighteenEmptyRows) {
  const auto& t = sheet().text;
  ASSERT_EQ(t.size(), 202u);
  const size_t first = kPageSlots[2] + kFirstBody;
  for (size_t i = 0; i < 11; ++i) EXPECT_NE(t[first + i], kEmptyRow) << i;
  for (size_t i = 11; i < 29; ++i) EXPECT_EQ(t[first + i], kEmptyRow) << i;
  // Pages 1 and 2 are full.
  for (size_t p = 0; p < 2; ++p) {
    for (size_t i = 0; i < 29; ++i) EXPECT_NE(t[kPageSlots[p] + kFirstBody + i], kEmptyRow);
  }
}

TEST(TimetableSheet, PagesBeginWithTheLocationThatEndsThePageBefore) {
  for (size_t p = 1; p < 3; ++p) {
    SCOPED_TRACE("page " + std::to_string(p + 1));
    const Row last = row_at(kPageSlots[p - 1] + kFirstBody + 28);
    const Row first = row_at(kPageSlots[p] + kFirstBody);
    EXPECT_EQ(first.km, last.km);
    EXPECT_EQ(first.location, last.location);
    EXPECT_EQ(first.time, last.time);
    EXPECT_EQ(first.recovery, last.recovery);
    EXPECT_FALSE(first.limit.empty());
    EXPECT_FALSE(first.running.empty());
    EXPECT_FALSE(first.further.empty());
  }
}

TEST(TimetableSheet, StationsAndTimesAreThoseOfTheTrainText) {
  std::vector<SourceStation> stations;
  std::vector<SourceSpeed> speeds;
  read_source(stations, speeds);
  ASSERT_EQ(stations.size(), 34u);
  const std::vector<Row> rows = locations();
  ASSERT_EQ(rows.size(), 67u);

  // The stations in order, each at its kilometre and with its time of day;
  // the places the train passes without stopping show a passing time.
  std::vector<Row> station_rows;
  for (const Row& r : rows) {
    if (r.location.rfind("Cippo Km.", 0) != 0) station_rows.push_back(r);
  }
  ASSERT_EQ(station_rows.size(), stations.size());
  for (size_t i = 0; i < stations.size(); ++i) {
    const SourceStation& s = stations[i];
    SCOPED_TRACE(s.name);
    EXPECT_EQ(station_rows[i].location, s.name);
    EXPECT_EQ(station_rows[i].km, km_at(s.position));
    EXPECT_EQ(station_rows[i].time, clock_at(s.time, s.kind >= 25));
  }
  EXPECT_EQ(station_rows.front().km, "0.000");
  EXPECT_EQ(station_rows.front().time, "12.05");
  // Times rise along the run.
  for (size_t i = 1; i < stations.size(); ++i) EXPECT_GT(stations[i].time, stations[i - 1].time);
}

TEST(TimetableSheet, SpeedLimitsAreThoseOfTheTrainText) {
  std::vector<SourceStation> stations;
  std::vector<SourceSpeed> speeds;
  read_source(stations, speeds);
  ASSERT_EQ(speeds.size(), 39u);
  const std::vector<Row> rows = locations();
  ASSERT_EQ(rows.size(), 67u);

  // A location shows speeds exactly where a limit record starts: the same
  // kilometre, the same limit, in the same order.
  std::vector<std::pair<std::string, int>> shown;
  for (const Row& r : rows) {
    if (r.limit.empty()) {
      EXPECT_TRUE(r.running.empty() && r.further.empty()) << r.location;
      continue;
    }
    shown.emplace_back(r.km, std::atoi(r.limit.c_str()));
    const int limit = std::atoi(r.limit.c_str());
    // The train runs at most at its top speed; without cab-signal repetition at most 150.
    EXPECT_EQ(std::atoi(r.running.c_str()), std::min(limit, 200)) << r.location;
    EXPECT_EQ(std::atoi(r.further.c_str()), std::min(limit, 150)) << r.location;
  }
  std::vector<std::pair<std::string, int>> expected;
  for (const SourceSpeed& s : speeds) expected.emplace_back(km_at(s.position), s.limit);
  EXPECT_EQ(shown, expected);

  // The first location of pages 2 and 3 repeats the speeds in force there.
  int in_force = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!rows[i].limit.empty()) in_force = std::atoi(rows[i].limit.c_str());
    if (i != 28 && i != 56) continue;
    const Row first = row_at(kPageSlots[i / 28] + kFirstBody);
    EXPECT_EQ(first.location, rows[i].location);
    EXPECT_EQ(first.limit, std::to_string(in_force)) << first.location;
    EXPECT_EQ(first.running, std::to_string(std::min(in_force, 200))) << first.location;
    EXPECT_EQ(first.further, std::to_string(std::min(in_force, 150))) << first.location;
  }
}

TEST(TimetableSheet, LayoutRefusesEntriesThatDoNotFillThePages) {
  TimetableEntry entry;
  entry.row.location = "Corvale";
  entry.row.chainage = 0;
  entry.in_force = {30, 30, 30};
  std::string error;
  const std::vector<TimetableEntry> too_few(kMinEntries - 1, entry);
  EXPECT_FALSE(layout_timetable_sheet(blank_title(), too_few, &error));
  EXPECT_NE(error.find("57"), std::string::npos) << error;
  const std::vector<TimetableEntry> too_many(kMaxEntries + 1, entry);
  EXPECT_FALSE(layout_timetable_sheet(blank_title(), too_many, &error));

  std::vector<TimetableEntry> fits(kMinEntries, entry);
  auto lines = layout_timetable_sheet(blank_title(), fits, &error);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->size(), 202u);

  fits.back().row.location = std::string(28, 'x');
  error.clear();
  EXPECT_FALSE(layout_timetable_sheet(blank_title(), fits, &error));
  EXPECT_NE(error.find("does not fit"), std::string::npos) << error;

  SheetTitle long_name = blank_title();
  long_name.from = std::string(30, 'x');
  EXPECT_FALSE(layout_timetable_sheet(long_name, std::vector<TimetableEntry>(60, entry)));
}

// Entries built from a small run: a time of 0 shows no time, a place of kind
// 25 or above is passed, a limit that starts at a station shows on the
// station's own row, and recovery minutes fall on the named stations only.
TEST(TimetableEntries, TimesPassingPlacesLimitsAndRecoveries) {
  TrainFacts facts;
  facts.stations = {{0, 8, 600, 12 * 3600 + 5 * 60 + 15, "Corvale"},
                    {5000, 28, 200, 0, "Bivio"},
                    {9000, 4, 400, 12 * 3600 + 20 * 60, "Valdimora"}};
  facts.speed_limits = {{0, 60}, {3000, 160}, {9000, 120}};
  const std::vector<TimetableEntry> e = timetable_entries(facts);
  ASSERT_EQ(e.size(), 4u);
  EXPECT_EQ(e[0].row.location, "Corvale");
  EXPECT_EQ(e[0].row.time_of_day, 12 * 3600 + 5 * 60 + 15);
  EXPECT_EQ(e[0].row.speed_limit, 60);
  EXPECT_FALSE(e[0].row.recovery_tenths);

  EXPECT_EQ(e[1].row.location, "Cippo Km.3,000");
  EXPECT_EQ(e[1].row.speed_limit, 160);
  EXPECT_EQ(e[1].row.running_speed, 160);
  EXPECT_EQ(e[1].row.further_speed, 150);

  EXPECT_EQ(e[2].row.location, "Bivio");
  EXPECT_TRUE(e[2].row.passing);
  EXPECT_FALSE(e[2].row.time_of_day);
  EXPECT_FALSE(e[2].row.speed_limit);
  EXPECT_EQ(e[2].in_force, (SpeedCells{160, 160, 150}));

  EXPECT_EQ(e[3].row.location, "Valdimora");
  EXPECT_FALSE(e[3].row.passing);
  EXPECT_EQ(e[3].row.speed_limit, 120);
  EXPECT_EQ(e[3].row.recovery_tenths, 10);

  // On the built-in sheet the recovery column holds one minute at the five
  // stations of the timetable and is empty everywhere else.
  std::vector<std::string> with_recovery;
  for (const Row& r : locations()) {
    if (r.recovery.empty()) continue;
    EXPECT_EQ(r.recovery, "1.0") << r.location;
    with_recovery.push_back(r.location);
  }
  EXPECT_EQ(with_recovery,
            (std::vector<std::string>{"Valdimora", "Monteleone Scalo", "Riofreddo", "Belvedere", "Mirbosco Sud"}));
}

}  // namespace
}  // namespace scenario
