// scenario compile writing its three files as one set into an output
// directory that other compiles write into at the same time, or while it is
// killed, interrupted or limited in file size. The set in the directory is
// always whole: all of one compile or all of another, never a mix, never a
// half-written file, and nothing a later run trips over. POSIX only: the
// children are limited and signalled.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>

#include "app/file_replace.h"
#include "app/run_lock.h"
#include "app/run_sequence.h"
#include "tests/tools/child_process.h"
#include "tests/tools/tool_run.h"

namespace scenario::testing {
namespace {

using Set = std::map<std::string, std::string>;

// The output files in dir; the lock file, temporaries (counted apart) and
// the children's output aside.
Set output_set(const fs::path& dir) {
  Set files;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name == kLockFileName || is_temporary_name(name) || name.rfind(".child-", 0) == 0) continue;
    files[name] = slurp(e.path());
  }
  return files;
}

size_t temporaries_in(const fs::path& dir) {
  size_t n = 0;
  for (const auto& e : fs::directory_iterator(dir)) n += is_temporary_name(e.path().filename().string());
  return n;
}

void write_bytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

// Two pairs of sources that compile clean into files of the same names
// (R_linea.dat, R_1.sim, R_1.dat) and different bytes: the built-in scenario
// and a short plain line.
class OutputSet : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = scratch_dir(std::string("set-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_ / "a");
    fs::create_directories(dir_ / "b");
    const auto texts = builtin_run_texts(kRouteName, kTrainNumber);
    write_bytes(dir_ / "a" / "R_linea.txt", texts[0].bytes);
    write_bytes(dir_ / "a" / "R_1-.txt", texts[1].bytes);
    write_bytes(dir_ / "b" / "R_linea.txt",
                "[generale]\r\nlunghezza percorso, 30000\r\n[pendenze]\r\npendenza, 0, 2\r\n[fine]\r\n");
    write_bytes(dir_ / "b" / "R_1-.txt", "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 80\r\n[fine]\r\n");
    set_a_ = reference("a");
    set_b_ = reference("b");
    ASSERT_EQ(set_a_.size(), 3u);
    ASSERT_EQ(set_b_.size(), 3u);
    for (const auto& [name, bytes] : set_a_) ASSERT_NE(bytes, set_b_.at(name)) << name;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::string> compile(const std::string& which, const std::string& out) const {
    return {"compile", which + "/R_linea.txt", which + "/R_1-.txt", "--out", out};
  }
  ChildOptions options(const std::string& tag) const {
    ChildOptions o;
    o.cwd = dir_;
    o.out = dir_ / (".child-" + tag + ".out");
    o.err = dir_ / (".child-" + tag + ".err");
    return o;
  }
  Set reference(const std::string& which) {
    fs::create_directories(dir_ / ("ref-" + which));
    const ChildEnd end = run_child(SCENARIO_EXE, compile(which, "ref-" + which), options("ref"));
    EXPECT_EQ(end.status, 0) << end.err;
    return output_set(dir_ / ("ref-" + which));
  }
  bool is_one_set(const Set& s) const { return s == set_a_ || s == set_b_; }
  // Which compile each file of s comes from, for a failure message.
  std::string describe(const Set& s) const {
    std::string d;
    for (const auto& [name, bytes] : s)
      d += name + (bytes == set_a_.at(name) ? " from a; " : bytes == set_b_.at(name) ? " from b; " : " from neither; ");
    return d;
  }

  fs::path dir_;
  Set set_a_, set_b_;
};

// Two compiles of different sources into one directory at once: both end
// clean, and the directory holds the whole set of one of them.
TEST_F(OutputSet, TwoCompilesAtOnceLeaveTheWholeSetOfOne) {
  int a_last = 0;
  for (int pair = 0; pair < 20; ++pair) {
    const fs::path out = dir_ / "out";
    fs::remove_all(out);
    fs::create_directories(out);
    const pid_t a = start_child(SCENARIO_EXE, compile("a", "out"), options("a"));
    const pid_t b = start_child(SCENARIO_EXE, compile("b", "out"), options("b"));
    const ChildEnd end_a = wait_child(a, options("a"));
    const ChildEnd end_b = wait_child(b, options("b"));
    EXPECT_EQ(end_a.status, 0) << end_a.err;
    EXPECT_EQ(end_b.status, 0) << end_b.err;
    const Set s = output_set(out);
    EXPECT_TRUE(is_one_set(s)) << "pair " << pair << " left a mixed or torn set";
    a_last += s == set_a_;
  }
  std::printf("the first compile's set was left %d times of 20\n", a_last);
}

// A compile killed at any moment, or interrupted with Ctrl+C, leaves the set
// that was there or the whole new one. A killed run may leave a temporary;
// the next run clears it and ends clean. An interrupted one leaves none of
// its own.
TEST_F(OutputSet, AKilledOrInterruptedCompileLeavesOneWholeSet) {
  const fs::path out = dir_ / "out";
  fs::create_directories(out);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(run_child(SCENARIO_EXE, compile("a", "out"), options("first")).status, 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  std::mt19937 random(731);
  int left_temporaries = 0, replaced = 0;
  for (int i = 0; i < 30; ++i) {
    const int sig = i % 2 == 0 ? SIGKILL : SIGINT;
    const Set before = output_set(out);
    const size_t temporaries_before = temporaries_in(out);
    const pid_t child = start_child(SCENARIO_EXE, compile(before == set_a_ ? "b" : "a", "out"), options("killed"));
    std::this_thread::sleep_for(whole * std::uniform_real_distribution<double>(0.0, 1.2)(random));
    kill(child, sig);
    const ChildEnd end = wait_child(child, options("killed"));
    EXPECT_TRUE(end.status == 0 || end.signal == sig) << end.status << " " << end.signal << " " << end.err;
    const Set after = output_set(out);
    EXPECT_TRUE(after == before || is_one_set(after))
        << "run " << i << " left a mixed or torn set: " << describe(after);
    replaced += after != before;
    const size_t temporaries = temporaries_in(out);
    // An interrupted run removes its own; those of a killed one before it
    // stay until a run takes the lock.
    if (sig == SIGINT) {
      EXPECT_LE(temporaries, temporaries_before) << "run " << i;
    }
    left_temporaries += temporaries > 0;
  }
  std::printf("%d of 30 runs replaced the set; %d killed runs left a temporary\n", replaced, left_temporaries);

  const ChildEnd next = run_child(SCENARIO_EXE, compile("b", "out"), options("next"));
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_EQ(output_set(out), set_b_);
  EXPECT_EQ(temporaries_in(out), 0u);
}

// A file size limit (ulimit -f) that the track file of the short line fits
// and its line profile file does not: the tool is not killed by the limit
// but reports the file with status 74; the earlier set stays whole, nothing
// is listed as written and no temporary is left.
TEST_F(OutputSet, AFileSizeLimitIsAWriteFailureNotAKill) {
  const fs::path out = dir_ / "out";
  fs::create_directories(out);
  ASSERT_EQ(run_child(SCENARIO_EXE, compile("a", "out"), options("first")).status, 0);
  ChildOptions o = options("limited");
  o.file_size_limit = 40000;
  std::vector<std::string> args = compile("b", "out");
  args.push_back("--json");
  const ChildEnd end = run_child(SCENARIO_EXE, args, o);
  EXPECT_EQ(end.signal, 0) << "killed by signal " << end.signal;
  EXPECT_EQ(end.status, 74) << end.err;
  EXPECT_NE(end.err.find("cannot write out/R_linea.dat: File too large"), std::string::npos) << end.err;
  EXPECT_NE(end.out.find("\"files\":[]"), std::string::npos) << end.out;
  EXPECT_EQ(output_set(out), set_a_);
  EXPECT_EQ(temporaries_in(out), 0u);
}

// The temporaries' names do not grow with the output's: a route name that
// makes the longest output name 255 bytes, as long as a name can be, still
// compiles.
TEST_F(OutputSet, TheLongestOutputNameStillFits) {
  const std::string route(245, 'r');
  fs::create_directories(dir_ / "long");
  const ChildEnd end = run_child(
      SCENARIO_EXE, {"compile", "b/R_linea.txt", "b/R_1-.txt", "--route", route, "--train", "1", "--out", "long"},
      options("long"));
  EXPECT_EQ(end.status, 0) << end.err;
  const Set s = output_set(dir_ / "long");
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s.at(route + "_linea.dat"), set_b_.at("R_linea.dat"));
  EXPECT_EQ(temporaries_in(dir_ / "long"), 0u);
}

}  // namespace
}  // namespace scenario::testing
