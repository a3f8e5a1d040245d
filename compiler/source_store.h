// How the compiler reaches its two source texts. The one-shot run reads the
// temporary files it wrote and deletes them; the authoring tool reads an
// author's files and never deletes them; tests and the fuzzer read memory.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace scenario {

enum class SourceKind { kLine, kTrain };

const char* source_kind_name(SourceKind k);

class SourceStore {
 public:
  virtual ~SourceStore() = default;
  // True when the source exists as an ordinary file.
  virtual bool exists(SourceKind k) const = 0;
  // The whole content of the source; empty when it cannot be opened.
  virtual std::optional<std::string> read(SourceKind k) = 0;
  // Deletes the source; deleting a source that is already gone does nothing.
  virtual void remove(SourceKind k) = 0;
};

// Sources held in memory; remove() forgets them, as a deleted file.
class MemorySources : public SourceStore {
 public:
  MemorySources() = default;
  MemorySources(std::string line, std::string train);

  void set(SourceKind k, std::string content) { texts_[k] = std::move(content); }
  bool exists(SourceKind k) const override { return texts_.count(k) != 0; }
  std::optional<std::string> read(SourceKind k) override;
  void remove(SourceKind k) override { texts_.erase(k); }

 private:
  std::map<SourceKind, std::string> texts_;
};

}  // namespace scenario
