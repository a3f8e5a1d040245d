// The notes as dati_note writes them: 23 lines in their fixed arrangement,
// each of the ten paragraphs on one line of at most 732 characters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/dati.h"
#include "tests/scenario/document_lines.h"

namespace scenario {
namespace {

using testing::crlf_lines;
using testing::utf8_lines;

TEST(Notes, HaveTheirLinesInTheirPlaces) {
  const TextFile f = dati_note("Corvale_Mirbosco", "731");
  EXPECT_EQ(f.name, "Corvale_Mirbosco_731_note.txt");
  const auto bytes = crlf_lines(f.bytes);
  const auto t = utf8_lines(bytes);
  ASSERT_EQ(t.size(), 23u);

  EXPECT_NE(t[0].find("Corvale"), std::string::npos);
  EXPECT_NE(t[0].find("Mirbosco"), std::string::npos);
  EXPECT_EQ(t[0].substr(t[0].size() - 20), "versione aggiornata.");
  EXPECT_EQ(t[2], "Inserito ripetizione segnali a nove codici con relativi abbattimenti.");
  for (size_t i : {1u, 7u, 18u, 20u, 21u}) EXPECT_EQ(t[i], "") << "slot " << i;
  for (size_t i : {2u, 3u, 4u, 5u, 6u, 19u, 22u}) EXPECT_FALSE(t[i].empty()) << "slot " << i;

  // Ten paragraphs, each one long line that the viewer wraps itself; the
  // limit counts the bytes as written.
  for (size_t i = 8; i < 18; ++i) {
    EXPECT_GT(bytes[i].size(), 200u) << "slot " << i;
    EXPECT_LE(bytes[i].size(), 732u) << "slot " << i;
    EXPECT_EQ(t[i].back(), '.') << "slot " << i;
  }
}

}  // namespace
}  // namespace scenario
