#include "app/directory_sink.h"

#include "app/file_replace.h"

namespace scenario {

std::optional<std::string> DirectorySink::write(const std::string& name, std::string bytes) {
  return replace_file(dir_ / name, bytes);
}

std::optional<std::string> DirectorySink::write_pieces(const std::string& name, const PieceSource& source) {
  return replace_file_pieces(dir_ / name, source);
}

}  // namespace scenario
