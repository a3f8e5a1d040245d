#include "compiler/keywords.h"

namespace scenario::keywords {

namespace {
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool contains(std::string_view s, std::string_view part, bool ignore_case) {
  if (!ignore_case) return s.find(part) != std::string_view::npos;
  if (part.size() > s.size()) return false;
  for (size_t i = 0; i + part.size() <= s.size(); ++i) {
    size_t k = 0;
    while (k < part.size() && lower(s[i + k]) == lower(part[k])) ++k;
    if (k == part.size()) return true;
  }
  return false;
}

bool matches(const Row& row, std::string_view field) {
  return contains(field, row.first, row.ignore_case) &&
         (row.second.empty() || contains(field, row.second, row.ignore_case));
}

}  // namespace scenario::keywords
