// scenario compile, run as an author runs it: exit statuses, the JSON object
// on stdout, diagnostics on stderr, and the author's files left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include <nlohmann/json.hpp>

#include "app/run_sequence.h"
#include "scenario/cp1252.h"
#include "tests/tools/tool_run.h"
#include "tests/tools/xml_check.h"

namespace scenario::testing {
namespace {

using nlohmann::json;

struct Snapshot {
  std::string bytes;
  fs::file_time_type mtime;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const fs::path& p) { return {slurp(p), fs::last_write_time(p)}; }

void write_text(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

TEST(CompileCommand, InputAndOutputProblemsExit74BeforeCompiling) {
  const fs::path dir = scratch_dir("compile-io");
  write_text(dir / "R_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
  write_text(dir / "R_1-.txt", "[generale]\r\n[fine]\r\n");
  fs::create_directory(dir / "Q_1-.txt");
  write_text(dir / "U_linea.txt", "[generale]\r\ncartello_indicatore, 100, \xB0 bad\r\n[fine]\r\n");
  write_text(dir / "U_1-.txt", "[generale]\r\n[fine]\r\n");
  // Valid UTF-8, but U+0100 has no Windows-1252 byte.
  write_text(dir / "V_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
  write_text(dir / "V_1-.txt", "[generale]\r\n[fermate]\r\nstazione, 0, 8, 600, \xC4\x80\r\n[fine]\r\n");

  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"compile", "Missing_linea.txt", "Missing_1-.txt"}, "Missing_linea.txt does not exist"},
      {{"compile", "R_linea.txt", "Q_1-.txt", "--route", "R", "--train", "1"}, "Q_1-.txt is a directory"},
      {{"compile", "R_linea.txt", "R_1-.txt", "--out", "nowhere"}, "nowhere"},
      {{"compile", "R_linea.txt", "R_1-.txt", "--out", "R_linea.txt"}, "not an existing directory"},
      // Not UTF-8: the line that cannot be converted is named.
      {{"compile", "U_linea.txt", "U_1-.txt", "--input-encoding", "utf-8"}, "U_linea.txt:2: error:"},
      {{"compile", "V_linea.txt", "V_1-.txt", "--input-encoding", "utf-8"}, "V_1-.txt:3: error:"},
  };
  const auto before = std::distance(fs::directory_iterator(dir), fs::directory_iterator());
  for (const auto& c : cases) {
    const ToolRun r = run_tool(c.args, dir);
    EXPECT_EQ(r.status, 74) << c.args[1] << ": " << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), before);
  fs::remove_all(dir);
}

// A line source without a general section never sizes the grid: the run
// cannot reach its output. Exactly one JSON object, with fatal "unexpected";
// the sources are as they were.
TEST(CompileCommand, NothingToWriteIsFatalAndTheSourcesStay) {
  const fs::path dir = scratch_dir("compile-fatal");
  write_text(dir / "R_linea.txt", "lunghezza percorso, 10000\r\n");
  write_text(dir / "R_1-.txt", "[generale]\r\n[fine]\r\n");
  const Snapshot line = snapshot(dir / "R_linea.txt");
  const Snapshot train = snapshot(dir / "R_1-.txt");
  const ToolRun r = run_tool({"compile", "R_linea.txt", "R_1-.txt", "--json"}, dir);
  EXPECT_EQ(r.status, 2) << r.err;
  const json j = json::parse(r.out);  // throws unless stdout is one JSON value
  EXPECT_EQ(j["fatal"], "unexpected");
  EXPECT_EQ(j["files"], json::array());
  EXPECT_TRUE(j["error_code"].is_number_integer());
  EXPECT_TRUE(j["error_position"].is_number_integer());
  EXPECT_EQ(snapshot(dir / "R_linea.txt"), line);
  EXPECT_EQ(snapshot(dir / "R_1-.txt"), train);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario::testing

namespace scenario::testing {
namespace {

class QuietPlatform : public Platform {
 public:
  void show_window() override {}
  void message_box(const std::string&) override {}
  void close_window() override {}
};

const char* const kLine = "Corvale_Mirbosco_linea.txt";
const char* const kTrain = "Corvale_Mirbosco_731-.txt";
const char* const kBinaries[] = {"Corvale_Mirbosco_linea.dat", "Corvale_Mirbosco_731.sim", "Corvale_Mirbosco_731.dat"};

// The built-in sources from `scenario init` and the one-shot run's files,
// shared by the tests below.
class BuiltInCompile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    one_shot = new fs::path(scratch_dir("one-shot"));
    QuietPlatform platform;
    std::FILE* err = std::tmpfile();
    ASSERT_EQ(Form_Load(*one_shot, platform, err), kExitClean);
    std::fclose(err);
  }
  static void TearDownTestSuite() {
    fs::remove_all(*one_shot);
    delete one_shot;
  }
  void SetUp() override {
    dir = scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    ASSERT_EQ(run_tool({"init", "src"}, dir).status, 0);
    fs::create_directory(dir / "out");
  }
  void TearDown() override { fs::remove_all(dir); }

  ToolRun compile(std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"compile", std::string("src/") + kLine, std::string("src/") + kTrain, "--out",
                                     "out"};
    args.insert(args.end(), more.begin(), more.end());
    return run_tool(args, dir);
  }

  static fs::path* one_shot;
  fs::path dir;
};
fs::path* BuiltInCompile::one_shot = nullptr;

TEST_F(BuiltInCompile, InitThenCompileGivesTheOneShotRunsFilesByteForByte) {
  const Snapshot line = snapshot(dir / "src" / kLine);
  const Snapshot train = snapshot(dir / "src" / kTrain);
  const ToolRun r = compile();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const char* name : kBinaries) EXPECT_EQ(slurp(dir / "out" / name), slurp(*one_shot / name)) << name;
  // The three documents of init are the one-shot run's too.
  for (const char* name : {"Corvale_Mirbosco_731_note.txt", "Corvale_Mirbosco_731_rallentamenti.txt",
                           "Corvale_Mirbosco_731_scheda_treno.txt"})
    EXPECT_EQ(slurp(dir / "src" / name), slurp(*one_shot / name)) << name;
  // The author's sources are untouched, and nothing else appeared beside them.
  EXPECT_EQ(snapshot(dir / "src" / kLine), line);
  EXPECT_EQ(snapshot(dir / "src" / kTrain), train);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "src"), fs::directory_iterator()), 5);
}

