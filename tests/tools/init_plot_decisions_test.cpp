// Two decisions of the authoring tool (docs/decisions.md): `init` never
// overwrites an author's changed file unless told to, and `plot` draws the
// model of sources that record an error as it stands.
#include <gtest/gtest.h>

#include <fstream>
#include <system_error>

#include "tests/tools/tool_run.h"

namespace scenario::testing {
namespace {

void write_text(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

TEST(InitDecision, SameBytesAreWrittenAgainChangedOnesOnlyWithForce) {
  const fs::path dir = scratch_dir("init-decision");
  ASSERT_EQ(run_tool({"init", "d"}, dir).status, 0);
  const fs::path note = dir / "d" / "Corvale_Mirbosco_731_note.txt";
  const std::string built_in = slurp(note);
  EXPECT_EQ(run_tool({"init", "d"}, dir).status, 0) << "the same bytes again";

  write_text(note, built_in + "an author's line\r\n");
  const fs::path line = dir / "d" / "Corvale_Mirbosco_linea.txt";
  fs::remove(line);
  const ToolRun refused = run_tool({"init", "d"}, dir);
  EXPECT_EQ(refused.status, 73);
  EXPECT_NE(refused.err.find("Corvale_Mirbosco_731_note.txt"), std::string::npos) << refused.err;
  EXPECT_EQ(slurp(note), built_in + "an author's line\r\n");
  EXPECT_FALSE(fs::exists(line)) << "nothing is written when one file is refused";

  EXPECT_EQ(run_tool({"init", "d", "--force"}, dir).status, 0);
  EXPECT_EQ(slurp(note), built_in);
  EXPECT_TRUE(fs::exists(line));
  fs::remove_all(dir);
}

// The reason given is the one the creation failed with, not the "No such
// file or directory" of the look that follows it.
TEST(InitDecision, ADirectoryThatCannotBeMadeIsNamedWithTheReasonOfTheFailure) {
  const fs::path dir = scratch_dir("init-reason");
  write_text(dir / "f", "an author's file\r\n");
  fs::create_directory(dir / "locked");
  fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const std::string not_a_directory = std::make_error_code(std::errc::not_a_directory).message();
  struct Case {
    const char* target;
    std::string reason;
    bool needs_permissions;  // meaningless where permissions do not bind (as root, or on Windows)
  };
  const Case cases[] = {
      {"f", not_a_directory, false},
      {"f/sub", not_a_directory, false},
      {"locked/new", std::make_error_code(std::errc::permission_denied).message(), true},
  };
#ifdef _WIN32
  const bool permissions_bind = false;
#else
  const bool permissions_bind = geteuid() != 0;
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    if (c.needs_permissions && !permissions_bind) continue;
    const ToolRun r = run_tool({"init", c.target}, dir);
    EXPECT_EQ(r.status, 74);
#ifdef _WIN32
    EXPECT_EQ(r.err.find("No such file"), std::string::npos) << r.err;
#else
    EXPECT_NE(r.err.find(std::string("cannot create the directory ") + c.target + ": " + c.reason + "\n"),
              std::string::npos)
        << r.err;
#endif
  }
  EXPECT_EQ(slurp(dir / "f"), "an author's file\r\n");
  fs::permissions(dir / "locked", fs::perms::owner_all);
  fs::remove_all(dir);
}

TEST(PlotDecision, SourcesThatRecordAnErrorAreDrawnAsTheyStand) {
  const fs::path dir = scratch_dir("plot-decision");
  const std::string general = "[generale]\r\nlunghezza percorso, 10000\r\n";
  const std::string no_train = "[generale]\r\n[fine]\r\n";
  write_text(dir / "S_linea.txt", general + "[fine]\r\n");
  write_text(dir / "S_1-.txt",
             "[generale]\r\nsegnale, 2800, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0\r\n"
             "segnale, 2800, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n");
  write_text(dir / "F_linea.txt",
             general + "[indicazioni]\r\nindicatori_vmax, 0, 110, 115, 120, 0, , , , 0\r\n[fine]\r\n");
  write_text(dir / "F_1-.txt", no_train);
  write_text(dir / "N_linea.txt", "lunghezza percorso, 10000\r\n");
  write_text(dir / "N_1-.txt", no_train);

  struct Case {
    const char* route;
    int status;
    bool drawn;
    const char* says;
  };
  const Case cases[] = {
      {"S", 1, true, "[code 16]"},    // a refused record
      {"F", 1, true, "[code 1250]"},  // a failed final check
      {"N", 2, false, "[code 102]"},  // no track grid: nothing to draw
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.route);
    const std::string r = c.route;
    const ToolRun run = run_tool({"plot", r + "_linea.txt", r + "_1-.txt", "--out", r + ".svg"}, dir);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    EXPECT_EQ(fs::exists(dir / (r + ".svg")), c.drawn);
    if (c.drawn) {
      EXPECT_NE(slurp(dir / (r + ".svg")).find("<svg"), std::string::npos);
    }
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario::testing
