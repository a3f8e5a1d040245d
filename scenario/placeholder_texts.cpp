// Placeholder lists until the built-in texts land; each holds only its end marker.
#include "scenario/builtin_texts.h"
#include "scenario/text_file.h"

namespace scenario {

namespace {
constexpr std::string_view kEmpty[] = {kEndMarker};
}

std::span<const std::string_view> builtin_notes() { return kEmpty; }
std::span<const std::string_view> builtin_slowdown_order() { return kEmpty; }
std::span<const std::string_view> builtin_timetable_sheet() { return kEmpty; }

}  // namespace scenario
