// libFuzzer target: every input is a pair of sources whose diagnostics the
// authoring tool formats for an author.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/diagnostics_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  scenario::fuzz::diagnose_input(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
