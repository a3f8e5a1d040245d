// Files from outside that are not what their names promise: far larger than
// any file of their kind, named pipes, scenario files whose texts name other
// paths, and outputs that are one of the inputs. The tool must answer each at
// once with a message, and never read or write a file it was not given.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/run_sequence.h"
#include "output/decoders.h"
#include "output/encoders.h"
#include "scenario/dati.h"
#include "tests/tools/sample_scenario.h"
#include "tests/tools/tool_run.h"
#include "tools/dump_command.h"
#include "tools/file_limits.h"

namespace scenario::tool {
namespace {

using scenario::testing::run_tool;
using scenario::testing::RunBounds;
using scenario::testing::scratch_dir;
using scenario::testing::slurp;
using scenario::testing::write_bytes;
namespace fs = std::filesystem;

// Long enough for any refusal; a tool that waits on a pipe is ended.
constexpr RunBounds kBounded{30, 0};

constexpr uint64_t kEightGiB = uint64_t{8} << 30;

void write_builtin_sources(const fs::path& dir, const std::string& route, const std::string& train) {
  write_bytes(dir / (route + "_linea.txt"), dati_linea(kRouteName).bytes);
  write_bytes(dir / (route + "_" + train + "-.txt"), dati_treno(kRouteName, kTrainNumber).bytes);
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The largest file of each kind that the longest route can give is read and
// decodes; the size limits are those of the layouts, not guesses.
TEST(HostileFiles, TheLargestFileOfEachKindIsReadAndDecodes) {
  const fs::path dir = scratch_dir("largest");
  TrackGrid grid(static_cast<size_t>(grid_end_for(kMaxRouteLength)) + 1);
  ScenarioTable table{};
  for (auto& r : table) r.text.assign(kMaxTextBytes, 'x');
  LineProfile profile(kMaxRouteLength + kGridMargin);
  for (int32_t m = 0; m <= kMaxRouteLength + kGridMargin; ++m)
    for (int axis : {0, 1}) profile.set_double(m, axis, m * 0.5);

  struct Case {
    std::string name;
    std::string bytes;
    uint64_t largest;
    uint64_t limit;  // of the name: a ".dat" file may also be a line profile
  };
  const Case cases[] = {
      {"Longest_1.dat", encode_track_file(grid), largest_track_file(), largest_profile_file()},
      {"Longest_1.sim", encode_scenario_file(table), largest_scenario_file(), largest_scenario_file()},
      {"Longest_linea.dat", encode_profile_file(profile), largest_profile_file(), largest_profile_file()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.bytes.size(), c.largest);
    const std::string path = (dir / c.name).string();
    write_bytes(path, c.bytes);
    const FileBytes read = read_binary_file(path);
    ASSERT_TRUE(read.bytes) << read.problem;
    EXPECT_TRUE(decode_binary_file(path, *read.bytes).file);

    // One byte over the limit of the name is refused unread, with the limit
    // in the message.
    write_bytes(path, c.bytes + std::string(c.limit + 1 - c.bytes.size(), '\0'));
    const FileBytes over = read_binary_file(path);
    EXPECT_FALSE(over.bytes);
    EXPECT_TRUE(contains(over.problem, "is " + std::to_string(c.limit + 1) + " bytes, more than the " +
                                           std::to_string(c.limit) + " bytes that "))
        << over.problem;
  }
  fs::remove_all(dir);
}

#ifndef _WIN32

std::string joined(const std::vector<std::string>& args) {
  std::string s;
  for (const auto& a : args) s += a + " ";
  return s;
}

// A sparse file of 8 GiB costs no disk. False when the file system refuses.
bool make_sparse(const fs::path& p, uint64_t size) {
  write_bytes(p, "");
  std::error_code ec;
  fs::resize_file(p, size, ec);
  return !ec;
}

// Every command refuses a huge file from its size, at once, without reading
// it and without running out of memory.
TEST(HostileFiles, HugeFilesAreRefusedFromTheirSize) {
  const fs::path dir = scratch_dir("huge");
  write_builtin_sources(dir, "R", "1");
  if (!make_sparse(dir / "big.sim", kEightGiB)) GTEST_SKIP() << "the file system refuses a sparse 8 GiB file";
  for (const char* name : {"big.dat", "big_linea.dat", "big.bin", "Big_linea.txt", "Big_1-.txt"})
    ASSERT_TRUE(make_sparse(dir / name, kEightGiB));
  const std::string huge = "is " + std::to_string(kEightGiB) + " bytes, more than the ";

  struct Case {
    std::vector<std::string> args;
    std::string limit;  // the number of bytes the message names
  };
  const std::string dat = std::to_string(largest_profile_file());
  const std::string source = std::to_string(kLargestSourceFile);
  const Case cases[] = {
      {{"dump", "big.sim"}, std::to_string(largest_scenario_file())},
      {{"dump", "big.dat"}, dat},
      {{"dump", "big_linea.dat"}, dat},
      {{"dump", "big.bin"}, dat},
      {{"plot", "big.dat", "--out", "p.svg"}, dat},
      {{"plot", "R_1.dat", "big.dat", "--out", "p.svg"}, dat},
      {{"compile", "Big_linea.txt", "R_1-.txt", "--train", "1"}, source},
      {{"compile", "R_linea.txt", "Big_1-.txt", "--route", "R", "--train", "1"}, source},
      {{"plot", "Big_linea.txt", "Big_1-.txt", "--out", "p.svg"}, source},
  };
  // A track file to plot with the huge profile.
  write_bytes(dir / "R_1.dat", std::string(kTrackCellBytes * 400, '\0'));
  for (const Case& c : cases) {
    SCOPED_TRACE(joined(c.args));
    const auto r = run_tool(c.args, dir, kBounded);
    EXPECT_EQ(r.status, 74) << r.err;
    EXPECT_TRUE(contains(r.err, huge + c.limit + " bytes")) << r.err;
    EXPECT_FALSE(fs::exists(dir / "p.svg"));
    EXPECT_FALSE(fs::exists(dir / "R_1.sim"));
  }

  // init compares an existing file with its text: a huge one differs unread.
  const fs::path work = dir / "init";
  fs::create_directories(work);
  ASSERT_TRUE(make_sparse(work / "Corvale_Mirbosco_linea.txt", kEightGiB));
  const auto r = run_tool({"init", "init"}, dir, kBounded);
  EXPECT_EQ(r.status, 73) << r.err;
  EXPECT_TRUE(contains(r.err, "Corvale_Mirbosco_linea.txt exists with other content")) << r.err;
  fs::remove_all(dir);
}

// A named pipe in a file's place is refused at once: opening it never waits
// for a writer, and what was opened is checked before a byte is read.
TEST(HostileFiles, NamedPipesAreRefusedAtOnce) {
  const fs::path dir = scratch_dir("pipes");
  write_builtin_sources(dir, "R", "1");
  const auto r0 = run_tool({"compile", "R_linea.txt", "R_1-.txt"}, dir);
  ASSERT_EQ(r0.status, 0) << r0.err;
  for (const char* name : {"pipe.sim", "pipe.dat", "Pipe_linea.txt", "Pipe_1-.txt", "Pipe_linea.dat"})
    ASSERT_EQ(mkfifo((dir / name).c_str(), 0600), 0) << name;
  const std::string refusal = "is a named pipe, not an ordinary file";

  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"dump", "pipe.sim"}, 74},
      {{"dump", "pipe.dat"}, 74},
      {{"plot", "pipe.dat", "--out", "p.svg"}, 74},
      {{"plot", "R_1.dat", "Pipe_linea.dat", "--out", "p.svg"}, 74},
      {{"compile", "Pipe_linea.txt", "R_1-.txt", "--train", "1", "--out", "out"}, 74},
      {{"compile", "R_linea.txt", "Pipe_1-.txt", "--route", "R", "--train", "1", "--out", "out"}, 74},
      {{"plot", "Pipe_linea.txt", "Pipe_1-.txt", "--out", "p.svg"}, 74},
  };
  fs::create_directories(dir / "out");
  for (const Case& c : cases) {
    SCOPED_TRACE(joined(c.args));
    const auto r = run_tool(c.args, dir, kBounded);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_TRUE(contains(r.err, refusal)) << r.err;
    EXPECT_FALSE(fs::exists(dir / "p.svg"));
    EXPECT_TRUE(fs::is_empty(dir / "out"));
  }

