// Splits a written text file into its lines, as the simulator's viewer reads
// them: Windows-1252 bytes, each line ended by CR LF.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/cp1252.h"
#include "scenario/text_file.h"

namespace scenario::testing {

// The lines of the file as bytes; a file that does not end every line with
// CR LF, or holds a bare CR or LF, fails the calling test.
inline std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the file does not end with CR LF";
      break;
    }
    std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "bare CR or LF in: " << line;
    lines.push_back(std::move(line));
    start = end + 2;
  }
  return lines;
}

// The same lines converted to UTF-8, for comparison with texts in this
// source file.
inline std::vector<std::string> utf8_lines(const std::vector<std::string>& cp1252) {
  std::vector<std::string> out;
  out.reserve(cp1252.size());
  for (const std::string& l : cp1252) out.push_back(cp1252_to_utf8(l));
  return out;
}

}  // namespace scenario::testing
