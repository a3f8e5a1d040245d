#include "output/encoders.h"

#include <algorithm>
#include <memory>

#include "output/byte_buffer.h"

namespace scenario {

std::string encode_track_file(const TrackGrid& grid) {
  std::string out(grid.size() * kTrackCellBytes, '\0');
  ByteWriter w(out.data());
  for (const TrackCell& c : grid)
    layout::for_each_field(layout::kTrackCell, [&](const auto& f) { w.put(c.*f.member); });
  return out;
}

namespace {

// The readers refuse longer texts; the cut only keeps the length word true.
size_t text_bytes(const ScenarioRecord& r) { return std::min(r.text.size(), kMaxTextBytes); }

void encode_record_into(const ScenarioRecord& r, ByteWriter& w) {
  const size_t n = text_bytes(r);
  const auto put = [&](const auto& f) { w.put(r.*f.member); };
  layout::for_each_field(layout::kRecordHead, put);
  w.u16(static_cast<uint16_t>(n));
  w.bytes(std::string_view(r.text).substr(0, n));
  layout::for_each_field(layout::kRecordTail, put);
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

size_t half_bytes(const LineProfile::TypeCounts& c) {
  using layout::profile_element_bytes;
  return static_cast<size_t>(c.empty) * profile_element_bytes(ProfileType::kEmpty) +
         static_cast<size_t>(c.int16) * profile_element_bytes(ProfileType::kInt16) +
         static_cast<size_t>(c.real) * profile_element_bytes(ProfileType::kDouble);
}

// One element: its type code, then its value in the size the type gives.
// Returns the position after it.
char* put_element(char* out, PlanElement e) {
  ByteWriter w(out);
  w.u16(static_cast<uint16_t>(e.type));
  switch (e.type) {
    case ProfileType::kEmpty:
      break;
    case ProfileType::kInt16:
      w.i16(static_cast<int16_t>(e.value));
      break;
    case ProfileType::kDouble:
      w.f64(e.value);
      break;
  }
  return w.position();
}

constexpr size_t kLargestElement = layout::kLargestProfileElement;
// Bytes of each half's buffer in the streamed line profile file: large enough
// that the system calls are few, small enough to stay in the cache.
constexpr size_t kHalfPieceBytes = 256 * 1024;

}  // namespace

std::string encode_profile_file(const LineProfile& profile) {
  if (profile.empty()) return {};
  const size_t y_start = half_bytes(profile.type_counts(0));
  std::string out(y_start + half_bytes(profile.type_counts(1)), '\0');
  // One walk along the plan writes both halves, each at its own place.
  char* x = out.data();
  char* y = out.data() + y_start;
  profile.walk([&](int32_t, PlanElement ex, PlanElement ey) {
    x = put_element(x, ex);
    y = put_element(y, ey);
  });
  return out;
}

size_t ProfileFilePieces::size() const {
  if (profile_.empty()) return 0;
  return half_bytes(profile_.type_counts(0)) + half_bytes(profile_.type_counts(1));
}

bool ProfileFilePieces::produce(const PieceTaker& take) const {
  if (profile_.empty()) return true;
  // One walk along the plan fills a buffer for each half, a block of metres
  // at a time; after each block both buffers are handed over as pieces, each
  // at its half's next offset. Nothing but arithmetic and stores runs inside
  // a block, so the last points stay in registers.
  constexpr auto kBlockMetres = static_cast<int32_t>(kHalfPieceBytes / kLargestElement);
  const auto buffer = std::make_unique<char[]>(2 * kHalfPieceBytes);
  char* const x_base = buffer.get();
  char* const y_base = buffer.get() + kHalfPieceBytes;
  size_t x_offset = 0;
  size_t y_offset = half_bytes(profile_.type_counts(0));
  bool taken = true;
  const auto hand_over = [&taken, &take](const char* base, const char* end, size_t& offset) {
    const auto n = static_cast<size_t>(end - base);
    if (taken && n > 0) taken = take(offset, std::string_view(base, n));
    offset += n;
  };
  PlanWalker walker(profile_);
  while (taken && walker.next() <= profile_.last()) {
    char* x = x_base;
    char* y = y_base;
    walker.walk_to(walker.next() + kBlockMetres - 1, [&x, &y](int32_t, PlanElement ex, PlanElement ey) {
      x = put_element(x, ex);
      y = put_element(y, ey);
    });
    hand_over(x_base, x, x_offset);
    hand_over(y_base, y, y_offset);
  }
  return taken;
}

}  // namespace scenario