  // A pipe where a file beside the track file would be is passed over: the
  // picture is drawn without it.
  fs::remove(dir / "R_1.sim");
  fs::remove(dir / "R_linea.dat");
  ASSERT_EQ(mkfifo((dir / "R_1.sim").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((dir / "R_linea.dat").c_str(), 0600), 0);
  auto r = run_tool({"plot", "R_1.dat", "--out", "p.svg"}, dir, kBounded);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "no scenario file (.sim) beside R_1.dat")) << r.err;
  EXPECT_TRUE(contains(r.err, "no line profile file")) << r.err;
  r = run_tool({"dump", "R_1.dat"}, dir, kBounded);
  EXPECT_EQ(r.status, 0) << r.err;

  // init takes a pipe for a file with other content.
  fs::create_directories(dir / "init");
  ASSERT_EQ(mkfifo((dir / "init" / "Corvale_Mirbosco_731_note.txt").c_str(), 0600), 0);
  r = run_tool({"init", "init"}, dir, kBounded);
  EXPECT_EQ(r.status, 73) << r.err;
  fs::remove_all(dir);
}

// Memory that runs out while a file is read is an input/output error with a
// message, never an abort. The address-space limit cannot work with the
// sanitizers' shadow memory.
TEST(HostileFiles, MemoryThatRunsOutIsAnInputOutputError) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "an address-space limit cannot hold the address sanitizer's shadow memory";
#else
  const fs::path dir = scratch_dir("memory");
  write_builtin_sources(dir, "R", "1");
  // Within the size limit, but more than the child's address space.
  if (!make_sparse(dir / "Big_linea.txt", kLargestSourceFile - 1)) GTEST_SKIP() << "no sparse file here";
  const auto r = run_tool({"compile", "Big_linea.txt", "R_1-.txt", "--train", "1"}, dir, RunBounds{30, 48 * 1024});
  EXPECT_EQ(r.status, 74) << r.err;
  EXPECT_TRUE(contains(r.err, "Big_linea.txt cannot be read: there is not enough memory to hold it")) << r.err;
  fs::remove_all(dir);
