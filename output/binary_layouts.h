// The layouts of the three binary files, written once as data: the fields
// of a track cell and of a scenario record in file order, each with its
// width on disk and what it means to the simulator, and the elements of the
// line profile file. The encoders, the decoders, the dump and the test of
// docs/file-formats.md all take the fields, widths and offsets from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "compiler/line_profile.h"
#include "compiler/route_model.h"

namespace scenario::layout {

// One fixed-width field of a structure on disk: its name in the route model,
// the member that holds it, and its meaning. The width is that of the
// member's type: a byte, a 16-bit or a 32-bit integer, little-endian.
template <class S, class T>
struct Field {
  static_assert(std::is_integral_v<T> && (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4));
  using Struct = S;
  using Type = T;
  std::string_view name;
  T S::*member;
  std::string_view meaning;
  static constexpr size_t bytes = sizeof(T);
};

template <class S, class T>
constexpr Field<S, T> field(std::string_view name, T S::*member, std::string_view meaning) {
  return {name, member, meaning};
}

// Calls visit(field) for every field of a layout, in file order.
template <class Layout, class Visit>
constexpr void for_each_field(const Layout& layout, Visit&& visit) {
  std::apply([&visit](const auto&... f) { (visit(f), ...); }, layout);
}

// The bytes a layout takes on disk.
template <class Layout>
constexpr size_t bytes_of(const Layout& layout) {
  size_t n = 0;
  for_each_field(layout, [&n](const auto& f) { n += f.bytes; });
  return n;
}

// ---- Track file: every cell of the grid in index order -------------------

inline constexpr auto kTrackCell = std::tuple{
    field("kind", &TrackCell::kind, "what stands at the cell (0 nothing, 1 signal, 2 slowdown end, ...)"),
    field("value1", &TrackCell::value1, "first value of the object; cell 1: the marker 5121"),
    field("value2", &TrackCell::value2, "second value of the object; cell 1: the grid check code"),
    field("value3", &TrackCell::value3, "third value of the object"),
    field("value4", &TrackCell::value4, "fourth value of the object"),
    field("timer", &TrackCell::timer, "time value of a signal"),
    field("approach", &TrackCell::approach, "approach marker before a signal or a stopping station"),
    field("montagna", &TrackCell::montagna, "montagna type of the stretch (0 none)"),
    field("speed", &TrackCell::speed, "the train's speed limit in km/h divided by 5"),
    field("gradient", &TrackCell::gradient, "gradient in per mille plus 100 (100 level)"),
    field("adhesion", &TrackCell::adhesion, "adhesion value of the stretch"),
};
inline constexpr size_t kTrackCellBytes = bytes_of(kTrackCell);
static_assert(kTrackCellBytes == 15, "a track cell is 15 bytes on disk");

// ---- Scenario file: the 87 records in index order ------------------------

// A record's fields before its text, its text (a 16-bit length, then that
// many bytes of Windows-1252 text), and its fields after the text.
inline constexpr auto kRecordHead = std::tuple{
    field("kind", &ScenarioRecord::kind, "station kind"),
    field("long1", &ScenarioRecord::long1, "first 32-bit value (zone start, reference, background one, ...)"),
    field("long2", &ScenarioRecord::long2, "second 32-bit value (zone end, route length, ...)"),
    field("long3", &ScenarioRecord::long3, "third 32-bit value (station position, coaches, ...)"),
    field("flag0", &ScenarioRecord::flag0, "first byte value"),
};
inline constexpr std::string_view kRecordTextName = "text";
inline constexpr size_t kRecordTextLengthBytes = 2;
inline constexpr auto kRecordTail = std::tuple{
    field("num1", &ScenarioRecord::num1, "first 16-bit value; record 85: the marker 610"),
    field("num2", &ScenarioRecord::num2, "second 16-bit value"),
    field("num3", &ScenarioRecord::num3, "third 16-bit value"),
    field("num4", &ScenarioRecord::num4, "fourth 16-bit value"),
    field("num5", &ScenarioRecord::num5, "fifth 16-bit value"),
    field("flag1", &ScenarioRecord::flag1, "second byte value"),
    field("flag2", &ScenarioRecord::flag2, "third byte value"),
    field("flag3", &ScenarioRecord::flag3, "fourth byte value"),
    field("flag4", &ScenarioRecord::flag4, "fifth byte value"),
    field("long4", &ScenarioRecord::long4, "fourth 32-bit value; record 85: the scenario check code"),
};
// Where the text's length word stands in a record, and the bytes of a
// record without its text.
inline constexpr size_t kRecordTextLengthOffset = bytes_of(kRecordHead);
inline constexpr size_t kRecordBeforeText = kRecordTextLengthOffset + kRecordTextLengthBytes;
inline constexpr size_t kRecordAfterText = bytes_of(kRecordTail);
inline constexpr size_t kRecordFixedBytes = kRecordBeforeText + kRecordAfterText;
static_assert(kRecordTextLengthOffset == 14 && kRecordFixedBytes == 34,
              "a scenario record is 34 bytes on disk beside its text, whose length word stands at offset 14");

// ---- Line profile file: every x element, then every y element ------------

// Each element is a 16-bit type code and the value the code gives.
inline constexpr size_t kProfileTypeCodeBytes = 2;
constexpr size_t profile_value_bytes(ProfileType t) {
  switch (t) {
    case ProfileType::kEmpty:
      return 0;
    case ProfileType::kInt16:
      return 2;
    case ProfileType::kDouble:
      return 8;
  }
  return 0;
}
constexpr size_t profile_element_bytes(ProfileType t) { return kProfileTypeCodeBytes + profile_value_bytes(t); }
inline constexpr size_t kLargestProfileElement = profile_element_bytes(ProfileType::kDouble);
static_assert(profile_element_bytes(ProfileType::kEmpty) == 2 && profile_element_bytes(ProfileType::kInt16) == 4 &&
                  kLargestProfileElement == 10,
              "a profile element is 2, 4 or 10 bytes on disk");

}  // namespace scenario::layout
