#include "scenario/text_table.h"

namespace scenario {

int text_width(std::string_view utf8) {
  int n = 0;
  for (char c : utf8) {
    // Continuation bytes (10xxxxxx) belong to the character before them.
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::optional<std::string> pad_cell(std::string_view text, const Column& column) {
  const int len = text_width(text);
  const int margin = column.align == Align::kCentre ? 0 : column.margin;
  if (margin < 0 || len + margin > column.width) return std::nullopt;
  const int space = column.width - len;
  int left = 0;
  switch (column.align) {
    case Align::kLeft:
      left = margin;
      break;
    case Align::kRight:
      left = space - margin;
      break;
    case Align::kCentre:
      left = (space + 1) / 2;
      break;
  }
  std::string cell;
  cell.reserve(static_cast<size_t>(column.width) + text.size());
  cell.append(static_cast<size_t>(left), ' ');
  cell.append(text);
  cell.append(static_cast<size_t>(space - left), ' ');
  return cell;
}

std::optional<std::string> format_table_row(std::string_view lead, std::span<const Column> columns,
                                            std::span<const std::string> cells) {
  if (columns.size() != cells.size()) return std::nullopt;
  std::string row(lead);
  row += '|';
  for (size_t i = 0; i < columns.size(); ++i) {
    auto cell = pad_cell(cells[i], columns[i]);
    if (!cell) return std::nullopt;
    row += *cell;
    row += '|';
  }
  return row;
}

}  // namespace scenario