#endif
}

#else

TEST(HostileFiles, HugeFilesAreRefusedFromTheirSize) {
  GTEST_SKIP() << "sparse files of gigabytes are a POSIX file system's";
}
TEST(HostileFiles, NamedPipesAreRefusedAtOnce) { GTEST_SKIP() << "named pipes in the file system are POSIX"; }
TEST(HostileFiles, MemoryThatRunsOutIsAnInputOutputError) {
  GTEST_SKIP() << "the address-space limit is set through a POSIX shell";
}

#endif

// The files beside a track file are found by the track file's own name: a
// route text naming another directory, or an absolute path, is not followed.
TEST(HostileFiles, FilesBesideATrackFileComeFromItsName) {
  const fs::path dir = scratch_dir("beside");
  fs::create_directories(dir / "a");
  fs::create_directories(dir / "b");
  RouteModel m = scenario::testing::sample_model();
  const FileNames n = scenario::testing::write_sample_files(m, dir / "a");
  write_bytes(dir / "b" / "Evil_linea.dat", slurp(dir / "a" / n.line_profile));
  const std::string profile = slurp(dir / "a" / n.line_profile);
  fs::remove(dir / "a" / n.line_profile);

  for (const std::string& route : {std::string("../b/Evil"), (dir / "b" / "Evil").string()}) {
    SCOPED_TRACE(route);
    m.table[record::kRoute].text = route;
    write_bytes(dir / "a" / n.scenario_file, encode_scenario_file(m.table));
    const auto r = run_tool({"plot", "a/" + n.track_file, "--out", "p.svg"}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, "no line profile file")) << r.err;
  }

  // The profile named after the track file is found whatever the route text.
  write_bytes(dir / "a" / n.line_profile, profile);
  auto r = run_tool({"plot", "a/" + n.track_file, "--out", "p.svg"}, dir);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(contains(r.err, "no line profile file")) << r.err;

  // A track file whose name has no route part has no profile beside it.
  fs::copy_file(dir / "a" / n.track_file, dir / "a" / "track.dat");
  r = run_tool({"plot", "a/track.dat", "--out", "p.svg"}, dir);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(contains(r.err, "no line profile file")) << r.err;
  fs::remove_all(dir);
}

