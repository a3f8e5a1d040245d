#include "scenario/line_list.h"

#include <cstdio>
#include <cstdlib>

#include "scenario/text_file.h"

namespace scenario {

LineList::LineList(std::vector<std::string> lines) : lines_(std::move(lines)) {
  views_.reserve(lines_.size() + 1);
  for (const std::string& l : lines_) views_.emplace_back(l);
  views_.push_back(kEndMarker);
}

void built_in_document_fault(std::string_view document, std::string_view why) {
  std::fprintf(stderr, "built-in %.*s cannot be written: %.*s\n", static_cast<int>(document.size()), document.data(),
               static_cast<int>(why.size()), why.data());
  std::abort();
}

}  // namespace scenario
