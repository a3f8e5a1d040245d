// libFuzzer target: every input is a pair of sources compiled in memory.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  scenario::fuzz::compile_input(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
