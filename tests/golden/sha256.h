// SHA-256 of a byte string, as lower-case hexadecimal: the tests pin whole
// output files by their digest instead of committing megabytes of bytes.
#pragma once

#include <string>
#include <string_view>

namespace scenario::testing {

std::string sha256_hex(std::string_view bytes);

}  // namespace scenario::testing
