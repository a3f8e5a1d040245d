// The built-in lists of lines, as UTF-8, each ended by the end marker.
#pragma once

#include <span>
#include <string_view>

namespace scenario {

std::span<const std::string_view> builtin_line_text();
std::span<const std::string_view> builtin_train_text();
std::span<const std::string_view> builtin_notes();
std::span<const std::string_view> builtin_slowdown_order();
std::span<const std::string_view> builtin_timetable_sheet();

}  // namespace scenario
