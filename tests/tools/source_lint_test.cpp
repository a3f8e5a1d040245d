#include "tools/source_lint.h"

#include <gtest/gtest.h>

#include "app/run_sequence.h"
#include "scenario/dati.h"
#include "tests/tools/sample_scenario.h"
#include "tests/tools/tool_run.h"

namespace scenario::tool {
namespace {

std::string crlf(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (auto l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

struct LintCase {
  const char* name;
  std::string text;
  int line;  // of the one expected warning; 0 when none is expected
  int column;
  const char* says;  // part of its message
};

void expect_case(const LintCase& c, const std::vector<Diagnostic>& found) {
  if (c.line == 0) {
    EXPECT_TRUE(found.empty()) << c.name << ": " << (found.empty() ? "" : format_diagnostic(found[0]));
    return;
  }
  ASSERT_EQ(found.size(), 1u) << c.name << ": " << (found.empty() ? "none" : format_diagnostic(found[1]));
  EXPECT_EQ(found[0].severity, Severity::kWarning) << c.name;
  EXPECT_EQ(found[0].line, c.line) << c.name;
  EXPECT_EQ(found[0].column, c.column) << c.name;
  EXPECT_NE(found[0].message.find(c.says), std::string::npos) << c.name << ": " << found[0].message;
}

TEST(SourceLint, LineSourceSlips) {
  const LintCase cases[] = {
      {"clean, with separators and empty board fields",
       crlf({"[generale]", "lunghezza percorso,   10000", "progressiva chilometrica uno,  0, 0, 0", "------------",
             "[curve]", "curvad3,  4500,  250", "[pendenze]", "pendenza,  100,  -3",
             "indicatori_vmax,  5050,  110,  115,  120,  0,  ,  ,  ,  0", "cartello_indicatore,  1700,   (P.253)",
             "[fine]"}),
       0, 0, ""},
      {"space before a comma",
       crlf({"[generale]", "lunghezza percorso, 10000", "[pendenze]", "pendenza, 100 , 3", "[fine]"}), 4, 14,
       "space before a comma"},
      {"space before the comma of a board text",
       crlf({"[generale]", "lunghezza percorso, 10000", "[cartelli]", "cartello_indicatore, 1700 , (P.253)", "[fine]"}),
       4, 26, "space before a comma"},
      {"misspelt keyword",
       crlf({"[generale]", "lunghezza percorso, 10000", "[pendenze]", "pendneza, 100, 3", "[fine]"}), 4, 1,
       "did you mean pendenza?"},
      {"misspelt curve", crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "cruvad3, 100, 300", "[fine]"}), 4,
       1, "did you mean curvad3?"},
      {"case-sensitive general keyword",
       crlf({"[generale]", "lunghezza percorso, 10000", "Progressiva chilometrica uno, 0, 0, 0", "[curve]", "[fine]"}),
       3, 1, "case-sensitive; did you mean progressiva chilometrica uno?"},
      {"record after [fine]",
       crlf({"[generale]", "lunghezza percorso, 10000", "[fine]", "montagna, 100, 200, 2", "[fine]"}), 4, 1,
       "after \"[fine]\" is still read"},
      {"unknown header read as a record",
       crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "[pendenza]", "100, 3", "[fine]"}), 4, 1,
       "not a section header of the line source; it is read as a record"},
      {"header that closes the general section",
       crlf({"[generale]", "lunghezza percorso, 10000", "[curva mia]", "[fine]"}), 3, 1, "not a section header"},
      {"line record inside the general section",
       crlf({"[generale]", "lunghezza percorso, 10000", "pendenza, 100, 3", "[pendenze]", "[fine]"}), 3, 1,
       "inside the general section it is not read"},
      {"general record after the general section",
       crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "sfondo uno, 5", "[fine]"}), 4, 1,
       "after the general section it is not read"},
      {"record before [generale]", crlf({"pendenza, 1, 2", "[generale]", "lunghezza percorso, 10000", "[fine]"}), 1, 1,
       "stands before \"[generale]\""},
      {"looks UTF-8",
       crlf({"[generale]", "lunghezza percorso, 10000", "[cartelli]", "cartello_indicatore, 100, Km \xC2\xB0",
             "[fine]"}),
       4, 30, "looks UTF-8"},
      {"Windows-1252 is not UTF-8",
       crlf({"[generale]", "lunghezza percorso, 10000", "[cartelli]", "cartello_indicatore, 100, Km \xB0", "[fine]"}),
       0, 0, ""},
  };
  for (const auto& c : cases) expect_case(c, lint_line_source("l.txt", c.text, LintOptions{}));
}

TEST(SourceLint, CurvesAreNoSlipWithoutThePlan) {
  const std::string text =
      crlf({"[generale]", "lunghezza percorso, 10000", "[curve]", "curvad3,  4500,  250", "[fine]"});
  EXPECT_TRUE(lint_line_source("l.txt", text, LintOptions{false, true}).empty());
}

