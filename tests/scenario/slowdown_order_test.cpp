// The slowdown order as dati_rallentamenti writes it: 48 lines, the form's
// own lines as printed, a table of six columns, and three rows that agree
// with the three slowdowns of the built-in train text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/dati.h"
#include "scenario/slowdown_order.h"
#include "tests/scenario/document_lines.h"

namespace scenario {
namespace {

using testing::crlf_lines;
using testing::utf8_lines;

const std::string kRule = " |___|____________________________|____________|__________|_________|____________|";
const std::string kEmptyRow = " |   |                            |            |          |         |            |";

std::vector<std::string> order_lines() {
  const TextFile f = dati_rallentamenti("Corvale_Mirbosco", "731");
  EXPECT_EQ(f.name, "Corvale_Mirbosco_731_rallentamenti.txt");
  return utf8_lines(crlf_lines(f.bytes));
}

TEST(SlowdownOrder, HasItsFixedLinesInOrder) {
  const auto t = order_lines();
  ASSERT_EQ(t.size(), 48u);
  const std::vector<std::pair<size_t, std::string>> fixed = {
      {0, ""},
      {1, "                                Modulo M. 3"},
      {2, "                           ORDINE DI RALLENTAMENTO"},
      {3, " " + std::string(80, '_')},
      {4, "  Linea  Corvale - Mirbosco"},
      {5, ""},
      {6, "  Si ordina al macchinista del treno 731 di effettuare i seguenti rallentamenti"},
      {7, "  " + std::string(79, '_')},
      {8, " |   |                            |Inizio dopo |          |         |            |"},
      {9, " | N.|      FRA LE STAZIONI       | il cippo   | Velocità |Lunghezza|Prescrizioni|"},
      {10, " |   |   (o nelle Stazioni di)    |chilometrico|          |  metri  | specifiche |"},
      {11, kRule},
      {39, kRule},
      {40, ""},
      {41, "              Prescrizioni specifiche"},
      {42, "A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {43, " B - Prescrizione notificata con modulo M. 40 nella stazione di Pietrafitta"},
      {44, " C - Da rispettare dalle ore 07.30 alle ore 20.30 di tutti"},
      {45, "     i giorni esclusi i FESTIVI e i PREFESTIVI"},
      {46, " D - Rallentamento N. ... e N. ...  sono contigui"},
      {47, " E - Segnale di avviso non preceduto da tavole distanziometriche"},
  };
  for (const auto& [slot, text] : fixed) EXPECT_EQ(t[slot], text) << "slot " << slot;
  for (size_t i = 15; i < 39; ++i) EXPECT_EQ(t[i], kEmptyRow) << "slot " << i;
}

TEST(SlowdownOrder, RowsAgreeWithTheSlowdownsOfTheTrainText) {
  const auto t = order_lines();
  ASSERT_EQ(t.size(), 48u);
  // Kilometre 9 at 80 km/h for 800 m; 165 at 40 for 400 with A-B-C; 60 at 80 for 300 with A.
  EXPECT_EQ(t[12], " | 1 | Corvale Borgo - Sant'Ilario|      9     |    80    |   800   |     ---    |");
  EXPECT_EQ(t[13], " | 2 | Pietrafitta - Colle Alto   |     165    |    40    |   400   |    A-B-C   |");
  EXPECT_EQ(t[14], " | 3 | Ferriera - Canneto         |     60     |    80    |   300   |      A     |");
}

TEST(SlowdownOrder, EveryTableLineHasItsBarsAtTheSameOffsets) {
  const TextFile f = dati_rallentamenti("Corvale_Mirbosco", "731");
  const auto b = crlf_lines(f.bytes);
  ASSERT_EQ(b.size(), 48u);
  const std::vector<size_t> bars = {1, 5, 34, 47, 58, 68, 81};
  for (size_t i = 8; i <= 39; ++i) {
    std::vector<size_t> found;
    for (size_t c = 0; c < b[i].size(); ++c) {
      if (b[i][c] == '|') found.push_back(c);
    }
    EXPECT_EQ(found, bars) << "slot " << i;
  }
}

TEST(SlowdownOrder, RowsNameTheStationsAroundOrAtTheSlowdown) {
  TrainFacts facts;
  facts.stations = {{0, 8, 600, 0, "Alfa"}, {5000, 4, 400, 0, "Beta"}, {30000, 28, 200, 0, "Gamma"}};
  facts.slowdowns = {{2000, 60, 500, false, false, 0},   // between Alfa and Beta
                     {4900, 30, 100, true, false, 0},    // inside Beta's zone
                     {31000, 80, 200, true, false, 0}};  // after the last station
  const auto rows = slowdown_rows(facts);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].between, "Alfa - Beta");
  EXPECT_EQ(rows[0].prescriptions, "");
  EXPECT_EQ(rows[1].between, "Beta");
  EXPECT_EQ(rows[1].prescriptions, "A");
  EXPECT_EQ(rows[2].between, "Gamma");
  EXPECT_EQ(rows[2].number, 3);
}

TEST(SlowdownOrder, KilometrePostBeforeAPosition) {
  // Counting up before the junction at 23450 m; counting down after it.
  const std::pair<int32_t, int32_t> cases[] = {
      {0, 0},       {9250, 9},    {9999, 9},    {10000, 10}, {23449, 23}, {23450, 195}, {53750, 165},
      {158400, 60}, {158401, 60}, {158999, 60}, {218400, 0}, {219000, 0}, {219400, -1}, {219500, -1},
  };
  for (const auto& [position, post] : cases) EXPECT_EQ(post_before(position), post) << position;
}

TEST(SlowdownOrder, LayoutRefusesMoreSlowdownsThanRows) {
  const std::vector<SlowdownRow> rows(28, SlowdownRow{1, "Alfa - Beta", 9, 80, 800, ""});
  std::string error;
  EXPECT_FALSE(layout_slowdown_order("Alfa - Beta", rows, "Alfa", &error));
  EXPECT_FALSE(error.empty());
  const std::vector<SlowdownRow> full(27, SlowdownRow{1, "Alfa - Beta", 9, 80, 800, ""});
  auto lines = layout_slowdown_order("Alfa - Beta", full, "Alfa", &error);
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->size(), 48u);
}

}  // namespace
}  // namespace scenario
