#include "output/decoders.h"

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
    c.kind = r.u8();
    c.value1 = r.i16();
    c.value2 = r.i16();
    c.value3 = r.i16();
    c.value4 = r.i16();
    c.timer = r.u8();
    c.approach = r.u8();
    c.montagna = r.u8();
    c.speed = r.u8();
    c.gradient = r.u8();
    c.adhesion = r.u8();
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
  // The length word sits at offset 14 of a record; the rest follows the text.
  constexpr size_t kBeforeText = 16;
  constexpr size_t kAfterText = kRecordFixedBytes - kBeforeText;
  for (int i = 0; i < kScenarioRecords; ++i) {
    const size_t start = r.offset();
    if (!r.has(kBeforeText))
      return failure<ScenarioTable>("record " + std::to_string(i) + " is cut short" + at(start) + ": the file ends " +
                                    std::to_string(r.remaining()) + " bytes into it, before its text length");
    ScenarioRecord& rec = table[static_cast<size_t>(i)];
    rec.kind = r.u8();
    rec.long1 = r.i32();
    rec.long2 = r.i32();
    rec.long3 = r.i32();
    rec.flag0 = r.u8();
    const size_t n = r.u16();
    if (!r.has(n + kAfterText))
      return failure<ScenarioTable>("record " + std::to_string(i) + " is cut short" + at(start) + ": it needs " +
                                    std::to_string(kRecordFixedBytes + n) + " bytes (a text of " + std::to_string(n) +
                                    "), the file has " + std::to_string(r.remaining() + kBeforeText) + " left");
    rec.text.assign(r.bytes(n));
    rec.num1 = r.i16();
    rec.num2 = r.i16();
    rec.num3 = r.i16();
    rec.num4 = r.i16();
    rec.num5 = r.i16();
    rec.flag1 = r.u8();
    rec.flag2 = r.u8();
    rec.flag3 = r.u8();
    rec.flag4 = r.u8();
    rec.long4 = r.i32();
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
    if (!r.has(2))
      return failure<LineProfile>("the last element is cut short" + at(start) + ": one byte of its type code");
    const uint16_t code = r.u16();
    size_t value_bytes = 0;
    const char* what = "";
    switch (code) {
      case static_cast<uint16_t>(ProfileType::kEmpty):
        break;
      case static_cast<uint16_t>(ProfileType::kInt16):
        value_bytes = 2;
        what = "a 16-bit integer needs 2 bytes after its type code";
        break;
      case static_cast<uint16_t>(ProfileType::kDouble):
        value_bytes = 8;
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
