#include "app/file_replace.h"

#include <gtest/gtest.h>
#include <unistd.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include <fstream>
#include <sstream>

namespace scenario {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

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
  EXPECT_EQ(slurp(p), "short");
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
  EXPECT_EQ(slurp(p), earlier);
  EXPECT_EQ(entries(), 1u);
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
  EXPECT_EQ(slurp(not_a_dir), "x");
}

TEST_F(FileReplace, DeletingAMissingFileIsNoFailure) {
  EXPECT_FALSE(delete_file(dir_ / "gone.txt"));
}

}  // namespace
}  // namespace scenario
