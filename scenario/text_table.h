// Rows of the fixed-width tables in the driver documents: each cell is a
// text padded to its column's width and the cells are joined by bars. A
// text too wide for its column is refused rather than cut, so a wrong width
// cannot hide in a document.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace scenario {

// Where a text sits inside its cell.
enum class Align {
  kLeft,    // after `margin` spaces
  kRight,   // before `margin` spaces
  kCentre,  // centred; an odd space goes to the left
};

struct Column {
  int width = 0;
  Align align = Align::kLeft;
  int margin = 0;  // kLeft and kRight only
};

// Number of characters of a UTF-8 text (each character is one byte once the
// text is written in Windows-1252).
int text_width(std::string_view utf8);

// The text padded with spaces to the column's width; empty when the text
// and the column's margin do not fit in the width.
std::optional<std::string> pad_cell(std::string_view text, const Column& column);

// A table row: `lead` (the spaces before the first bar), then every cell
// between bars, " | a | b |". Empty when a cell does not fit its column or
// the number of cells differs from the number of columns.
std::optional<std::string> format_table_row(std::string_view lead, std::span<const Column> columns,
                                            std::span<const std::string> cells);

}  // namespace scenario
