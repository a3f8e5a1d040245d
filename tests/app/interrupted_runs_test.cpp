// The one-shot program as a user starts it, as separate processes: two runs
// started together (a double click), a run under a file size limit, and a
// run interrupted with Ctrl+C. Each copy of the program writes into its own
// directory. POSIX only: the children are limited and signalled.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "app/file_replace.h"
#include "app/run_lock.h"
#include "tests/tools/child_process.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using testing::ChildEnd;
using testing::ChildOptions;
// A fresh, empty directory for one test.
fs::path scratch_dir(const std::string& name) {
  const fs::path d = fs::temp_directory_path() / ("runs-test-" + std::to_string(getpid()) + "-" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

std::string slurp(const fs::path& p) { return read_whole_file(p).value_or(std::string()); }

constexpr const char* kLineSource = "Corvale_Mirbosco_linea.txt";
constexpr const char* kTrainSource = "Corvale_Mirbosco_731-.txt";

// The files of a run's directory: everything but the program and its lock.
std::map<std::string, std::string> run_files(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name == kLockFileName || name == "corvale_mirbosco" || name.rfind(".child-", 0) == 0) continue;
    files[name] = slurp(e.path());
  }
  return files;
}

// The names of the temporaries in a directory.
std::vector<std::string> temporaries_in(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    if (is_temporary_name(e.path().filename().string())) names.push_back(e.path().filename().string());
  return names;
}

// Every name in a directory with its size, for the message of a failure.
std::string listing(const fs::path& dir) {
  std::string out;
  for (const auto& e : fs::directory_iterator(dir))
    out += e.path().filename().string() + " (" + std::to_string(fs::file_size(e.path())) + " bytes) ";
  return out;
}

// A directory holding a copy of the program, which writes beside itself.
fs::path program_copy(const std::string& name) {
  const fs::path dir = scratch_dir(name);
  fs::copy_file(CORVALE_MIRBOSCO_EXE, dir / "corvale_mirbosco");
  return dir;
}

ChildOptions in(const fs::path& dir, const std::string& tag) {
  ChildOptions o;
  o.cwd = dir;
  o.out = dir / (".child-" + tag + ".out");
  o.err = dir / (".child-" + tag + ".err");
  return o;
}

std::map<std::string, std::string> clean_run_files() {
  const fs::path dir = program_copy("clean-run");
  const ChildEnd end = testing::run_child((dir / "corvale_mirbosco").string(), {}, in(dir, "clean"));
  EXPECT_EQ(end.status, 0) << end.err;
  auto files = run_files(dir);
  fs::remove_all(dir);
  return files;
}

// Both runs of a pair write, read and delete the same source texts; the
// second waits for the first, so both end clean with the files of a clean
// run, and nothing else is left.
TEST(InterruptedRuns, TwoRunsStartedTogetherBothEndWithTheFilesOfACleanRun) {
  const auto clean = clean_run_files();
  ASSERT_EQ(clean.size(), 6u);
  for (int pair = 0; pair < 20; ++pair) {
    const fs::path dir = program_copy("pair");
    const std::string exe = (dir / "corvale_mirbosco").string();
    const pid_t first = testing::start_child(exe, {}, in(dir, "first"));
    const pid_t second = testing::start_child(exe, {}, in(dir, "second"));
    const ChildEnd a = testing::wait_child(first, in(dir, "first"));
    const ChildEnd b = testing::wait_child(second, in(dir, "second"));
    EXPECT_EQ(a.status, 0) << "pair " << pair << ": " << a.err;
    EXPECT_EQ(b.status, 0) << "pair " << pair << ": " << b.err;
    EXPECT_TRUE(run_files(dir) == clean) << "pair " << pair;
    fs::remove_all(dir);
  }
}

// With a file size limit of 1 MB the documents fit and the line profile file
// does not: the program is not killed by the limit but reports the file
// (status 3), the earlier binary files stay, and no temporary or source
// text is left.
TEST(InterruptedRuns, AFileSizeLimitIsAWriteFailureNotAKill) {
  const fs::path dir = program_copy("size-limit");
  for (const char* binary : {"Corvale_Mirbosco_linea.dat", "Corvale_Mirbosco_731.sim", "Corvale_Mirbosco_731.dat"})
    std::ofstream(dir / binary, std::ios::binary) << "earlier " << binary;
  ChildOptions o = in(dir, "limited");
  o.file_size_limit = 1000000;
  const ChildEnd end = testing::run_child((dir / "corvale_mirbosco").string(), {}, o);
  EXPECT_EQ(end.signal, 0) << "killed by signal " << end.signal;
  EXPECT_EQ(end.status, 3) << end.err;
  EXPECT_NE(end.err.find("cannot write " + (dir / "Corvale_Mirbosco_linea.dat").string() + ": File too large"),
            std::string::npos)
      << end.err;
  const auto files = run_files(dir);
  EXPECT_EQ(files.size(), 6u);
  EXPECT_EQ(files.count(kLineSource) + files.count(kTrainSource), 0u);
  EXPECT_TRUE(temporaries_in(dir).empty()) << listing(dir);
  EXPECT_EQ(files.at("Corvale_Mirbosco_731.sim"), "earlier Corvale_Mirbosco_731.sim");
  fs::remove_all(dir);
}

// Ctrl+C at any moment of a run: the run either finished (status 0) or ends
// by the interruption, and it leaves neither a temporary nor a source text.
// The moments spread over one and a half times the length of a whole run.
TEST(InterruptedRuns, CtrlCLeavesNoTemporaryAndNoSourceText) {
  const fs::path dir = program_copy("ctrl-c");
  const std::string exe = (dir / "corvale_mirbosco").string();
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(testing::run_child(exe, {}, in(dir, "whole")).status, 0);
  const auto whole = std::chrono::steady_clock::now() - started;
  std::mt19937 random(20240);
  int interrupted = 0;
  for (int i = 0; i < 25; ++i) {
    const auto moment = std::chrono::duration_cast<std::chrono::microseconds>(whole) *
                        std::uniform_real_distribution<double>(0.0, 1.5)(random);
    const pid_t child = testing::start_child(exe, {}, in(dir, "interrupted"));
    std::this_thread::sleep_for(moment);
    kill(child, SIGINT);
    const ChildEnd end = testing::wait_child(child, in(dir, "interrupted"));
    EXPECT_TRUE(end.status == 0 || end.signal == SIGINT) << end.status << " " << end.signal << " " << end.err;
    interrupted += end.signal == SIGINT;
    EXPECT_TRUE(temporaries_in(dir).empty())
        << "interruption " << i << " at " << moment.count() << " us: " << listing(dir) << end.err;
    EXPECT_FALSE(fs::exists(dir / kLineSource)) << "interruption " << i;
    EXPECT_FALSE(fs::exists(dir / kTrainSource)) << "interruption " << i;
  }
  std::printf("%d of 25 runs were interrupted before their end\n", interrupted);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario
