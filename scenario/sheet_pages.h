// The page layout of the timetable sheet: three pages of the run and a blank
// fourth page for the driver's own use, each with its title box, the boxes
// of classification and locked mass, and the table of locations.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scenario/timetable_rows.h"

namespace scenario {

// What the title box and the boxes below it say.
struct SheetTitle {
  std::string train_number;    // "731"
  std::string from;            // departure point
  std::string to;              // arrival point
  std::string category;        // speed category, "V200 C"
  std::string braked_mass;     // "130%"
  std::string classification;  // "INTERCITY"
  std::string locked_mass;     // "800T"
};

// The title of the blank page: placeholders where a train's data go.
SheetTitle blank_title();

inline constexpr int kBodyRows = 29;       // body rows of pages 1 to 3
inline constexpr int kBlankBodyRows = 31;  // body rows of the blank page
inline constexpr int kSheetLines = 202;

// Entries the three pages can hold: page 2 repeats the last location of
// page 1, page 3 the last of page 2.
inline constexpr size_t kMinEntries = 2 * kBodyRows;  // page 3 needs one new location
inline constexpr size_t kMaxEntries = 3 * kBodyRows - 2;

// The lines of the sheet, without line ends. Empty, with a message in
// `error`, when the entries do not fit the three pages or a text does not
// fit its box or column.
std::optional<std::vector<std::string>> layout_timetable_sheet(const SheetTitle& title,
                                                               std::span<const TimetableEntry> entries,
                                                               std::string* error = nullptr);

}  // namespace scenario
