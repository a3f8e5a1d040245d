#include "output/encoders.h"

#include <algorithm>
#include <memory>

#include "output/byte_buffer.h"

namespace scenario {

std::string encode_track_file(const TrackGrid& grid) {
  std::string out(grid.size() * kTrackCellBytes, '\0');
  ByteWriter w(out.data());
  for (const TrackCell& c : grid) {
    w.u8(c.kind);
    w.i16(c.value1);
    w.i16(c.value2);
    w.i16(c.value3);
    w.i16(c.value4);
    w.u8(c.timer);
    w.u8(c.approach);
    w.u8(c.montagna);
    w.u8(c.speed);
    w.u8(c.gradient);
    w.u8(c.adhesion);
  }
  return out;
}

namespace {

// The readers refuse longer texts; the cut only keeps the length word true.
size_t text_bytes(const ScenarioRecord& r) { return std::min(r.text.size(), kMaxTextBytes); }

void encode_record_into(const ScenarioRecord& r, ByteWriter& w) {
  const size_t n = text_bytes(r);
  w.u8(r.kind);
  w.i32(r.long1);
  w.i32(r.long2);
  w.i32(r.long3);
  w.u8(r.flag0);
  w.u16(static_cast<uint16_t>(n));
  w.bytes(std::string_view(r.text).substr(0, n));
  w.i16(r.num1);
  w.i16(r.num2);
  w.i16(r.num3);
  w.i16(r.num4);
  w.i16(r.num5);
  w.u8(r.flag1);
  w.u8(r.flag2);
  w.u8(r.flag3);
  w.u8(r.flag4);
  w.i32(r.long4);
}

}  // namespace

void encode_record(const ScenarioRecord& r, std::string& out) {
  const size_t at = out.size();
  out.resize(at + kRecordFixedBytes + text_bytes(r));
  ByteWriter w(out.data() + at);
  encode_record_into(r, w);
}

std::string encode_scenario_file(const ScenarioTable& table) {
  size_t size = 0;
  for (const auto& r : table) size += kRecordFixedBytes + text_bytes(r);
  std::string out(size, '\0');
  ByteWriter w(out.data());
  for (const auto& r : table) encode_record_into(r, w);
  return out;
}

namespace {

size_t element_bytes(ProfileType t) { return t == ProfileType::kEmpty ? 2 : t == ProfileType::kInt16 ? 4 : 10; }
constexpr size_t kLargestElement = 10;

// Writes the elements from..to - 1 of one axis. The types and values are
// read through plain pointers: the loop runs once per metre of the plan.
char* put_elements(const ProfileType* types, const double* values, size_t from, size_t to, char* out) {
  ByteWriter w(out);
  for (size_t m = from; m < to; ++m) {
    w.u16(static_cast<uint16_t>(types[m]));
    switch (types[m]) {
      case ProfileType::kEmpty:
        break;
      case ProfileType::kInt16:
        w.i16(static_cast<int16_t>(values[m]));
        break;
      case ProfileType::kDouble:
        w.f64(values[m]);
        break;
    }
  }
  return w.position();
}

// Metres per piece of the streamed line profile file: at most 160 KiB.
constexpr size_t kPieceElements = 16384;

}  // namespace

std::string encode_profile_file(const LineProfile& profile) {
  if (profile.empty()) return {};
  size_t size = 0;
  for (int axis = 0; axis < 2; ++axis)
    for (ProfileType t : profile.types(axis)) size += element_bytes(t);
  std::string out(size, '\0');
  char* p = out.data();
  for (int axis = 0; axis < 2; ++axis) {
    const auto& types = profile.types(axis);
    p = put_elements(types.data(), profile.values(axis).data(), 0, types.size(), p);
  }
  return out;
}

bool ProfileFilePieces::produce(const PieceTaker& take) const {
  if (profile_.empty()) return true;
  const size_t count = profile_.types(0).size();
  const auto buffer = std::make_unique<char[]>(std::min(count, kPieceElements) * kLargestElement);
  for (int axis = 0; axis < 2; ++axis) {
    const ProfileType* types = profile_.types(axis).data();
    const double* values = profile_.values(axis).data();
    for (size_t from = 0; from < count; from += kPieceElements) {
      const size_t to = std::min(count, from + kPieceElements);
      const char* end = put_elements(types, values, from, to, buffer.get());
      if (!take(std::string_view(buffer.get(), static_cast<size_t>(end - buffer.get())))) return false;
    }
  }
  return true;
}

}  // namespace scenario