// An output that is one of the command's inputs, by any name, is refused as a
// usage error naming both, and the input is left as it was.
TEST(HostileFiles, AnOutputThatIsAnInputIsRefused) {
  const fs::path dir = scratch_dir("clash");
  struct Case {
    std::string what;
    std::function<bool(const fs::path&)> prepare;  // false: this file system cannot make the case
    std::vector<std::string> args;
    std::string victim;  // the input that must stay unchanged
    int status;
  };
  const auto link = [](const char* target, const char* name, bool symbolic) {
    return [=](const fs::path& d) {
      std::error_code ec;
      fs::remove(d / name, ec);
      if (symbolic)
        fs::create_symlink(target, d / name, ec);
      else
        fs::create_hard_link(d / target, d / name, ec);
      return !ec;
    };
  };
  const auto nothing = [](const fs::path&) { return true; };
  const auto sources_in_out = [](const fs::path& d) {
    fs::create_directories(d / "out");
    fs::rename(d / "R_linea.txt", d / "out" / "X_linea.dat");
    fs::rename(d / "R_1-.txt", d / "out" / "X_731.sim");
    return true;
  };
  const auto line_in_out = [](const fs::path& d) {
    fs::create_directories(d / "out");
    fs::rename(d / "R_linea.txt", d / "out" / "X_linea.dat");
    return true;
  };
  const Case cases[] = {
      {"plot over its train source", nothing, {"plot", "R_linea.txt", "R_1-.txt", "--out", "R_1-.txt"}, "R_1-.txt", 64},
      {"plot over ./ its line source",
       nothing,
       {"plot", "R_linea.txt", "R_1-.txt", "--out", "./R_linea.txt"},
       "R_linea.txt",
       64},
      {"plot through a symbolic link",
       link("R_1-.txt", "link.svg", true),
       {"plot", "R_linea.txt", "R_1-.txt", "--out", "link.svg"},
       "R_1-.txt",
       64},
      {"plot through a hard link",
       link("R_1-.txt", "hard.svg", false),
       {"plot", "R_linea.txt", "R_1-.txt", "--out", "hard.svg"},
       "R_1-.txt",
       64},
      {"plot over the scenario file beside the track file",
       nothing,
       {"plot", "R_1.dat", "--out", "R_1.sim"},
       "R_1.sim",
       64},
      {"plot over the given track file", nothing, {"plot", "R_1.dat", "--out", "sub/../R_1.dat"}, "R_1.dat", 64},
      {"compile sources carrying output names",
       sources_in_out,
       {"compile", "out/X_linea.dat", "out/X_731.sim", "--route", "X", "--train", "731", "--out", "out"},
       "out/X_731.sim",
       64},
      {"compile over a hard link of a source",
       link("R_1-.txt", "R_1.dat", false),
       {"compile", "R_linea.txt", "R_1-.txt"},
       "R_1-.txt",
       64},
      // Without a profile the line profile file is not written: no clash.
      {"compile --no-profile from a source named as the profile",
       line_in_out,
       {"compile", "out/X_linea.dat", "R_1-.txt", "--route", "X", "--train", "731", "--out", "out", "--no-profile"},
       "out/X_linea.dat",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir);
    fs::create_directories(dir / "sub");
    write_builtin_sources(dir, "R", "1");
    ASSERT_EQ(run_tool({"compile", "R_linea.txt", "R_1-.txt"}, dir).status, 0);
    if (!c.prepare(dir)) {
      std::printf("skipped: %s: the file system cannot make the link\n", c.what.c_str());
      continue;
    }
    const std::string before = slurp(dir / c.victim);
    ASSERT_FALSE(before.empty());
    const auto r = run_tool(c.args, dir);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.status == 64) {
      EXPECT_TRUE(contains(r.err, "is the same file as")) << r.err;
    }
    EXPECT_EQ(slurp(dir / c.victim), before);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario::tool
