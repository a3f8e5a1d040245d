// The three binary files of a compiled scenario read back into the route
// model: the inverse of the encoders. Every size and type code is checked,
// so a malformed file gives a message naming what is wrong and where, never
// a read outside the bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/route_model.h"

namespace scenario {

// A decoded value, or the reason the bytes are not one.
template <class T>
struct Decoded {
  std::optional<T> value;
  std::string error;  // empty when value holds the result

  explicit operator bool() const { return value.has_value(); }
};

// The track file: a whole number of 15-byte cells, at least one.
Decoded<TrackGrid> decode_track_file(std::string_view bytes);

// The scenario file: exactly 87 records, each 34 bytes plus its text, and
// nothing after the last.
Decoded<ScenarioTable> decode_scenario_file(std::string_view bytes);

// The line profile file: tagged elements (type code 0, 2 or 5 and its
// value), an even number of them: the x half, then the y half.
Decoded<LineProfile> decode_profile_file(std::string_view bytes);

}  // namespace scenario
