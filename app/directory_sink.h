// Writes each output file into one directory by atomic replacement.
#pragma once

#include <filesystem>

#include "output/output_sink.h"

namespace scenario {

class DirectorySink : public OutputSink {
 public:
  explicit DirectorySink(std::filesystem::path dir) : dir_(std::move(dir)) {}
  std::optional<std::string> write(const std::string& name, std::string bytes) override;
  std::optional<std::string> write_pieces(const std::string& name, const PieceSource& source) override;

 private:
  std::filesystem::path dir_;
};

}  // namespace scenario
