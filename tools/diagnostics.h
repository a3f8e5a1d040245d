// Diagnostics for authors in the compiler convention
// "FILE:LINE:COLUMN: error: MESSAGE [code N]", and as JSON. Compile errors
// are heard from the compiler through its observer and named with the
// words of the one table of error codes (compiler/error_table.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "compiler/compile_context.h"
#include "output/memorizza_percorso.h"

namespace scenario::tool {

enum class Severity { kError, kWarning };

struct Diagnostic {
  Severity severity = Severity::kError;
  std::string file;  // as the author named it; empty when no file is concerned
  int line = 0;      // 1-based; 0 when the diagnostic concerns no line
  int column = 0;
  std::optional<int32_t> code;  // the ErrorCode of a compile error
  std::string message;
  std::string remedy;  // what the author can do; printed as a note
};

// How the bytes of a text show on a terminal or in a message: every letter
// of Windows-1252 as itself in UTF-8, control characters and the five bytes
// the code page leaves undefined as \xNN, so that no byte of an author's
// file or of a command line can move the cursor, clear the screen or retitle
// the window. With kCommandLine, a valid UTF-8 sequence of a printable
// character passes as it is (the arguments of a modern terminal), and every
// other byte shows as a Windows-1252 byte does (the arguments on Windows).
// Nothing is left out; format_diagnostic shortens long messages on top.
enum class ShownAs { kWindows1252, kCommandLine };
[[nodiscard]] std::string shown_text(std::string_view bytes, ShownAs as = ShownAs::kWindows1252);

// The diagnostic as text lines, each ended by a line feed: the diagnostic
// itself and, when there is a remedy, a note.
std::string format_diagnostic(const Diagnostic& d, const std::string& program = "scenario");

// {"severity", "file", "line", "column", "code", "message"}; null for what
// is unknown.
nlohmann::ordered_json to_json(const Diagnostic& d);

// One assignment to ErrorCode as the observer heard it.
struct RecordedError {
  int32_t code = 0;
  std::optional<int32_t> position;
  std::optional<SourceLocation> where;
  std::string record;  // the record's keyword, or the reason of a run-time failure
};

// Keeps every error the compiler records, in order.
class ErrorCollector : public CompileObserver {
 public:
  void error_recorded(int32_t code, std::optional<int32_t> position, const std::optional<SourceLocation>& where,
                      std::string_view record) override;
  std::vector<RecordedError> errors;
};

// The author's diagnostic for a recorded error. Errors of the code placement
// (11, 12 and 13) carry their position in metres and cell instead of a
// place in a file.
Diagnostic compile_error_diagnostic(const RecordedError& e, const std::string& line_file,
                                    const std::string& train_file);

// The diagnostic for a compile that did not reach its output (a failed
// final check, no track grid, a file that could not be written); empty when
// the files were written.
std::optional<Diagnostic> fatal_diagnostic(const PercorsoResult& result);

}  // namespace scenario::tool
