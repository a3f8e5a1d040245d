// The linter: warnings for source text that the format accepts but that is
// almost certainly a slip. It reads the bytes with the compiler's field
// reader and keyword tables, walking the records as the readers do, and
// never changes what the compiler reads: warnings change no output byte.
//   - a space before a comma inside a record (it makes an empty field);
//   - a field that matches no keyword but is close to one ("did you mean");
//   - a case-sensitive general keyword written with other capitals;
//   - a record on the wrong side of the general section, or before it;
//   - records after "[fine]" (they are still read);
//   - a section header the format does not know;
//   - a file that looks UTF-8 or UTF-16 encoded.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/diagnostics.h"

namespace scenario::tool {

struct LintOptions {
  bool with_profile = true;    // curve keywords are records only with the plan
  bool check_encoding = true;  // the UTF-8 guess; off when the text was converted from UTF-8
};

std::vector<Diagnostic> lint_line_source(const std::string& file, std::string_view bytes, const LintOptions& options);
std::vector<Diagnostic> lint_train_source(const std::string& file, std::string_view bytes, const LintOptions& options);

}  // namespace scenario::tool
