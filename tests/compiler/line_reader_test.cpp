#include "compiler/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/error_codes.h"
#include "tests/compiler/line_source_fixture.h"

namespace scenario {
namespace {

using testing::crlf;
using testing::line_file;
using testing::run_line;
using testing::run_memorizza_dati;

TEST(LineReader, RouteLengthSizesGridAndPlan) {
  struct Case {
    int32_t length;
    int32_t grid_end;
  };
  for (const Case c : {Case{220000, 4540}, Case{1025, 160}, Case{1075, 162}, Case{25, 140}, Case{1000000, 20140}}) {
    SCOPED_TRACE(c.length);
    const auto r = run_line(line_file(c.length, ""));
    EXPECT_EQ(r.model.ErrorCode, 0);
    EXPECT_TRUE(r.result.go_on);
    EXPECT_EQ(r.model.table[84].long2, c.length);
    EXPECT_EQ(r.model.grid_end, c.grid_end);
    EXPECT_EQ(r.model.grid.size(), static_cast<size_t>(c.grid_end) + 1);
    EXPECT_EQ(r.model.profile_end, c.length + 7000);
    EXPECT_EQ(r.model.profile.last(), c.length + 7000);
  }
}

TEST(LineReader, GeneralRowsFollowTheirCaseRulesAndFields) {
  const auto r = run_line(
      crlf({"[generale]", "Lunghezza Percorso,    1000", "progressiva chilometrica uno,    23450,    218300,    1",
            "Progressiva chilometrica due,    700,    800,    0", "sfondo uno,    129300", "sfondo due,    1",
            "sfondo tre,    7", "SFONDO tre,    9", "[curve]", "[fine]"}));
  EXPECT_EQ(r.model.ErrorCode, 0);
  EXPECT_EQ(r.model.grid_end, 160);  // the length keyword ignores case
  // A capital P is not "progressiva": its numbers pass unrecognised and
  // record 82 stays zero; the ordering moves the reference one to 81.
  EXPECT_EQ(r.model.table[81].long1, 23450);
  EXPECT_EQ(r.model.table[81].long2, 218400);
  EXPECT_EQ(r.model.table[82].long1, 0);
  EXPECT_EQ(r.model.table[82].long2, 0);
  // Background one goes to long1, two to long3, three to long2.
  EXPECT_EQ(r.model.table[85].long1, 129300);
  EXPECT_EQ(r.model.table[85].long3, 1);
  EXPECT_EQ(r.model.table[85].long2, 7);
}

TEST(LineReader, CodeRepetitionRecord) {
  struct Case {
    const char* row;
    int32_t code;
    int32_t long1, long2, long3;
  };
  const Case cases[] = {
      {"ripetizione segnali 9 codici,    11000,    220000", 0, 11000, 220000, 9},
      {"ripetizione segnali 9 codici,    11000,    0", 0, 11000, 0, 0},
      {"ripetizione segnali 4 o 9 codici,    50,    100", 0, 50, 100, 4},
      {"ripetizione segnali 9 codici,    11025,    0", 3, 11025, 0, 0},
      {"ripetizione segnali 9 codici,    -50,    220025", 4, -50, 220025, 0},
      {"ripetizione segnali codici,    11000,    220000", 5, 11000, 220000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const auto r = run_line(crlf({"[generale]", "lunghezza percorso, 220000", c.row, "[curve]", "[fine]"}));
    EXPECT_EQ(r.model.ErrorCode, c.code);
    EXPECT_EQ(r.result.go_on, c.code == 0);
    EXPECT_FALSE(r.line_left());
    const ScenarioRecord& rec = r.model.table[86];
    EXPECT_EQ(rec.long1, c.long1);
    EXPECT_EQ(rec.long2, c.long2);
    EXPECT_EQ(rec.long3, c.long3);
  }
}

TEST(LineReader, RouteLengthLimits) {
  struct Case {
    int32_t length;
    int32_t code;
  };
  for (const Case c : {Case{1000000, 0}, Case{1000001, 1}, Case{0, 201}, Case{-25, 201}}) {
    SCOPED_TRACE(c.length);
    const auto r = run_line(line_file(c.length, "pendenza,  0,   0\r\n"));
    EXPECT_EQ(r.model.ErrorCode, c.code);
    EXPECT_EQ(r.model.table[84].long2, c.length);  // kept as read, even when refused
    EXPECT_EQ(r.model.grid_sized(), c.code == 0);
    EXPECT_EQ(r.result.go_on, c.code == 0);
    EXPECT_FALSE(r.line_left());
  }
}

TEST(LineReader, HyphenFieldsBeforeKeywords) {
  struct Case {
    const char* what;
    std::string text;
    int32_t grid_end;  // 160 when the length 1000 was read, else 0
    uint8_t gradient;  // of cell 0: 105 when the line record was read
  };
  auto general = [](const std::string& before_length) {
    return "[generale]\r\n" + before_length + "lunghezza-percorso,  1000\r\n[curve]\r\npendenza, 0, 5\r\n[fine]\r\n";
  };
  auto line = [](const std::string& before_gradient) {
    return "[generale]\r\nlunghezza percorso,  1000\r\n[curve]\r\n" + before_gradient +
           "pendenza-x,  0,  5\r\n[fine]\r\n";
  };
  auto hyphens = [](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "-\r\n";
    return s;
  };
  // A keyword that holds "-" is itself replaced, unless the replacements are
  // used up by the hyphen fields before it: ten in the general section, two
  // in the line section.
  const Case cases[] = {
      {"general: hyphenated keyword after ten hyphen fields is read", general(hyphens(10)), 160, 105},
      {"general: after nine it is replaced by its value", general(hyphens(9)), 0, 0},
      {"line: hyphenated keyword after two hyphen fields is read", line(hyphens(2)), 160, 105},
      {"line: after one it is replaced by its value", line(hyphens(1)), 160, 100},
      {"line: plain hyphen fields are skipped",
       "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n---\r\n---\r\n"
       "---\r\npendenza, 0, 5\r\n[fine]\r\n",
       160, 105},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = run_line(c.text);
    EXPECT_EQ(r.model.grid_end, c.grid_end);
    if (c.grid_end != 0) {
      EXPECT_EQ(r.cell(0).gradient, c.gradient);
    }
  }
}

TEST(LineReader, KeywordsAreSubstringsOnTheRightSideOfTheGeneralSection) {
  const auto r = run_line(crlf({"[generale]", "lunghezza percorso,    1000", "pendenza,  0,   7", "[curve]",
                                "ZZPENDENZAzz,  0,   5", "sfondo uno,  44", "lunghezza percorso,   2000", "[fine]"}));
  EXPECT_EQ(r.model.ErrorCode, 0);
  EXPECT_EQ(r.cell(0).gradient, 105);  // a line record inside a longer field, in capitals
  EXPECT_EQ(r.model.grid_end, 160);    // general records after the section are not recognised
  EXPECT_EQ(r.model.table[85].long1, 0);
}

TEST(LineReader, TheLastFieldOfTheFileIsNeverHandled) {
  struct Case {
    const char* what;
    std::string text;
    int32_t code;
  };
  const Case cases[] = {
      {"\"[generale]\" as the last field", "pendenza\r\n[generale]\r\n", 102},
      {"the length keyword as the last field of the general section", "[generale]\r\nlunghezza percorso", 200},
      {"a line keyword as the last field", "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\nmontagna\r\n", 0},
      {"a line keyword as the last field after a hyphen field",
       "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n-\r\nmontagna", 0},
      {"an empty source", "", 102},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = run_line(c.text);
    EXPECT_EQ(r.model.ErrorCode, c.code);
    EXPECT_FALSE(r.line_left());
  }
}

TEST(LineReader, AFileEndingInsideTheGeneralSectionStillEndsNormally) {
  const auto r = run_line("[generale]\r\nlunghezza percorso,   1000\r\nsfondo uno, 5\r\n");
  EXPECT_EQ(r.model.ErrorCode, 0);
  EXPECT_TRUE(r.result.go_on);
  EXPECT_EQ(r.cell(157).gradient, 100);               // the gradient tail ran
  EXPECT_EQ(r.model.profile.value(7998, 1), 7998.0);  // so did the plan tail
}

// Every refusal stops the phase: the line source is deleted, the train
// source is left for nobody, and the train phase does not run.
TEST(LineReader, RefusalsDeleteTheLineSourceAndStop) {
  std::string eighty_one_montagne;
  for (int i = 0; i < 81; ++i) eighty_one_montagne += "montagna, " + std::to_string(1000 + 200 * i) + ", 1100, 2\r\n";
  std::string eighty_one_boards;
  for (int i = 0; i < 81; ++i)
    eighty_one_boards += "cartello_indicatore, " + std::to_string(1000 + 50 * i) + ", (x)\r\n";
  struct Case {
    const char* what;
    std::string text;
    int32_t code;
    std::optional<int32_t> position;
  };
  const Case cases[] = {
      {"no [generale]", crlf({"lunghezza percorso, 1000", "[fine]"}), error::kNoGeneralSection, {}},
      {"no route length",
       crlf({"[generale]", "sfondo uno, 1", "[curve]", "pendenza, 0, 1", "[fine]"}),
       error::kNoRouteLength,
       {}},
      {"route too long", line_file(1000001, ""), error::kRouteTooLong, {}},
      {"curve without class digit", line_file(1000, "curvad,  100,  50\r\n"), error::kBadCurve, {}},
      {"speed boards on a taken cell",
       line_file(10000,
                 "indicatori_vmax, 5025, 1,1,1,0,1,1,1,0\r\n"
                 "indicatori_vmax, 5075, 1,1,1,0,1,1,1,0\r\n"),
       error::kSpeedBoardsOccupied, 5075},
      {"sign board on a speed board",
       line_file(10000,
                 "indicatori_vmax, 5025, 1,1,1,0,1,1,1,0\r\n"
                 "cartello_indicatore, 5050, (x)\r\n"),
       error::kSignBoardOccupied, 5050},
      {"an 81st montagna", line_file(220000, eighty_one_montagne), error::kTooManyMontagne, 17000},
      {"an 81st sign board", line_file(220000, eighty_one_boards), error::kTooManySignBoards, 5000},
      {"a montagna whose first cell lies before the line", line_file(1000, "montagna, -100, 500, 2\r\n"),
       error::kNegativePosition, -100},
      {"speed boards whose cell lies before the line", line_file(1000, "indicatori_vmax, -100, 1,1,1,0,1,1,1,0\r\n"),
       error::kNegativePosition, -100},
      {"a sign board whose cell lies before the line", line_file(1000, "cartello_indicatore, -76, (x)\r\n"),
       error::kNegativePosition, -76},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = run_memorizza_dati(c.text);
    EXPECT_EQ(r.model.ErrorCode, c.code);
    EXPECT_EQ(r.model.ErrorPosition, c.position.value_or(0));
    EXPECT_FALSE(r.line_left());
    EXPECT_TRUE(r.train_left());
  }
}

TEST(LineReader, MissingLineSourceDeletesNothing) {
  RouteModel m;
  reset_model(m, 1);
  m.ErrorPosition = 777;
  MemorySources s;
  s.set(SourceKind::kTrain, "train");
  CompileContext ctx(m, s);
  const LinePhaseResult r = read_line_source(ctx);
  EXPECT_FALSE(r.go_on);
  EXPECT_EQ(m.ErrorCode, error::kNoLineSource);
  EXPECT_EQ(m.ErrorPosition, 777);
  EXPECT_TRUE(s.exists(SourceKind::kTrain));
}

TEST(LineReader, PositionCheckEndsTheLoopButTheTrainPhaseRuns) {
  const auto r = run_line(line_file(220000,
                                    "cartello_indicatore,  226900,  (a)\r\n"
                                    "cartello_indicatore,  226950,  (b)\r\n"
                                    "cartello_indicatore,  1000,  (c)\r\n"));
  EXPECT_EQ(r.model.ErrorCode, error::kBeyondGrid);
  EXPECT_EQ(r.model.ErrorPosition, 226950);
  EXPECT_TRUE(r.result.go_on);
  EXPECT_EQ(r.result.next_free_sign_record, 79);  // only (a) was placed
  EXPECT_EQ(r.model.table[80].text, "(a)");
  EXPECT_FALSE(r.line_left());
  EXPECT_EQ(r.cell(4537).gradient, 100);  // the tail still runs
}

TEST(LineReader, RunTimeFailuresGoThroughTheErrorHandler) {
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"a value that is not a number", line_file(1000, "pendenza,  1.5,  0\r\n")},
      {"a length outside 32 bits", "[generale]\r\nlunghezza percorso, 3000000000\r\n[curve]\r\n[fine]\r\n"},
      {"a record cut off by the end of the file",
       "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\nmontagna, 5, 6"},
      {"general hyphen fields running past the end", "[generale]\r\nlunghezza percorso, 1000\r\n-\r\n-"},
      {"a speed value beyond 16 bits", line_file(1000, "indicatori_vmax, 100, 2000,1,1,0,1,1,1,0\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto r = run_memorizza_dati(c.text);
    EXPECT_EQ(r.model.ErrorCode, error::kRuntimeFailure);
    EXPECT_FALSE(r.line_left());
    EXPECT_FALSE(r.train_left());
  }
}

// Hears the errors with the record that caused them.
struct Recorder : CompileObserver {
  struct Heard {
    int32_t code;
    std::optional<SourceLocation> where;
    std::string record;
  };
  std::vector<Heard> heard;
  void error_recorded(int32_t code, std::optional<int32_t>, const std::optional<SourceLocation>& where,
                      std::string_view record) override {
    heard.push_back({code, where, std::string(record)});
  }
};

TEST(LineReader, DiagnosticsNameTheRefusedRecord) {
  RouteModel m;
  reset_model(m, 1);
  MemorySources s;
  s.set(SourceKind::kLine, line_file(10000,
                                     "pendenza, 0, 0\r\n  indicatori_vmax, 5025, 1,1,1,0,1,1,1,0\r\n"
                                     "cartello_indicatore, 5075, (x)\r\n"));
  Recorder rec;
  CompileContext ctx(m, s, &rec);
  read_line_source(ctx);
  ASSERT_EQ(rec.heard.size(), 1u);
  EXPECT_EQ(rec.heard[0].code, error::kSignBoardOccupied);
  ASSERT_TRUE(rec.heard[0].where);
  EXPECT_EQ(rec.heard[0].where->line, 6);
  EXPECT_EQ(rec.heard[0].where->column, 1);
  EXPECT_EQ(rec.heard[0].record, "cartello_indicatore");
}

}  // namespace
}  // namespace scenario
