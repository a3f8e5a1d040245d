// Where the output stage puts the bytes of each file: the one-shot run and
// the authoring tool write files by atomic replacement, a set of files at a
// time; tests, the fuzzer and the benchmarks keep them in memory.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// Takes one piece of a file's content, to be stored at the given byte
// offset; false when it could not be stored, which stops the producer.
using PieceTaker = std::function<bool(size_t offset, std::string_view piece)>;

// A file's content produced piece by piece through a small buffer, so that a
// large file is written without being held whole in memory. The pieces
// cover the content exactly once, each at its offset, not necessarily in
// order of offset.
class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // The size of the whole content in bytes.
  virtual size_t size() const = 0;
  // Hands every piece to take. False when take refused a piece.
  virtual bool produce(const PieceTaker& take) const = 0;
};

// Joins the pieces of source into the whole content.
inline std::string join_pieces(const PieceSource& source) {
  std::string whole(source.size(), '\0');
  source.produce([&whole](size_t offset, std::string_view piece) {
    if (offset > whole.size() || piece.size() > whole.size() - offset) return false;
    whole.replace(offset, piece.size(), piece);
    return true;
  });
  return whole;
}

// A set of files is stored in two stages: write and write_pieces hand over
// each file's content, and commit puts every file handed over since the
// last commit in place, one right after the other. A sink that writes files
// keeps each content aside (whole and flushed) until commit, so that a
// failure on the way leaves the earlier set as it was; discard drops what
// was handed over without putting any of it in place. A sink that keeps the
// files in memory stores them at once, and its commit and discard do
// nothing.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Stores the whole content under the file name. Returns a description of
  // the failure, or nothing when the content is stored.
  virtual std::optional<std::string> write(const std::string& name, std::string bytes) = 0;

  // Stores the content that source produces, with the same outcome as
  // write. A sink that keeps whole files joins the pieces and writes them.
  virtual std::optional<std::string> write_pieces(const std::string& name, const PieceSource& source) {
    return write(name, join_pieces(source));
  }

  // Puts the files stored since the last commit in place. Returns a
  // description of the failure, or nothing when all of them are in place.
  [[nodiscard]] virtual std::optional<std::string> commit() { return std::nullopt; }

  // Drops the files stored since the last commit; none of them is put in place.
  virtual void discard() {}
};

class MemorySink : public OutputSink {
 public:
  std::optional<std::string> write(const std::string& name, std::string bytes) override {
    files[name] = std::move(bytes);
    return std::nullopt;
  }
  std::map<std::string, std::string> files;
};

}  // namespace scenario
