// One body row of the timetable sheet and its layout: seven columns between
// bars, of widths 5, 5, 10, 5, 28, 16 and 5 characters.
//   Vel. Lim.   speed limit in km/h, right-aligned
//   Vel. Marc.  running speed in km/h, right-aligned
//   Progr Km    kilometre reading, three decimals
//   No Rs       speed without cab-signal repetition, right-aligned
//   Località    the service location, left-aligned
//   Orario      time of day "15.08"; a passing time in brackets "(15.08)"
//   Rec         recovery minutes "1.0"
// Cells left out are spaces.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "scenario/text_table.h"

namespace scenario {

struct SheetRow {
  std::optional<int> speed_limit;
  std::optional<int> running_speed;
  std::optional<int32_t> chainage;  // metres
  std::optional<int> further_speed;
  std::string location;                // UTF-8
  std::optional<int32_t> time_of_day;  // seconds after midnight
  bool passing = false;                // the train passes without stopping
  std::optional<int> recovery_tenths;  // tenths of a minute

  bool operator==(const SheetRow&) const = default;
};

inline constexpr std::array<Column, 7> kSheetColumns = {{
    {5, Align::kRight, 1},
    {5, Align::kRight, 1},
    {10, Align::kRight, 2},
    {5, Align::kRight, 1},
    {28, Align::kLeft, 1},
    {16, Align::kCentre, 0},
    {5, Align::kCentre, 0},
}};

// The leading space before the first bar of every table line of the sheet.
inline constexpr std::string_view kSheetLead = " ";

// "15.08" for 15:08:xx; seconds are dropped.
std::string clock_text(int32_t time_of_day);

// The row as a line of the sheet; empty when a value does not fit its column
// (a fault in the timetable data).
std::optional<std::string> format_sheet_row(const SheetRow& row);

}  // namespace scenario
