// A built-in document kept as a list of lines for the text writer: the lines
// are built once, at first use, and never change afterwards.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

class LineList {
 public:
  // Takes the lines and ends the list with the end marker.
  explicit LineList(std::vector<std::string> lines);
  LineList(const LineList&) = delete;
  LineList& operator=(const LineList&) = delete;

  // The lines followed by the end marker.
  std::span<const std::string_view> view() const { return views_; }

 private:
  std::vector<std::string> lines_;
  std::vector<std::string_view> views_;
};

// A built-in document that cannot be laid out is a fault of this program's
// own data: report it and end the program.
[[noreturn]] void built_in_document_fault(std::string_view document, std::string_view why);

}  // namespace scenario
