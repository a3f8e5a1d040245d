#include "scenario/sheet_row.h"

#include <cstdio>

#include "scenario/chainage.h"

namespace scenario {

namespace {

std::string number_text(const std::optional<int>& v) { return v ? std::to_string(*v) : std::string(); }

std::string recovery_text(const std::optional<int>& tenths) {
  if (!tenths) return {};
  const int t = *tenths < 0 ? -*tenths : *tenths;
  std::string text = *tenths < 0 ? "-" : "";
  text += std::to_string(t / 10);
  text += '.';
  text += std::to_string(t % 10);
  return text;
}

}  // namespace

std::string clock_text(int32_t time_of_day) {
  const int32_t minutes = time_of_day / 60;
  char buf[24];
  std::snprintf(buf, sizeof buf, "%d.%02d", static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
  return buf;
}

std::optional<std::string> format_sheet_row(const SheetRow& row) {
  std::string time;
  if (row.time_of_day) {
    time = clock_text(*row.time_of_day);
    if (row.passing) time = '(' + time + ')';
  }
  const std::array<std::string, 7> cells = {
      number_text(row.speed_limit),
      number_text(row.running_speed),
      row.chainage ? kilometres_text(*row.chainage) : std::string(),
      number_text(row.further_speed),
      row.location,
      time,
      recovery_text(row.recovery_tenths),
  };
  return format_table_row(kSheetLead, kSheetColumns, cells);
}

}  // namespace scenario
