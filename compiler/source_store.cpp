#include "compiler/source_store.h"

namespace scenario {

const char* source_kind_name(SourceKind k) { return k == SourceKind::kLine ? "line source" : "train source"; }

MemorySources::MemorySources(std::string line, std::string train) {
  texts_[SourceKind::kLine] = std::move(line);
  texts_[SourceKind::kTrain] = std::move(train);
}

std::optional<std::string> MemorySources::read(SourceKind k) {
  auto it = texts_.find(k);
  if (it == texts_.end()) return std::nullopt;
  return it->second;
}

}  // namespace scenario
