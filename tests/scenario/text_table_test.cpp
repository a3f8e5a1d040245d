// The cell and row formatters of the driver documents: padding, alignment,
// characters counted rather than bytes, and refusal of a value that does not
// fit its column.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "scenario/sheet_row.h"
#include "scenario/slowdown_order.h"
#include "scenario/text_table.h"

namespace scenario {
namespace {

TEST(TextTable, PadsEachAlignmentToTheColumnWidth) {
  struct Case {
    std::string text;
    Column column;
    std::string expected;
  };
  const Case cases[] = {
      {"115", {5, Align::kRight, 1}, " 115 "},
      {"80", {5, Align::kRight, 1}, "  80 "},
      {"2.000", {10, Align::kRight, 2}, "   2.000  "},
      {"Corvale", {12, Align::kLeft, 1}, " Corvale    "},
      {"---", {12, Align::kCentre, 0}, "     ---    "},  // odd space to the left
      {"A-B-C", {12, Align::kCentre, 0}, "    A-B-C   "},
      {"1.0", {5, Align::kCentre, 0}, " 1.0 "},
      {"", {5, Align::kCentre, 0}, "     "},
      {"Località", {10, Align::kLeft, 1}, " Località "},  // à is one character
      {"12345", {5, Align::kRight, 0}, "12345"},          // exactly full
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pad_cell(c.text, c.column), c.expected) << c.text;
  }
}

TEST(TextTable, RefusesATextWiderThanItsColumn) {
  EXPECT_FALSE(pad_cell("12345", {5, Align::kRight, 1}));
  EXPECT_FALSE(pad_cell("123456", {5, Align::kCentre, 0}));
  EXPECT_FALSE(pad_cell("abc", {3, Align::kLeft, 1}));
  const std::array<Column, 2> columns = {{{3, Align::kLeft, 0}, {3, Align::kLeft, 0}}};
  const std::array<std::string, 2> fits = {"ab", "c"};
  const std::array<std::string, 2> too_wide = {"ab", "cdef"};
  EXPECT_EQ(format_table_row(" ", columns, fits), " |ab |c  |");
  EXPECT_FALSE(format_table_row(" ", columns, too_wide));
  const std::array<std::string, 1> too_few = {"ab"};
  EXPECT_FALSE(format_table_row(" ", columns, too_few));
}

TEST(SheetRow, FormatsTheTypicalRowsOfTheSheet) {
  SheetRow post;
  post.speed_limit = 115;
  post.running_speed = 115;
  post.chainage = 2000;
  post.further_speed = 115;
  post.location = "Cippo Km.2,000";
  EXPECT_EQ(format_sheet_row(post),
            " | 115 | 115 |   2.000  | 115 | Cippo Km.2,000             |                |     |");

  SheetRow stop;
  stop.chainage = 194950;
  stop.location = "Casalvecchio";
  stop.time_of_day = 15 * 3600 + 8 * 60 + 59;  // seconds are dropped
  stop.recovery_tenths = 10;
  EXPECT_EQ(format_sheet_row(stop),
            " |     |     | 194.950  |     | Casalvecchio               |      15.08     | 1.0 |");

  SheetRow passing = stop;
  passing.passing = true;
  passing.recovery_tenths.reset();
  EXPECT_EQ(format_sheet_row(passing),
            " |     |     | 194.950  |     | Casalvecchio               |     (15.08)    |     |");

  EXPECT_EQ(format_sheet_row(SheetRow{}),
            " |     |     |          |     |                            |                |     |");
}

TEST(SheetRow, RefusesAValueTooWideForItsColumn) {
  SheetRow speed;
  speed.speed_limit = 9999;  // four digits and the margin fill the cell
  EXPECT_TRUE(format_sheet_row(speed));
  speed.speed_limit = 10000;
  EXPECT_FALSE(format_sheet_row(speed));

  SheetRow km;
  km.chainage = 1234567;  // "1234.567" fits, one more digit does not
  EXPECT_TRUE(format_sheet_row(km));
  km.chainage = 12345678;
  EXPECT_FALSE(format_sheet_row(km));

  SheetRow name;
  name.location = std::string(27, 'x');
  EXPECT_TRUE(format_sheet_row(name));
  name.location = std::string(28, 'x');
  EXPECT_FALSE(format_sheet_row(name));

  SheetRow recovery;
  recovery.recovery_tenths = 1000;  // "100.0" fills the cell
  EXPECT_TRUE(format_sheet_row(recovery));
  recovery.recovery_tenths = 10000;
  EXPECT_FALSE(format_sheet_row(recovery));
}

TEST(SlowdownRow, FormatsFilledAndEmptyRows) {
  EXPECT_EQ(format_slowdown_row(SlowdownRow{1, "Corvale - Vallenera", 9, 80, 800, ""}),
            " | 1 | Corvale - Vallenera        |      9     |    80    |   800   |     ---    |");
  EXPECT_EQ(format_slowdown_row(SlowdownRow{2, "Vallenera", 165, 40, 400, "A-B-C"}),
            " | 2 | Vallenera                  |     165    |    40    |   400   |    A-B-C   |");
  EXPECT_EQ(format_slowdown_row(std::nullopt),
            " |   |                            |            |          |         |            |");
  EXPECT_FALSE(format_slowdown_row(SlowdownRow{1, std::string(28, 'x'), 9, 80, 800, ""}));
}

}  // namespace
}  // namespace scenario
