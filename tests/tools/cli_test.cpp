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

// A usage error quotes the arguments, from the command-line parser or from
// the tool itself, without passing on a byte that a terminal acts on.
TEST(ToolCli, UsageErrorsShowArgumentsWithoutTheirControlBytes) {
#ifdef _WIN32
  GTEST_SKIP() << "the command interpreter passes arguments through the console code page";
#else
  const fs::path dir = scratch_dir("usage-bytes");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"compile", "a_linea.txt", "a_1-.txt", "--no-such\x1B[2J"}, "--no-such\\x1B[2J"},
      {{"compile", "a_linea.txt", "a_1-.txt", "--input-encoding", "\x1B]0;title\x07"}, "\\x1B]0;title\\x07"},
      {{"compile", "a_linea.txt", "a_1-.txt", "--train", "1", "--route", "Corval\xC3\xA8\x1B[2J"},
       "\"Corval\xC3\xA8\\x1B[2J\""},
      {{"compile", "a_linea.txt", "a_1-.txt", "--train",
        "\x9B"
        "2J"},
       "\"\xE2\x80\xBA"
       "2J\""},
      {{"compile", "a_linea.txt", "a_linea-.txt"}, "would be one file"},
  };
  for (const auto& [args, shown] : cases) {
    SCOPED_TRACE(args.back());
    const ToolRun r = run_tool(args, dir);
    EXPECT_EQ(r.status, 64) << r.err;
    EXPECT_NE(r.err.find(shown), std::string::npos) << r.err;
    for (size_t i = 0; i < r.err.size(); ++i) {
      const auto b = static_cast<unsigned char>(r.err[i]);
      EXPECT_TRUE(b == '\n' || (b >= 0x20 && b != 0x7F)) << "byte " << i << " of " << r.err;
      if (b == 0xC2 && i + 1 < r.err.size()) {
        EXPECT_GE(static_cast<unsigned char>(r.err[i + 1]), 0xA0) << "a C1 control at byte " << i << " of " << r.err;
      }
    }
  }
  EXPECT_TRUE(fs::is_empty(dir));
  fs::remove_all(dir);
#endif
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
