#include "output/decoders.h"

#include <type_traits>

#include "output/binary_layouts.h"
#include "output/byte_reader.h"
#include "output/encoders.h"

namespace scenario {

namespace {

template <class T>
Decoded<T> failure(std::string message) {
  Decoded<T> d;
  d.error = std::move(message);
  return d;
}

std::string at(size_t offset) { return " at offset " + std::to_string(offset); }

}  // namespace

Decoded<TrackGrid> decode_track_file(std::string_view bytes) {
  if (bytes.empty()) return failure<TrackGrid>("the track file is empty");
  if (bytes.size() % kTrackCellBytes != 0)
    return failure<TrackGrid>("the size " + std::to_string(bytes.size()) + " bytes is not a whole number of " +
                              std::to_string(kTrackCellBytes) + "-byte cells: the last cell is cut short" +
                              at(bytes.size() / kTrackCellBytes * kTrackCellBytes));
  const size_t cells = bytes.size() / kTrackCellBytes;
  if (cells > static_cast<size_t>(grid_end_for(kMaxRouteLength)) + 1)
    return failure<TrackGrid>("the file holds " + std::to_string(cells) + " cells, more than a route of at most " +
                              std::to_string(kMaxRouteLength) + " m can have");
  TrackGrid grid(cells);
  ByteReader r(bytes);
  for (TrackCell& c : grid) {
    layout::for_each_field(layout::kTrackCell, [&](const auto& f) {
      c.*f.member = r.get<typename std::remove_cvref_t<decltype(f)>::Type>();
    });
  }
  Decoded<TrackGrid> d;
  d.value = std::move(grid);
  return d;
}

Decoded<ScenarioTable> decode_scenario_file(std::string_view bytes) {
  Decoded<ScenarioTable> d;
  d.value.emplace();
  ScenarioTable& table = *d.value;
  ByteReader r(bytes);
  // The length word closes the fields before the text; the rest follows it.
  constexpr size_t kBeforeText = layout::kRecordBeforeText;
  constexpr size_t kAfterText = layout::kRecordAfterText;
  for (int i = 0; i < kScenarioRecords; ++i) {
    const size_t start = r.offset();
    if (!r.has(kBeforeText))
      return failure<ScenarioTable>("record " + std::to_string(i) + " is cut short" + at(start) + ": the file ends " +
                                    std::to_string(r.remaining()) + " bytes into it, before its text length");
    ScenarioRecord& rec = table[static_cast<size_t>(i)];
    const auto get = [&](const auto& f) { rec.*f.member = r.get<typename std::remove_cvref_t<decltype(f)>::Type>(); };
    layout::for_each_field(layout::kRecordHead, get);
    const size_t n = r.u16();
    if (!r.has(n + kAfterText))
      return failure<ScenarioTable>("record " + std::to_string(i) + " is cut short" + at(start) + ": it needs " +
                                    std::to_string(kRecordFixedBytes + n) + " bytes (a text of " + std::to_string(n) +
                                    "), the file has " + std::to_string(r.remaining() + kBeforeText) + " left");
    rec.text.assign(r.bytes(n));
    layout::for_each_field(layout::kRecordTail, get);
  }
  if (r.remaining() != 0)
    return failure<ScenarioTable>(std::to_string(r.remaining()) + " bytes follow the last of the " +
                                  std::to_string(kScenarioRecords) + " records" + at(r.offset()));
  return d;
}

Decoded<LineProfile> decode_profile_file(std::string_view bytes) {
  // First pass: check every type code and size, and count the elements.
  size_t count = 0;
  ByteReader r(bytes);
  while (r.remaining() != 0) {
    const size_t start = r.offset();
    if (!r.has(layout::kProfileTypeCodeBytes))
      return failure<LineProfile>("the last element is cut short" + at(start) + ": one byte of its type code");
    const uint16_t code = r.u16();
    size_t value_bytes = 0;
    const char* what = "";
    switch (code) {
      case static_cast<uint16_t>(ProfileType::kEmpty):
        break;
      case static_cast<uint16_t>(ProfileType::kInt16):
        value_bytes = layout::profile_value_bytes(ProfileType::kInt16);
        what = "a 16-bit integer needs 2 bytes after its type code";
        break;
      case static_cast<uint16_t>(ProfileType::kDouble):
        value_bytes = layout::profile_value_bytes(ProfileType::kDouble);
        what = "a double needs 8 bytes after its type code";
        break;
      default:
        return failure<LineProfile>("element " + std::to_string(count) + " has the type code " + std::to_string(code) +
                                    at(start) +
                                    "; a line profile holds only 0 (empty), 2 (16-bit integer) and 5 (double)");
    }
    if (!r.has(value_bytes))
      return failure<LineProfile>("element " + std::to_string(count) + " is cut short" + at(start) + ": " + what);
    r.bytes(value_bytes);
    ++count;
  }
  if (count == 0) return failure<LineProfile>("the line profile file is empty");
  if (count % 2 != 0)
    return failure<LineProfile>("the file holds " + std::to_string(count) +
                                " elements, an odd number: the x and y halves must be the same length");
  const size_t half = count / 2;
  if (half > static_cast<size_t>(kMaxRouteLength + kGridMargin) + 1)
    return failure<LineProfile>("the plan has " + std::to_string(half) + " points, more than a route of at most " +
                                std::to_string(kMaxRouteLength) + " m can have");

  // Second pass: the values, x half then y half.
  Decoded<LineProfile> d;
  d.value.emplace(static_cast<int32_t>(half - 1));
  LineProfile& p = *d.value;
  ByteReader v(bytes);
  for (size_t i = 0; i < count; ++i) {
    const int axis = i < half ? 0 : 1;
    const auto m = static_cast<int32_t>(i < half ? i : i - half);
    switch (static_cast<ProfileType>(v.u16())) {
      case ProfileType::kEmpty:
        break;
      case ProfileType::kInt16:
        p.set_int16(m, axis, v.i16());
        break;
      case ProfileType::kDouble:
        p.set_double(m, axis, v.f64());
        break;
    }
  }
  return d;
}

}  // namespace scenario
