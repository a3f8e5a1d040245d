// The command line as a contract: usage errors exit 64 with a message on
// stderr and nothing on stdout; --help and --version exit 0.
#include <gtest/gtest.h>

#include "tests/tools/tool_run.h"

namespace scenario::testing {
namespace {

TEST(ToolCli, UsageErrorsExit64WithAMessage) {
  const fs::path dir = scratch_dir("usage");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"compile"},
      {"compile", "only_linea.txt"},
      {"compile", "a_linea.txt", "a_1-.txt", "--input-encoding", "latin-1"},
      {"compile", "a_linea.txt", "a_1-.txt", "--no-such-option"},
      // Names that cannot be told from the file names, or cannot be used.
      {"compile", "line.txt", "train.txt"},
      {"compile", "a_linea.txt", "b_1-.txt"},
      {"compile", "a_linea.txt", "a_1-.txt", "--route", "../elsewhere"},
      {"compile", "a_linea.txt", "a_1-.txt", "--train", ""},
      {"init"},
      {"dump"},
      {"dump", "a.sim", "b.sim"},
      {"plot", "a.dat"},
      {"plot", "--out", "x.svg"},
      {"plot", "a.dat", "b.dat", "c.dat", "--out", "x.svg"},
      {"plot", "only_source.txt", "--out", "x.svg"},
  };
  for (const auto& args : cases) {
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    const ToolRun r = run_tool(args, dir);
    EXPECT_EQ(r.status, 64) << shown << r.err;
    EXPECT_FALSE(r.err.empty()) << shown;
    EXPECT_TRUE(r.out.empty()) << shown << r.out;
  }
  // No usage error writes anything.
  EXPECT_TRUE(fs::is_empty(dir));
  fs::remove_all(dir);
}

TEST(ToolCli, HelpForTheToolAndEachCommandAndVersion) {
  const fs::path dir = scratch_dir("help");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--help"}, "Usage: scenario"}, {{"compile", "--help"}, "LINE_SOURCE"}, {{"init", "--help"}, "DIR"},
      {{"dump", "--help"}, "FILE"},    {{"plot", "--help"}, "--out"},          {{"--version"}, "scenario 1.0.0"},
  };
  for (const auto& [args, says] : cases) {
    const ToolRun r = run_tool(args, dir);
    EXPECT_EQ(r.status, 0) << args[0];
    EXPECT_NE(r.out.find(says), std::string::npos) << args[0] << ": " << r.out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario::testing
