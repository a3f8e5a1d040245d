#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "compiler/arith.h"
#include "compiler/line_reader.h"
#include "output/encoders.h"
#include "scenario/builtin_texts.h"
#include "scenario/dati.h"

namespace scenario {
namespace {

std::vector<std::string> split_crlf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size()) << "text after the last CR LF";
  return lines;
}

std::vector<std::string> written_lines() { return split_crlf(dati_linea("Corvale_Mirbosco").bytes); }

TEST(BuiltinLine, WritesTwoHundredFiftyCrLfLinesInSectionOrder) {
  const TextFile f = dati_linea("Corvale_Mirbosco");
  EXPECT_EQ(f.name, "Corvale_Mirbosco_linea.txt");
  EXPECT_EQ(std::count(f.bytes.begin(), f.bytes.end(), '\n'), 250);
  EXPECT_EQ(std::count(f.bytes.begin(), f.bytes.end(), '\r'), 250);
  const auto lines = split_crlf(f.bytes);
  ASSERT_EQ(lines.size(), 250u);
  EXPECT_EQ(lines.back(), "[fine]");
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "riferimento fine del file"), lines.end());

  // Headers at their slots, and the records between them.
  struct Section {
    size_t slot;
    const char* header;
    const char* keyword;
    size_t rows;
  };
  for (const Section s :
       {Section{0, "[generale]", "", 8}, Section{9, "[curve]", "curva", 65}, Section{75, "[pendenze]", "pendenza,", 76},
        Section{152, "[montagne]", "montagna,", 3}, Section{156, "[cartelli]", "indicatori_vmax,", 70},
        Section{227, "[indicazioni]", "cartello_indicatore,", 21}}) {
    SCOPED_TRACE(s.header);
    EXPECT_EQ(lines[s.slot], s.header);
    for (size_t i = s.slot + 1; i <= s.slot + s.rows; ++i) EXPECT_EQ(lines[i].rfind(s.keyword, 0), 0u) << lines[i];
  }
  EXPECT_EQ(lines[1], "lunghezza percorso,    220000");
  EXPECT_EQ(lines[2], "progressiva chilometrica uno,    23450,    218300,    1");
  EXPECT_EQ(lines[8], "ripetizione segnali 9 codici,    11000,    220000");
  EXPECT_EQ(lines[10], "curvad6,  1000,  300");
  EXPECT_EQ(lines[74], "curvad4,  217500,  300");
  EXPECT_EQ(lines[76], "pendenza,  0,   0");
  EXPECT_EQ(lines[151], "pendenza,  217250,   0");
  EXPECT_EQ(lines[157], "indicatori_vmax,  700,  30,  30,  30,  0,  30,  30,  30,  0");

  // All twelve curve keywords, and the text converted to Windows-1252.
  std::set<std::string> keywords;
  for (size_t i = 10; i <= 74; ++i) keywords.insert(lines[i].substr(0, 7));
  EXPECT_EQ(keywords.size(), 12u);
  EXPECT_NE(f.bytes.find('\xB0'), std::string::npos);  // the degree sign
  EXPECT_NE(f.bytes.find('\xE0'), std::string::npos);  // a grave a
}

TEST(BuiltinLine, SpeedBoardsComeInApproachTriples) {
  const auto lines = written_lines();
  // After the first board, groups of three 500 m apart, left stripes 2, 1, 0.
  int empty_right = 0;
  for (size_t i = 158; i < 227; i += 3) {
    SCOPED_TRACE(lines[i]);
    int32_t pos[3], stripes[3];
    for (int k = 0; k < 3; ++k) {
      const std::string& l = lines[i + static_cast<size_t>(k)];
      ASSERT_EQ(std::sscanf(l.c_str(), "indicatori_vmax, %d, %*d, %*d, %*d, %d", &pos[k], &stripes[k]), 2);
      if (l.ends_with(",  ,  ,  ,  0")) ++empty_right;
    }
    EXPECT_EQ(pos[1] - pos[0], 500);
    EXPECT_EQ(pos[2] - pos[1], 500);
    EXPECT_EQ(stripes[0], 2);
    EXPECT_EQ(stripes[1], 1);
    EXPECT_EQ(stripes[2], 0);
  }
  EXPECT_EQ(empty_right, 2);
}

