// Temporaries, sets of files and the directory lock: a temporary's name is
// short and of one pattern, a run removes only the temporaries it created,
// the clearing of stale ones touches nothing else, a set of files goes into
// place only whole, and the lock keeps a second holder out.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <set>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "app/directory_sink.h"
#include "app/disk_sources.h"
#include "app/file_replace.h"
#include "app/run_lock.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

int process_id() {
#ifdef _WIN32
  return _getpid();
#else
  return getpid();
#endif
}
// A fresh, empty directory for one test.
fs::path scratch_dir(const std::string& name) {
  const fs::path d = fs::temp_directory_path() / ("sets-test-" + std::to_string(process_id()) + "-" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

std::string slurp(const fs::path& p) { return read_whole_file(p).value_or(std::string()); }

void write_bytes(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

std::map<std::string, std::string> files_of(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(dir)) files[e.path().filename().string()] = slurp(e.path());
  return files;
}

// A whole content as one piece.
class WholePieces : public PieceSource {
 public:
  explicit WholePieces(std::string bytes) : bytes_(std::move(bytes)) {}
  size_t size() const override { return bytes_.size(); }
  bool produce(const PieceTaker& take) const override { return take(0, bytes_); }

 private:
  std::string bytes_;
};

// A content whose producer gives up halfway, as an encoder that fails would.
class RefusingPieces : public PieceSource {
 public:
  size_t size() const override { return 8; }
  bool produce(const PieceTaker& take) const override { return take(0, "half") && false; }
};

TEST(TemporaryNames, ShortOfOnePatternAndRandom) {
  std::set<std::string> seen;
  for (int i = 0; i < 20; ++i) {
    const std::string name = random_temporary_name();
    EXPECT_EQ(name.size(), kTemporaryNameLength) << name;
    EXPECT_TRUE(is_temporary_name(name)) << name;
    seen.insert(name);
  }
  EXPECT_GT(seen.size(), 1u) << "the names must not repeat from one call to the next";

  const struct {
    const char* name;
    bool ours;
  } cases[] = {
      {".~0123abcd.tmp", true},
      {".~ffffffff.tmp", true},
      {".~0123ABCD.tmp", false},  // the digits are written in lower case
      {".~0123abc.tmp", false},
      {".~0123abcde.tmp", false},
      {".~0123abcg.tmp", false},
      {"~0123abcd.tmp", false},
      {".~0123abcd.tmp.bak", false},
      {"x.~0123abcd.tmp", false},
      {"Corvale_Mirbosco_731.sim.tmp-4242-0", false},  // an earlier version's name: not ours to judge
      {".scenario.lock", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_temporary_name(c.name), c.ours) << c.name;
}

// A file already at the name a temporary would take is never written over
// nor removed, whether the write then fails or succeeds: the next name is
// taken instead, and only that one is removed or renamed.
TEST(TemporaryNames, AFileAtATemporarysNameIsNeverTouched) {
  const fs::path dir = scratch_dir("planted-temporary");
  const std::string planted = ".~00000000.tmp";
  write_bytes(dir / planted, "planted by someone else");
  write_bytes(dir / "x.dat", "earlier");
  int asked = 0;
  const TemporaryNamer namer = [&asked] { return asked++ % 2 == 0 ? ".~00000000.tmp" : ".~00000001.tmp"; };

  StageOutcome failed = stage_file(dir / "x.dat", RefusingPieces(), namer);
  EXPECT_FALSE(failed.staged);
  EXPECT_NE(failed.failure.find("x.dat"), std::string::npos) << failed.failure;
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(files_of(dir),
            (std::map<std::string, std::string>{{planted, "planted by someone else"}, {"x.dat", "earlier"}}));

  StageOutcome staged = stage_file(dir / "x.dat", WholePieces("new"), namer);
  ASSERT_TRUE(staged.staged) << staged.failure;
  EXPECT_EQ(staged.staged->temporary().filename(), ".~00000001.tmp");
  ASSERT_FALSE(staged.staged->commit());
  EXPECT_EQ(files_of(dir),
            (std::map<std::string, std::string>{{planted, "planted by someone else"}, {"x.dat", "new"}}));
  fs::remove_all(dir);
}

// A run that has to clear up after a killed one removes plain files of the
// temporaries' pattern and nothing else: no other name, no directory, no
// link, and never what a link points at.
TEST(TemporaryNames, ClearingRemovesOnlyStaleTemporaries) {
  const fs::path dir = scratch_dir("stale-temporaries");
  for (const char* stale : {".~0000abcd.tmp", ".~ffffffff.tmp"}) write_bytes(dir / stale, "stale");
  const std::map<std::string, std::string> kept = {
      {".~0000abcd.tmp.bak", "author"}, {"notes.tmp", "author"},           {"R_1.sim.tmp-77-0", "author"},
      {"R_1.sim", "earlier output"},    {"linked", "what the link names"},
  };
  for (const auto& [name, bytes] : kept) write_bytes(dir / name, bytes);
  fs::create_directory(dir / ".~00000000.tmp");
#ifndef _WIN32
  fs::create_symlink(dir / "linked", dir / ".~11111111.tmp");
#endif
  EXPECT_EQ(clear_stale_temporaries(dir), 2u);
  for (const auto& [name, bytes] : kept) EXPECT_EQ(slurp(dir / name), bytes) << name;
  EXPECT_TRUE(fs::is_directory(dir / ".~00000000.tmp"));
#ifndef _WIN32
  EXPECT_TRUE(fs::is_symlink(dir / ".~11111111.tmp"));
#endif
  EXPECT_FALSE(fs::exists(dir / ".~0000abcd.tmp"));
  EXPECT_FALSE(fs::exists(dir / ".~ffffffff.tmp"));
  fs::remove_all(dir);
}

// The three files of a compile are handed to the sink one by one; a file
// that cannot be written, or a sink given up before commit, leaves the
// earlier set exactly as it was and no temporary; commit puts all in place.
TEST(DirectorySinkSet, OnlyACompleteSetGoesIntoPlace) {
  const fs::path dir = scratch_dir("sink-set");
  const std::map<std::string, std::string> earlier = {
      {"R_linea.dat", "earlier profile"}, {"R_1.sim", "earlier scenario"}, {"R_1.dat", "earlier track"}};
  for (const auto& [name, bytes] : earlier) write_bytes(dir / name, bytes);

  {
    DirectorySink sink(dir);
    EXPECT_FALSE(sink.write_pieces("R_linea.dat", WholePieces("new profile")));
    EXPECT_FALSE(sink.write("R_1.sim", "new scenario"));
    const auto failure = sink.write_pieces("R_1.dat", RefusingPieces());
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("R_1.dat"), std::string::npos) << *failure;
    EXPECT_EQ(files_of(dir), earlier) << "a failed file leaves the earlier set and no temporary";
    EXPECT_FALSE(sink.commit()) << "nothing is left to commit";
    EXPECT_EQ(files_of(dir), earlier);
  }
  {
    DirectorySink sink(dir);
    EXPECT_FALSE(sink.write("R_1.sim", "new scenario"));
    EXPECT_FALSE(sink.write("R_1.dat", "new track"));
    EXPECT_EQ(files_of(dir).size(), 5u) << "two temporaries beside the earlier set";
  }
  EXPECT_EQ(files_of(dir), earlier) << "a sink given up before commit removes its temporaries";

  DirectorySink sink(dir);
  EXPECT_FALSE(sink.write_pieces("R_linea.dat", WholePieces("new profile")));
  EXPECT_FALSE(sink.write("R_1.sim", "new scenario"));
  EXPECT_FALSE(sink.write("R_1.dat", "new track"));
  EXPECT_EQ(files_of(dir).size(), 6u);
  EXPECT_FALSE(sink.commit());
  EXPECT_EQ(files_of(dir), (std::map<std::string, std::string>{
                               {"R_linea.dat", "new profile"}, {"R_1.sim", "new scenario"}, {"R_1.dat", "new track"}}));
  fs::remove_all(dir);
}

// The lock clears what killed runs left and keeps every other opening of
// the lock file out until it is released; the lock file stays.
TEST(DirectoryLockTest, KeepsOthersOutUntilReleasedAndClearsStaleTemporaries) {
  const fs::path dir = scratch_dir("lock");
  write_bytes(dir / ".~deadbeef.tmp", "left by a killed run");
  write_bytes(dir / "R_1.sim", "earlier");
  {
    LockOutcome locked = DirectoryLock::acquire(dir);
    ASSERT_TRUE(locked.lock) << locked.failure;
    EXPECT_FALSE(fs::exists(dir / ".~deadbeef.tmp"));
    EXPECT_EQ(slurp(dir / "R_1.sim"), "earlier");
#ifndef _WIN32
    const int other = ::open((dir / kLockFileName).c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(other, 0);
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0) << "a second opening must not get the lock";
    EXPECT_EQ(errno, EWOULDBLOCK);
    ::close(other);
#endif
  }
  EXPECT_TRUE(fs::exists(dir / kLockFileName));
#ifndef _WIN32
  const int other = ::open((dir / kLockFileName).c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(other, 0);
  EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0) << "released with the lock object";
  ::close(other);
#endif
  const LockOutcome refused = DirectoryLock::acquire(dir / "R_1.sim");
  EXPECT_FALSE(refused.lock);
  EXPECT_NE(refused.failure.find(kLockFileName), std::string::npos) << refused.failure;
  fs::remove_all(dir);
}

// A source text that cannot be deleted is remembered with the reason, until
// a later deletion succeeds; a kept source is never deleted.
TEST(DiskSourcesRemoval, AFailedDeletionIsReportedNotDropped) {
  const fs::path dir = scratch_dir("source-removal");
  fs::create_directories(dir / "line" / "inside");  // a directory that is not empty cannot be deleted
  write_bytes(dir / "train", "train");
  DiskSources sources(dir / "line", dir / "train", /*keep_files=*/false);
  sources.remove(SourceKind::kLine);
  sources.remove(SourceKind::kTrain);
  ASSERT_EQ(sources.removal_failures().size(), 1u);
  EXPECT_NE(sources.removal_failures()[0].find("cannot delete " + (dir / "line").string()), std::string::npos)
      << sources.removal_failures()[0];
  EXPECT_FALSE(fs::exists(dir / "train"));

  fs::remove(dir / "line" / "inside");
  sources.remove(SourceKind::kLine);
  EXPECT_TRUE(sources.removal_failures().empty());
  EXPECT_FALSE(fs::exists(dir / "line"));

  write_bytes(dir / "kept", "author");
  DiskSources kept(dir / "kept", dir / "kept", /*keep_files=*/true);
  kept.remove(SourceKind::kLine);
  EXPECT_EQ(slurp(dir / "kept"), "author");
  EXPECT_TRUE(kept.removal_failures().empty());
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario
