// The page that describes the binary files, docs/file-formats.md, says what
// the layouts say: every field of a track cell and of a scenario record at
// its offset, with its type and meaning, and the size of each element of
// the line profile file.
#include "output/binary_layouts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace scenario {
namespace {

// The cells of every table row of the page, by the section ("## ...") it
// stands in.
std::map<std::string, std::vector<std::vector<std::string>>> page_tables() {
  std::ifstream in(SCENARIO_FILE_FORMATS);
  std::map<std::string, std::vector<std::vector<std::string>>> out;
  std::string section;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("## ", 0) == 0) section = line.substr(3, line.find(',') - 3);
    if (line.rfind("| ", 0) != 0 || line.rfind("|---", 0) == 0) continue;
    std::vector<std::string> cells;
    std::istringstream cut(line.substr(1));
    for (std::string cell; std::getline(cut, cell, '|');) {
      const size_t a = cell.find_first_not_of(' ');
      const size_t b = cell.find_last_not_of(' ');
      cells.push_back(a == std::string::npos ? "" : cell.substr(a, b - a + 1));
    }
    out[section].push_back(cells);
  }
  return out;
}

// A field name as the page writes it, in backquotes.
std::string quoted(std::string_view name) {
  std::string q(1, '`');
  q.append(name);
  q.push_back('`');
  return q;
}

std::string type_name(size_t bytes) { return bytes == 1 ? "byte" : bytes == 2 ? "int16" : "int32"; }

// The rows a layout gives, from a starting offset.
template <class Layout>
std::vector<std::vector<std::string>> layout_rows(const Layout& l, size_t offset) {
  std::vector<std::vector<std::string>> rows;
  layout::for_each_field(l, [&](const auto& f) {
    rows.push_back({std::to_string(offset), quoted(f.name), type_name(f.bytes), std::string(f.meaning)});
    offset += f.bytes;
  });
  return rows;
}

using Rows = std::vector<std::vector<std::string>>;
const std::vector<std::string> kHeading = {"offset", "field", "type", "meaning"};

TEST(FileFormatsPage, TheTrackCellFieldsAreThoseOfTheLayout) {
  auto tables = page_tables();
  Rows expected = {kHeading};
  for (auto& r : layout_rows(layout::kTrackCell, 0)) expected.push_back(r);
  EXPECT_EQ(tables["Track file"], expected);
}

TEST(FileFormatsPage, TheScenarioRecordFieldsAreThoseOfTheLayout) {
  auto tables = page_tables();
  const Rows& page = tables["Scenario file"];
  Rows head = {kHeading};
  for (auto& r : layout_rows(layout::kRecordHead, 0)) head.push_back(r);
  Rows tail = {kHeading};
  for (auto& r : layout_rows(layout::kRecordTail, 0)) tail.push_back(r);
  ASSERT_EQ(page.size(), head.size() + 1 + tail.size());
  EXPECT_EQ(Rows(page.begin(), page.begin() + static_cast<long>(head.size())), head);
  // The text: its length word at the offset the layout gives.
  const auto& text = page[head.size()];
  ASSERT_EQ(text.size(), 4u);
  EXPECT_EQ(text[0], std::to_string(layout::kRecordTextLengthOffset));
  EXPECT_EQ(text[1], quoted(layout::kRecordTextName));
  EXPECT_NE(text[3].find("at offset " + std::to_string(layout::kRecordBeforeText)), std::string::npos) << text[3];
  EXPECT_EQ(Rows(page.begin() + static_cast<long>(head.size()) + 1, page.end()), tail);
}

TEST(FileFormatsPage, TheProfileElementsAreThoseOfTheLayout) {
  auto tables = page_tables();
  const Rows& page = tables["Line profile file"];
  ASSERT_EQ(page.size(), 4u);
  for (const ProfileType t : {ProfileType::kEmpty, ProfileType::kInt16, ProfileType::kDouble}) {
    const auto code = std::to_string(static_cast<int>(t));
    bool found = false;
    for (const auto& row : page)
      if (row.at(0) == code) {
        found = true;
        EXPECT_EQ(row.at(2), std::to_string(layout::profile_element_bytes(t))) << code;
      }
    EXPECT_TRUE(found) << code;
  }
}

}  // namespace
}  // namespace scenario
