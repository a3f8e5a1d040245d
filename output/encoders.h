// The three binary files of a compiled scenario, as pure functions from the
// route model to bytes: no header, no padding, little-endian fields.
#pragma once

#include <string>

#include "compiler/route_model.h"
#include "output/binary_layouts.h"
#include "output/output_sink.h"

namespace scenario {

// Size of one track cell on disk, and of a scenario record without its text.
using layout::kRecordFixedBytes;
using layout::kTrackCellBytes;

// The track file: every cell of the grid in index order, 15 bytes each.
std::string encode_track_file(const TrackGrid& grid);

// One scenario record: 34 bytes plus its text.
void encode_record(const ScenarioRecord& r, std::string& out);

// The scenario file: the 87 records in index order.
std::string encode_scenario_file(const ScenarioTable& table);

// The line profile file: all x elements, then all y elements, each a 2-byte
// type code followed by its value (none, a 16-bit integer or a double).
std::string encode_profile_file(const LineProfile& profile);

// The same bytes as encode_profile_file, produced through one 512 KiB
// buffer: the run writes the largest of its files without holding it whole
// in memory, and a laid plan is computed as it is written. Each piece is a
// part of the x half or of the y half. The profile must outlive the source.
class ProfileFilePieces : public PieceSource {
 public:
  explicit ProfileFilePieces(const LineProfile& profile) : profile_(profile) {}
  size_t size() const override;
  bool produce(const PieceTaker& take) const override;

 private:
  const LineProfile& profile_;
};

}  // namespace scenario
