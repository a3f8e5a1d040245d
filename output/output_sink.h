// Where the output stage puts the bytes of each file: the one-shot run and
// the authoring tool write files by atomic replacement; tests, the fuzzer
// and the benchmarks keep them in memory.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// Takes the next piece of a file's content; false when it could not be
// stored, which stops the producer.
using PieceTaker = std::function<bool(std::string_view piece)>;

// A file's content produced piece by piece, in order, so that a large file
// is written through one small buffer instead of being held whole in memory.
class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // Hands every piece to take, in order. False when take refused a piece.
  virtual bool produce(const PieceTaker& take) const = 0;
};

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Stores the whole content under the file name. Returns a description of
  // the failure, or nothing when the content is stored.
  virtual std::optional<std::string> write(const std::string& name, std::string bytes) = 0;

  // Stores the content that source produces, with the same outcome as
  // write. A sink that keeps whole files joins the pieces and writes them.
  virtual std::optional<std::string> write_pieces(const std::string& name, const PieceSource& source) {
    std::string whole;
    source.produce([&whole](std::string_view piece) {
      whole.append(piece);
      return true;
    });
    return write(name, std::move(whole));
  }
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
