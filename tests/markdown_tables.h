// The tables of a Markdown page, for the tests that check a page of the
// documentation against the table in the code it describes.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::testing {

using TableRows = std::vector<std::vector<std::string>>;

// The cells of every table row (header rows included, separator rows not)
// that stands under a heading beginning with heading_prefix, up to the next
// heading of any level, in page order; each cell trimmed of spaces.
inline TableRows markdown_rows_under(const std::string& path, std::string_view heading_prefix) {
  std::ifstream in(path);
  TableRows rows;
  bool under = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind('#', 0) == 0) {
      const size_t text = line.find_first_not_of("# ");
      under = text != std::string::npos && std::string_view(line).substr(text).rfind(heading_prefix, 0) == 0;
      continue;
    }
    if (!under || line.rfind("| ", 0) != 0 || line.rfind("|---", 0) == 0) continue;
    std::vector<std::string> cells;
    std::istringstream cut(line.substr(1));
    for (std::string cell; std::getline(cut, cell, '|');) {
      const size_t a = cell.find_first_not_of(' ');
      const size_t b = cell.find_last_not_of(' ');
      cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
    }
    rows.push_back(std::move(cells));
  }
  return rows;
}

}  // namespace scenario::testing
