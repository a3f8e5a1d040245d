#include "compiler/error_table.h"

#include <array>

#include "compiler/error_codes.h"

namespace scenario {

namespace {

#define SCENARIO_ERROR_ENTRY(name, code, sets_position, meaning, remedy) \
  ErrorInfo{code, #name, sets_position, meaning, remedy},
constexpr ErrorInfo kTable[] = {SCENARIO_ERROR_CODES(SCENARIO_ERROR_ENTRY)};
#undef SCENARIO_ERROR_ENTRY

constexpr bool in_rising_order() {
  for (size_t i = 1; i < std::size(kTable); ++i)
    if (kTable[i - 1].code >= kTable[i].code) return false;
  return true;
}
static_assert(in_rising_order(), "the error codes are listed once each, in rising order");

}  // namespace

std::span<const ErrorInfo> error_table() { return kTable; }

std::optional<ErrorInfo> error_info(int32_t code) {
  for (const auto& e : kTable)
    if (e.code == code) return e;
  return std::nullopt;
}

std::string describe_compile_error(int32_t code, int32_t position) {
  const auto info = error_info(code);
  std::string out = "compile error " + std::to_string(code);
  if (info && info->sets_position) out += " at " + std::to_string(position) + " m";
  out += ": ";
  out += info ? std::string(info->meaning) : std::string("unknown error");
  return out;
}

}  // namespace scenario