TEST_F(BuiltInCompile, JsonOfACleanRun) {
  const ToolRun r = compile({"--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Exactly one object, its keys in this order.
  EXPECT_EQ(r.out,
            "{\"error_code\":0,\"error_position\":0,\"fatal\":null,\"files\":[\"Corvale_Mirbosco_linea.dat\","
            "\"Corvale_Mirbosco_731.sim\",\"Corvale_Mirbosco_731.dat\"],\"diagnostics\":[]}\n");
}

// A second signal on the cell of the first is refused: code 16 at its
// position, pointing at its line; the files are still written.
TEST_F(BuiltInCompile, JsonAndStderrOfARefusedRecord) {
  std::string text = slurp(dir / "src" / kTrain);
  const size_t at = text.find("segnale,    2800,");
  ASSERT_NE(at, std::string::npos);
  const size_t end = text.find("\r\n", at) + 2;
  text.insert(end, text.substr(at, end - at));
  const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
  write_text(dir / "src" / kTrain, text);

  const ToolRun r = compile({"--json"});
  EXPECT_EQ(r.status, 1) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["error_code"], 16);
  EXPECT_EQ(j["error_position"], 2800);
  EXPECT_TRUE(j["fatal"].is_null());
  EXPECT_EQ(j["files"].size(), 3u);
  ASSERT_EQ(j["diagnostics"].size(), 1u) << j.dump();
  const json& d = j["diagnostics"][0];
  EXPECT_EQ(d["severity"], "error");
  EXPECT_EQ(d["file"], std::string("src/") + kTrain);
  EXPECT_EQ(d["line"], line);
  EXPECT_EQ(d["column"], 1);
  EXPECT_EQ(d["code"], 16);
  const std::string expected = std::string("src/") + kTrain + ":" + std::to_string(line) +
                               ":1: error: the cell of a signal is already occupied: record \"segnale\", at 2800 m "
                               "[code 16]\n";
  EXPECT_EQ(r.err.substr(0, expected.size()), expected);
  for (const char* name : kBinaries) EXPECT_TRUE(fs::exists(dir / "out" / name)) << name;
}

// A slip the format accepts raises a warning and changes no output byte.
TEST_F(BuiltInCompile, WarningsChangeNoOutputByte) {
  std::string text = slurp(dir / "src" / kTrain);
  const size_t at = text.find("[segnali]");
  ASSERT_NE(at, std::string::npos);
  text.insert(at, "[segnal]\r\n");
  write_text(dir / "src" / kTrain, text);
  const ToolRun r = compile({"--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  const json j = json::parse(r.out);
  ASSERT_EQ(j["diagnostics"].size(), 1u);
  EXPECT_EQ(j["diagnostics"][0]["severity"], "warning");
  EXPECT_TRUE(j["diagnostics"][0]["code"].is_null());
  EXPECT_NE(r.err.find(": warning: \"[segnal]\" is not a section header"), std::string::npos) << r.err;
  for (const char* name : kBinaries) EXPECT_EQ(slurp(dir / "out" / name), slurp(*one_shot / name)) << name;
}

TEST_F(BuiltInCompile, WithoutTheProfileNoLineProfileFile) {
  const ToolRun r = compile({"--no-profile", "--json"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(json::parse(r.out)["files"], json::parse("[\"Corvale_Mirbosco_731.sim\",\"Corvale_Mirbosco_731.dat\"]"));
  EXPECT_FALSE(fs::exists(dir / "out" / kBinaries[0]));
  // The curves only shape the plan: the grid and the records are the same.
  EXPECT_EQ(slurp(dir / "out" / kBinaries[1]), slurp(*one_shot / kBinaries[1]));
  EXPECT_EQ(slurp(dir / "out" / kBinaries[2]), slurp(*one_shot / kBinaries[2]));
}

// A UTF-8 source is flagged; converted, it compiles to the same bytes.
TEST_F(BuiltInCompile, Utf8SourcesAreFlaggedAndConvertedOnRequest) {
  const fs::path line = dir / "src" / kLine;
  write_text(line, cp1252_to_utf8(slurp(line)));
  const ToolRun plain = compile();
  EXPECT_EQ(plain.status, 0);
  EXPECT_NE(plain.err.find(": warning: the file looks UTF-8 encoded"), std::string::npos) << plain.err;
  EXPECT_NE(slurp(dir / "out" / kBinaries[1]), slurp(*one_shot / kBinaries[1]));

  const ToolRun converted = compile({"--input-encoding", "utf-8"});
  EXPECT_EQ(converted.status, 0) << converted.err;
  EXPECT_EQ(converted.err, "");
  for (const char* name : kBinaries) EXPECT_EQ(slurp(dir / "out" / name), slurp(*one_shot / name)) << name;
}

// A field that does not convert: code 25 at the field itself.
TEST_F(BuiltInCompile, AFieldThatDoesNotReadPointsAtTheField) {
  std::string text = slurp(dir / "src" / kTrain);
  const size_t at = text.find("numero vetture,    16");
  ASSERT_NE(at, std::string::npos);
  text.replace(at, 21, "numero vetture,    1x6");
  const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
  write_text(dir / "src" / kTrain, text);
  const ToolRun r = compile({"--json"});
  EXPECT_EQ(r.status, 1) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["error_code"], 25);
  const json& d = j["diagnostics"].back();
  EXPECT_EQ(d["code"], 25);
  EXPECT_EQ(d["line"], line);
  EXPECT_EQ(d["column"], 20);
  EXPECT_NE(d["message"].get<std::string>().find("\"1x6\" is not a whole number"), std::string::npos) << d.dump();
}

// Speed indicator boards at 0 m take track cell 1, where the marker goes:
// the final check fails and nothing is written.
TEST_F(BuiltInCompile, AFailedFinalCheckWritesNothing) {
  std::string text = slurp(dir / "src" / kLine);
  const size_t at = text.find("indicatori_vmax");
  ASSERT_NE(at, std::string::npos);
  text.insert(at, "indicatori_vmax,  0,  140,  160,  160,  2,  140,  160,  160,  2\r\n");
  write_text(dir / "src" / kLine, text);
  const ToolRun r = compile({"--json"});
  EXPECT_EQ(r.status, 2) << r.err;
  const json j = json::parse(r.out);
  EXPECT_EQ(j["fatal"], 1250);
  EXPECT_EQ(j["files"], json::array());
  EXPECT_NE(r.err.find("Errore n. 1250"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_empty(dir / "out"));
}

TEST_F(BuiltInCompile, PlotOfTheSourcesIsAValidPicture) {
  const ToolRun r =
      run_tool({"plot", std::string("src/") + kLine, std::string("src/") + kTrain, "--out", "line.svg"}, dir);
  EXPECT_EQ(r.status, 0) << r.err;
  const XmlCheck x = check_xml(slurp(dir / "line.svg"));
  EXPECT_EQ(x.error, "");
  EXPECT_EQ(x.root, "svg");
  int names = 0;
  for (const auto& t : x.texts) names += t == "Mirbosco" || t == "Corvale" ? 1 : 0;
  EXPECT_GE(names, 2);
}

}  // namespace
}  // namespace scenario::testing
