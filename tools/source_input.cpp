#include "tools/source_input.h"

#include <filesystem>

#include "app/disk_sources.h"
#include "scenario/cp1252.h"
#include "tools/source_lint.h"

namespace scenario::tool {

FileBytes read_file_bytes(const std::string& path, const SizeLimit& limit) {
  namespace fs = std::filesystem;
  FileBytes out;
  std::error_code ec;
  // The usual cases by name first; what is opened is checked again.
  const auto status = fs::status(fs::path(path), ec);
  if (!fs::exists(status)) {
    out.problem = path + " does not exist";
  } else if (fs::is_directory(status)) {
    out.problem = path + " is a directory, not a source file";
  } else {
    WholeFile read = read_file_within(fs::path(path), limit.bytes);
    if (read.too_large)
      out.problem = path + " is " + std::to_string(read.size) + " bytes, more than the " + std::to_string(limit.bytes) +
                    " bytes " + limit.of_what;
    else if (!read.bytes)
      out.problem = path + " " + read.problem;
    out.bytes = std::move(read.bytes);
  }
  return out;
}

Converted convert_source(const std::string& path, std::string bytes, InputEncoding encoding) {
  Converted out;
  if (encoding == InputEncoding::kWindows1252) {
    out.bytes = std::move(bytes);
    return out;
  }
  if (auto converted = utf8_to_cp1252(bytes)) {
    out.bytes = std::move(*converted);
    return out;
  }
  // Find the first line that does not convert, to point the author at it.
  int line = 1;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    if (!utf8_to_cp1252(std::string_view(bytes).substr(start, end - start))) break;
    ++line;
    start = end + 1;
  }
  out.problem.severity = Severity::kError;
  out.problem.file = path;
  out.problem.line = line;
  out.problem.message =
      "this line is not UTF-8, or holds a character that Windows-1252, the code page of the simulator, does not have";
  out.problem.remedy =
      "save the file as UTF-8 and replace the character, or leave out --input-encoding utf-8 if the "
      "file is already Windows-1252";
  return out;
}

SourcePair load_sources(const std::string& line_path, const std::string& train_path, InputEncoding encoding,
                        bool with_profile) {
  SourcePair pair;
  FileBytes line = read_file_bytes(line_path, source_limit());
  FileBytes train = read_file_bytes(train_path, source_limit());
  for (const FileBytes* f : {&line, &train})
    if (!f->bytes) pair.problem += "scenario: error: " + f->problem + "\n";
  if (!pair.problem.empty()) return pair;

  Converted l = convert_source(line_path, std::move(*line.bytes), encoding);
  Converted t = convert_source(train_path, std::move(*train.bytes), encoding);
  for (const Converted* c : {&l, &t})
    if (!c->bytes) pair.problem += format_diagnostic(c->problem);
  if (!pair.problem.empty()) return pair;

  const LintOptions options{with_profile, encoding == InputEncoding::kWindows1252};
  pair.warnings = lint_line_source(line_path, *l.bytes, options);
  auto train_warnings = lint_train_source(train_path, *t.bytes, options);
  pair.warnings.insert(pair.warnings.end(), std::make_move_iterator(train_warnings.begin()),
                       std::make_move_iterator(train_warnings.end()));
  pair.line = std::move(*l.bytes);
  pair.train = std::move(*t.bytes);
  return pair;
}

}  // namespace scenario::tool
