// Conversion between UTF-8 (the encoding of this program's source code and
// of an author's modern editor) and Windows-1252 (the 8-bit code page of
// every text the simulator reads).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// Converts UTF-8 text to Windows-1252. Empty when the text is not valid
// UTF-8 or holds a character the code page does not have.
std::optional<std::string> utf8_to_cp1252(std::string_view utf8);

// Converts Windows-1252 text to UTF-8. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D hex) map to the control characters of the
// same number, so every byte converts.
std::string cp1252_to_utf8(std::string_view cp1252);

// True when the bytes hold at least one multi-byte UTF-8 sequence and are
// valid UTF-8 throughout: a text that an editor most likely saved as UTF-8.
bool looks_like_utf8(std::string_view bytes);

}  // namespace scenario
