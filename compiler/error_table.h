// The table of every ErrorCode with its meaning in plain words, built from
// the one list in compiler/error_codes.h and shared by the one-shot program,
// the authoring tool and the fuzz checks.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace scenario {

struct ErrorInfo {
  int32_t code;
  std::string_view name;     // the constant of the code, "kSignalOccupied"
  bool sets_position;        // whether ErrorPosition is set with this code
  std::string_view meaning;  // what went wrong
  std::string_view remedy;   // what an author can do about it
};

// Every code, in rising order.
[[nodiscard]] std::span<const ErrorInfo> error_table();

// The entry of a code; empty for a code that is not in the table.
[[nodiscard]] std::optional<ErrorInfo> error_info(int32_t code);

// One line naming the code, its meaning and, where the code sets it, the
// position: "compile error 16 at 2800 m: the cell of a signal is already occupied".
[[nodiscard]] std::string describe_compile_error(int32_t code, int32_t position);

}  // namespace scenario
