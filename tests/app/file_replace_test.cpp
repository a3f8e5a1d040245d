#include "app/file_replace.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include "app/disk_sources.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include <fstream>
#include <map>
#include <sstream>

#include "app/run_lock.h"
#include "app/run_sequence.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class FileReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("replace-test-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

TEST_F(FileReplace, ALongerEarlierFileIsFullyReplaced) {
  const fs::path p = dir_ / "a.dat";
  std::ofstream(p, std::ios::binary) << std::string(1000, 'x');
  ASSERT_FALSE(replace_file(p, "short"));
  EXPECT_EQ(read_whole_file(p).value_or(""), "short");
  EXPECT_EQ(entries(), 1u);
}

#ifndef _WIN32
// A file size limit for one child process exists on POSIX systems only.
TEST_F(FileReplace, AFailedWriteLeavesTheEarlierFileAndNoTemporary) {
  const fs::path p = dir_ / "a.dat";
  const std::string earlier(100, 'e');
  std::ofstream(p, std::ios::binary) << earlier;

  // A child with a 4 KiB file size limit that ignores SIGXFSZ: the write
  // fails with EFBIG instead of killing it.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &lim);
    auto failure = replace_file(p, std::string(100000, 'n'));
    _exit(failure && failure->find("cannot write") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(read_whole_file(p).value_or(""), earlier);
  EXPECT_EQ(entries(), 1u);
}

class QuietPlatform : public Platform {
 public:
  void show_window() override {}
  void message_box(const std::string &) override {}
  void close_window() override {}
};

// The files of a run's directory, without the lock file that every run
// leaves there.
std::map<std::string, std::string> files_of(const fs::path &dir) {
  std::map<std::string, std::string> files;
  for (const auto &e : fs::directory_iterator(dir))
    if (e.path().filename() != kLockFileName)
      files[e.path().filename().string()] = read_whole_file(e.path()).value_or("");
  return files;
}

// The whole run with a 1 MB file size limit: the documents fit, the line
// profile file (about 4.5 MB) does not. The run stops there with status 3;
// the documents are the new ones, the three binary files are still the
// earlier ones, whole, and nothing else is left behind.
TEST_F(FileReplace, ARunThatCannotWriteItsFilesLeavesEachEarlierFileWhole) {
  const fs::path reference = dir_ / "reference";
  const fs::path run = dir_ / "run";
  fs::create_directories(reference);
  fs::create_directories(run);
  QuietPlatform platform;
  std::FILE *quiet = std::tmpfile();
  Form_Load(reference, platform, quiet);
  const auto fresh = files_of(reference);
  ASSERT_EQ(fresh.size(), 6u) << "the reference run must leave its six files";
  ASSERT_GT(fresh.at("Corvale_Mirbosco_linea.dat").size(), 1000000u);

  std::map<std::string, std::string> earlier;
  for (const auto &[name, bytes] : fresh) {
    earlier[name] = "earlier " + name;
    std::ofstream(run / name, std::ios::binary) << earlier[name];
  }

  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit lim{1000000, 1000000};
    setrlimit(RLIMIT_FSIZE, &lim);
    _exit(Form_Load(run, platform, quiet));
  }
  int status = 0;
  waitpid(child, &status, 0);
  std::fclose(quiet);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitUnexpected);

  const auto after = files_of(run);
  ASSERT_EQ(after.size(), 6u) << "no source text and no temporary may remain";
  for (const char *doc : {"Corvale_Mirbosco_731_scheda_treno.txt", "Corvale_Mirbosco_731_rallentamenti.txt",
                          "Corvale_Mirbosco_731_note.txt"})
    EXPECT_EQ(after.at(doc), fresh.at(doc)) << doc;
  for (const char *binary : {"Corvale_Mirbosco_linea.dat", "Corvale_Mirbosco_731.sim", "Corvale_Mirbosco_731.dat"})
    EXPECT_EQ(after.at(binary), earlier.at(binary)) << binary;
}
#endif

TEST_F(FileReplace, ADirectoryThatIsARegularFileFailsWithAReason) {
  const fs::path not_a_dir = dir_ / "plain";
  std::ofstream(not_a_dir) << "x";
  auto failure = replace_file(not_a_dir / "a.dat", "bytes");
  ASSERT_TRUE(failure);
  EXPECT_NE(failure->find("a.dat"), std::string::npos);
#ifndef _WIN32
  EXPECT_NE(failure->find("Not a directory"), std::string::npos);
#endif
  EXPECT_EQ(read_whole_file(not_a_dir).value_or(""), "x");
}

TEST_F(FileReplace, DeletingAMissingFileIsNoFailure) { EXPECT_FALSE(delete_file(dir_ / "gone.txt")); }

}  // namespace
}  // namespace scenario
