// The record scanner shared by every reader of the source formats: the
// compiler's general section, line records and train records, the
// authoring tool's linter and the documents' reader of the built-in train
// text. It finds the "[generale]" header and hands out keyword candidates:
// a field holding "-" is replaced by the next field (up to a phase's number
// of times), and the last field of a text is never handled. Where the end
// of the text is tested between replacements is a rule of each phase: the
// general section makes no such test, so a text ending inside a run of
// hyphen fields is a read past the end (a run-time failure in the compiler).
// The source is any reader with eof() and text(), text() giving a Field or
// an optional Field.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "compiler/field_reader.h"
#include "compiler/keywords.h"

namespace scenario {

// What differs between the phases that scan records.
struct ScanRules {
  int hyphen_replacements = 2;
  // The end of the text is tested after each replacement; a candidate read
  // as the text's last field is then dropped.
  bool end_test_after_replacement = true;
  // The model's current field follows every field read (the line phases);
  // otherwise it is set to the candidate only (the train phase).
  bool current_follows_every_read = true;
};

// The general section of the line source: up to ten replacements, no end
// test between them.
inline constexpr ScanRules kGeneralScan{10, false, true};
// The line records after the general section.
inline constexpr ScanRules kLineScan{2, true, true};
// The train records.
inline constexpr ScanRules kTrainScan{2, true, false};

inline constexpr std::string_view kGeneralHeader = "[generale]";

// True when the field closes the general section: it holds "[" and "]" and,
// leading spaces aside, does not begin with "-".
[[nodiscard]] bool closes_general_section(std::string_view field);

namespace scan_detail {

// A Field from a reader that fails by throwing, an optional one from a
// reader that fails by giving nothing: both read as an optional Field.
template <class Source>
std::optional<Field> read(Source& src) {
  return src.text();
}

}  // namespace scan_detail

// Reads fields up to and including the first that holds "[generale]" (case
// ignored), handing every field before it to skipped and, when given,
// leaving each in current. False when the text ends first.
template <class Source, class Skipped>
[[nodiscard]] bool find_general_header(Source& src, std::string* current, Skipped&& skipped) {
  while (!src.eof()) {
    std::optional<Field> f = scan_detail::read(src);
    if (!f) return false;
    if (current) *current = f->text;
    if (keywords::contains(f->text, kGeneralHeader, true)) return true;
    skipped(*f);
  }
  return false;
}

template <class Source>
[[nodiscard]] bool find_general_header(Source& src, std::string* current = nullptr) {
  return find_general_header(src, current, [](const Field&) {});
}

// The next keyword candidate under the phase's rules, with the model's
// current field kept as the rules say. Empty when nothing is left to handle.
template <class Source>
[[nodiscard]] std::optional<Field> next_candidate(Source& src, const ScanRules& rules, std::string* current = nullptr) {
  if (src.eof()) return std::nullopt;
  std::optional<Field> f = scan_detail::read(src);
  if (!f) return std::nullopt;
  if (current && rules.current_follows_every_read) *current = f->text;
  // The last field of the text is never handled.
  if (src.eof()) return std::nullopt;
  for (int k = 0; k < rules.hyphen_replacements && f->text.find('-') != std::string::npos; ++k) {
    f = scan_detail::read(src);
    if (!f) return std::nullopt;
    if (current && rules.current_follows_every_read) *current = f->text;
    if (rules.end_test_after_replacement && src.eof()) return std::nullopt;
  }
  if (current && !rules.current_follows_every_read) *current = f->text;
  return f;
}

}  // namespace scenario
