// libFuzzer target: every input is a binary file from outside, decoded and
// shown as the authoring tool's dump and plot show it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/decoders_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  scenario::fuzz::decode_input(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
