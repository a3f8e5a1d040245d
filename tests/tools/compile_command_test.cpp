// scenario compile, run as an author runs it: exit statuses, the JSON object
// on stdout, diagnostics on stderr, and the author's files left alone.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/tool_run.h"

namespace scenario::testing {
namespace {

using nlohmann::json;

struct Snapshot {
  std::string bytes;
  fs::file_time_type mtime;
  bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const fs::path& p) { return {slurp(p), fs::last_write_time(p)}; }

void write_text(const fs::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

TEST(CompileCommand, InputAndOutputProblemsExit74BeforeCompiling) {
  const fs::path dir = scratch_dir("compile-io");
  write_text(dir / "R_linea.txt", "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
  write_text(dir / "R_1-.txt", "[generale]\r\n[fine]\r\n");
  fs::create_directory(dir / "Q_1-.txt");
  write_text(dir / "U_linea.txt", "[generale]\r\ncartello_indicatore, 100, \xB0 bad\r\n[fine]\r\n");
  write_text(dir / "U_1-.txt", "[generale]\r\n[fine]\r\n");

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