struct CompiledLine {
  RouteModel model;
  MemorySources sources;
  LinePhaseResult result;
};

CompiledLine compile_builtin_line() {
  CompiledLine c;
  reset_model(c.model, 1);
  c.sources.set(SourceKind::kLine, dati_linea("Corvale_Mirbosco").bytes);
  CompileContext ctx(c.model, c.sources);
  c.result = read_line_source(ctx);
  return c;
}

TEST(BuiltinLine, CompilesWithoutError) {
  const CompiledLine c = compile_builtin_line();
  const RouteModel& m = c.model;
  EXPECT_EQ(m.ErrorCode, 0);
  EXPECT_TRUE(c.result.go_on);
  EXPECT_FALSE(c.sources.exists(SourceKind::kLine));
  EXPECT_EQ(m.grid_end, 4540);
  EXPECT_EQ(m.profile_end, 227000);
  // The 21 sign boards take records 80 down to 60.
  EXPECT_EQ(c.result.next_free_sign_record, 59);
  EXPECT_EQ(m.table[80].text, "(P.253)");
  EXPECT_EQ(m.table[59].text, "");
  EXPECT_FALSE(m.table[60].text.empty());
  int boards = 0, signs = 0;
  for (const TrackCell& cell : m.grid) {
    boards += cell.kind == cell_kind::kSpeedBoards;
    signs += cell.kind == cell_kind::kSignBoard;
  }
  EXPECT_EQ(boards, 70);
  EXPECT_EQ(signs, 21);
  // The kilometre reference, the code repetition and the tunnels.
  EXPECT_EQ(m.table[81].long1, 23450);
  EXPECT_EQ(m.table[81].long2, 218400);
  EXPECT_EQ(m.table[86].long3, 9);
  EXPECT_EQ(m.cell(738).montagna, 2);
  EXPECT_EQ(m.cell(3682).montagna, 2);
  EXPECT_EQ(m.cell(3683).montagna, 2);
  EXPECT_EQ(m.cell(3684).montagna, 0);
  // The plan is laid up to metre 226998; the line profile file then holds
  // four 16-bit integers, four empty elements and the rest doubles.
  EXPECT_EQ(m.profile.type(226998, 1), ProfileType::kDouble);
  EXPECT_EQ(m.profile.type(226999, 1), ProfileType::kEmpty);
  EXPECT_EQ(encode_profile_file(m.profile).size(), 4539964u);
}

TEST(BuiltinLine, GradientsFollowThePendenzaRows) {
  const auto lines = written_lines();
  const CompiledLine c = compile_builtin_line();
  std::vector<std::pair<int32_t, int32_t>> rows;
  for (const std::string& l : lines) {
    int32_t p = 0, g = 0;
    if (std::sscanf(l.c_str(), "pendenza, %d, %d", &p, &g) == 2) rows.emplace_back(p, g);
  }
  ASSERT_EQ(rows.size(), 76u);
  // Each gradient holds from its own cell to the cell before the next row's;
  // the last one runs on up to cell N - 3 = 4537 (from cell 4345).
  rows.emplace_back(4538 * 50, 0);
  int64_t checked = 0;
  for (size_t k = 0; k + 1 < rows.size(); ++k) {
    for (int64_t i = stretch_cell(rows[k].first); i < stretch_cell(rows[k + 1].first); ++i, ++checked)
      ASSERT_EQ(c.model.cell(i).gradient, rows[k].second + 100) << "cell " << i;
  }
  EXPECT_EQ(checked, 4538);
  EXPECT_EQ(stretch_cell(217250), 4345);
  for (int i = 4538; i <= 4540; ++i) EXPECT_EQ(c.model.cell(i).gradient, 0);
}

}  // namespace
}  // namespace scenario
