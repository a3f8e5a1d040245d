#include "app/run_sequence.h"
#include "app/disk_sources.h"
#include "app/run_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace scenario {
namespace {

namespace fs = std::filesystem;

class RecordingPlatform : public Platform {
 public:
  void show_window() override { ++shown; }
  void message_box(const std::string& text) override { boxes.push_back(text); }
  void close_window() override {}
  int shown = 0;
  std::vector<std::string> boxes;
};

fs::path scratch(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("run-test-" + std::to_string(getpid()) + "-" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

// The first thing the run puts in its directory is its lock file: a
// directory that cannot hold it stops the run there, with the window shown.
TEST(RunSequence, UnwritableDirectoryStopsAtTheLockWithStatus3) {
  const fs::path d = scratch("unwritable");
  std::ofstream(d / "plain") << "x";
  RecordingPlatform platform;
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(Form_Load(d / "plain", platform, err), kExitUnexpected);
  std::rewind(err);
  char line[512] = {};
  ASSERT_NE(std::fgets(line, sizeof line, err), nullptr);
  EXPECT_NE(std::string(line).find((d / "plain" / kLockFileName).string()), std::string::npos) << line;
  std::fclose(err);
  EXPECT_EQ(platform.shown, 1);
  EXPECT_EQ(read_whole_file(d / "plain").value_or(""), "x");
  fs::remove_all(d);
}

TEST(RunSequence, CopiedProgramWritesBesideItselfNotInTheWorkingDirectory) {
  const fs::path exe_dir = scratch("exe");
  const fs::path work = scratch("work");
  const fs::path exe = exe_dir / fs::path(CORVALE_MIRBOSCO_EXE).filename();
  fs::copy_file(CORVALE_MIRBOSCO_EXE, exe);
#ifdef _WIN32
  const std::string cmd = "cd /d \"" + work.string() + "\" && \"" + exe.string() + "\" <NUL >NUL 2>&1";
#else
  const std::string cmd = "cd '" + work.string() + "' && '" + exe.string() + "' </dev/null >/dev/null 2>&1";
#endif
  std::system(cmd.c_str());
  EXPECT_TRUE(fs::is_empty(work));
  EXPECT_TRUE(fs::exists(exe_dir / "Corvale_Mirbosco_731.sim"));
  EXPECT_TRUE(fs::exists(exe_dir / "Corvale_Mirbosco_731_scheda_treno.txt"));
  EXPECT_FALSE(fs::exists(exe_dir / "Corvale_Mirbosco_linea.txt"));
  EXPECT_FALSE(fs::exists(exe_dir / "Corvale_Mirbosco_731-.txt"));
  fs::remove_all(exe_dir);
  fs::remove_all(work);
}

}  // namespace
}  // namespace scenario
