#include <gtest/gtest.h>

#include <unistd.h>
#include "app/disk_sources.h"

#include <fstream>
#include <sstream>
#include <string_view>

#include "app/file_replace.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// A content handed over in pieces from the end backwards.
class BackwardsPieces : public PieceSource {
 public:
  BackwardsPieces(std::string content, size_t piece) : content_(std::move(content)), piece_(piece) {}
  size_t size() const override { return content_.size(); }
  bool produce(const PieceTaker& take) const override {
    for (size_t end = content_.size(); end > 0;) {
      const size_t start = end > piece_ ? end - piece_ : 0;
      if (!take(start, std::string_view(content_).substr(start, end - start))) return false;
      end = start;
    }
    return true;
  }

 private:
  std::string content_;
  size_t piece_;
};

TEST(FileReplacePieces, PiecesLandAtTheirOffsetsAndReplaceALongerFile) {
  const fs::path dir = fs::temp_directory_path() / ("replace-pieces-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path target = dir / "x.dat";
  ASSERT_FALSE(replace_file(target, std::string(500000, 'z')));

  std::string content;
  for (int i = 0; i < 300000; ++i) content += static_cast<char>('a' + i % 23);
  ASSERT_FALSE(replace_file_pieces(target, BackwardsPieces(content, 7001)));

  EXPECT_EQ(read_whole_file(target).value_or(""), content);
  EXPECT_EQ(static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})), 1u);  // no temporary left
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario
