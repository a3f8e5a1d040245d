// The fuzz entry of the binary-file decoders: `scenario dump` and `scenario
// plot` read files from anywhere, so the bytes are decoded as each of the
// three kinds (track, scenario and line profile file) and by the tool's own
// choice of kind for each kind of name, and everything dump and plot derive
// from a decoded file is made in memory: the checks, the table and the JSON
// lines, the plot data and the picture. Aborts when a decoded file does not
// encode back to the same bytes, or a JSON line of dump does not read back
// as one JSON object: whatever the bytes, the tool tells what they hold.
//
// An input is the file's bytes; after a separator line "====" comes, when
// there is one, a scenario file that lends a track file its names.
#pragma once

#include <string_view>

namespace scenario::fuzz {

void decode_input(std::string_view input);

}  // namespace scenario::fuzz
