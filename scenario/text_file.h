// The built-in texts and how they are written: a list of lines kept in this
// program's source as UTF-8, ended by an end marker that is never written,
// and turned into Windows-1252 bytes with CR LF after every line.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace scenario {

// The line that ends every built-in list; it is never written.
inline constexpr std::string_view kEndMarker = "riferimento fine del file";

// A text file ready to be written: its name and its bytes.
struct TextFile {
  std::string name;
  std::string bytes;
};

// Encodes the lines up to the end marker (or the end of the list), each
// converted to Windows-1252 and followed by CR LF. A line the code page
// cannot hold is a fault of the built-in data; it aborts the program.
std::string encode_lines(std::span<const std::string_view> lines);

}  // namespace scenario
