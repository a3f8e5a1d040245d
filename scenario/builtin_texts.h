// The built-in lists of lines, as UTF-8, each ended by the end marker.
#pragma once

#include <span>
#include <string_view>

namespace scenario {

// The built-in scenario's route name and train number, from which the run
// builds every file name.
inline constexpr const char* kBuiltinRouteName = "Corvale_Mirbosco";
inline constexpr const char* kBuiltinTrainNumber = "731";

std::span<const std::string_view> builtin_line_text();
std::span<const std::string_view> builtin_train_text();
std::span<const std::string_view> builtin_notes();
std::span<const std::string_view> builtin_slowdown_order();
std::span<const std::string_view> builtin_timetable_sheet();

}  // namespace scenario
