// Where the output stage puts the bytes of each file: the one-shot run and
// the authoring tool write files by atomic replacement; tests, the fuzzer
// and the benchmarks keep them in memory.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace scenario {

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // Stores the whole content under the file name. Returns a description of
  // the failure, or nothing when the content is stored.
  virtual std::optional<std::string> write(const std::string& name, std::string bytes) = 0;
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