TEST(SourceLint, TrainSourceSlips) {
  const LintCase cases[] = {
      {"clean",
       crlf({"[generale]", "numero vetture,    16", "orologio,    15              4             15 ", "[stazioni]",
             "stazione,       0,  8,  600,  0, 1, 0,  1,1,0,  2,5,1,    1,  12, 5,15, Corvale Alta", "[vel_limite]",
             "velocita,    1250,   100", "[fine]"}),
       0, 0, ""},
      {"space before a comma", crlf({"[generale]", "[vel_limite]", "velocita, 1250 , 100", "[fine]"}), 3, 15,
       "space before a comma"},
      {"misspelt keyword", crlf({"[generale]", "[vel_limite]", "velocta, 1250, 100", "[fine]"}), 3, 1,
       "did you mean velocita?"},
      {"misspelt two-word keyword", crlf({"[generale]", "numero vettura, 16", "[fine]"}), 2, 1,
       "did you mean numero vetture?"},
      {"stray text is no near miss", crlf({"[generale]", "Corvale Alta", "[fine]"}), 0, 0, ""},
      {"unknown header", crlf({"[generale]", "[stazion]", "[fine]"}), 2, 1, "not a section header of the train source"},
      {"line record in the train source", crlf({"[generale]", "pendenza, 100, 3", "[fine]"}), 2, 1,
       "in the train source it is not read"},
      {"record after [fine]", crlf({"[generale]", "[fine]", "sabbia, 300", "[fine]"}), 3, 1, "after \"[fine]\""},
  };
  for (const auto& c : cases) expect_case(c, lint_train_source("t-.txt", c.text, LintOptions{}));
}

// The text as UTF-16 of the given byte order, with or without its mark.
std::string utf16(std::string_view latin1, bool little_endian, bool mark) {
  std::string out;
  if (mark) out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : latin1) {
    out += little_endian ? c : '\0';
    out += little_endian ? '\0' : c;
  }
  return out;
}

TEST(SourceLint, Utf16IsNamedWithOrWithoutItsMarkAndAfterAUtf8Conversion) {
  const std::string line =
      crlf({"[generale]", "lunghezza percorso, 10000", "[cartelli]", "cartello_indicatore, 100, Km \xE8", "[fine]"});
  struct Case {
    const char* name;
    std::string text;
    bool converted_from_utf8;
    const char* says;  // null when no warning is expected
  };
  const Case cases[] = {
      {"little-endian with its mark", utf16(line, true, true), false, "looks UTF-16 encoded (little-endian)"},
      {"big-endian with its mark", utf16(line, false, true), false, "looks UTF-16 encoded (big-endian)"},
      {"little-endian without a mark", utf16(line, true, false), false, "looks UTF-16 encoded (little-endian)"},
      {"big-endian without a mark", utf16(line, false, false), false, "looks UTF-16 encoded (big-endian)"},
      // Latin letters in UTF-16 are valid UTF-8: the conversion keeps their NULs.
      {"converted from UTF-8", utf16("[generale]\r\n", true, false), true, "looks UTF-16 encoded (little-endian)"},
      {"a mark alone", "\xFF\xFE", false, "looks UTF-16 encoded (little-endian)"},
      {"Windows-1252 with NULs here and there", std::string("[generale]\0\r\nlunghezza percorso,\0 10000\r\n\0\0", 43),
       false, nullptr},
      {"one byte", "\xFF", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LintOptions options{true, !c.converted_from_utf8};
    for (const auto& found :
         {lint_line_source("l.txt", c.text, options), lint_train_source("t-.txt", c.text, options)}) {
      if (!c.says) {
        for (const auto& d : found) EXPECT_EQ(d.message.find("encoded"), std::string::npos) << d.message;
        continue;
      }
      ASSERT_FALSE(found.empty());
      EXPECT_EQ(found[0].severity, Severity::kWarning);
      EXPECT_EQ(found[0].line, 1);
      EXPECT_NE(found[0].message.find(c.says), std::string::npos) << found[0].message;
      EXPECT_NE(found[0].message.find("Windows-1252"), std::string::npos) << found[0].message;
      EXPECT_EQ(found[0].remedy, "save the file as Windows-1252");
    }
  }
}

// The warning comes before the compile's own "no [generale]", from both
// commands that read sources.
TEST(SourceLint, CompileAndPlotShowTheUtf16Warning) {
  const auto dir = scenario::testing::scratch_dir("utf16");
  scenario::testing::write_bytes(dir / "R_linea.txt", utf16(dati_linea(kRouteName).bytes, true, true));
  scenario::testing::write_bytes(dir / "R_1-.txt", dati_treno(kRouteName, kTrainNumber).bytes);
  const std::vector<std::string> commands[] = {
      {"compile", "R_linea.txt", "R_1-.txt"},
      {"plot", "R_linea.txt", "R_1-.txt", "--out", "x.svg"},
  };
  for (const auto& args : commands) {
    const auto r = scenario::testing::run_tool(args, dir);
    EXPECT_EQ(r.status, 2) << args[0] << ": " << r.err;
    const size_t warning = r.err.find("R_linea.txt:1:1: warning: the file looks UTF-16 encoded (little-endian)");
    EXPECT_NE(warning, std::string::npos) << args[0] << ": " << r.err;
    EXPECT_LT(warning, r.err.find("[generale]")) << args[0] << ": " << r.err;
  }
  std::filesystem::remove_all(dir);
}

TEST(SourceLint, TheBuiltInSourcesRaiseNoWarning) {
  const auto line = lint_line_source("l.txt", dati_linea(kRouteName).bytes, LintOptions{});
  const auto train = lint_train_source("t-.txt", dati_treno(kRouteName, kTrainNumber).bytes, LintOptions{});
  for (const auto& d : line) ADD_FAILURE() << format_diagnostic(d);
  for (const auto& d : train) ADD_FAILURE() << format_diagnostic(d);
}

}  // namespace
}  // namespace scenario::tool
