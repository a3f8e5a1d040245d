// The page that describes the binary files, docs/file-formats.md, says what
// the layouts say: every field of a track cell and of a scenario record at
// its offset, with its type and meaning, and the size of each element of
// the line profile file.
#include "output/binary_layouts.h"

#include <gtest/gtest.h>

#include "tests/markdown_tables.h"

#include <string>
#include <vector>

namespace scenario {
namespace {

using testing::markdown_rows_under;
using Rows = testing::TableRows;

Rows page_rows(std::string_view section) { return markdown_rows_under(SCENARIO_FILE_FORMATS, section); }

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

const std::vector<std::string> kHeading = {"offset", "field", "type", "meaning"};

TEST(FileFormatsPage, TheTrackCellFieldsAreThoseOfTheLayout) {
  Rows expected = {kHeading};
  for (auto& r : layout_rows(layout::kTrackCell, 0)) expected.push_back(r);
  EXPECT_EQ(page_rows("Track file"), expected);
}

TEST(FileFormatsPage, TheScenarioRecordFieldsAreThoseOfTheLayout) {
  const Rows page = page_rows("Scenario file");
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
  const Rows page = page_rows("Line profile file");
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
