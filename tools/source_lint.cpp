#include "tools/source_lint.h"

#include <optional>
#include <span>

#include "compiler/field_reader.h"
#include "compiler/keywords.h"
#include "compiler/record_scanner.h"
#include "compiler/source_formats.h"
#include "scenario/cp1252.h"
#include "tools/keyword_suggestion.h"

namespace scenario::tool {

namespace {

namespace kw = keywords;

using Records = std::span<const formats::RecordFormat>;

std::string lower_trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool is_header(std::string_view field) {
  const std::string t = lower_trimmed(field);
  return t.size() >= 2 && t.front() == '[' && t.back() == ']';
}

// The first row (if any) that matches the field.
std::optional<size_t> first_match(std::span<const kw::Row> rows, std::string_view field) {
  for (size_t i = 0; i < rows.size(); ++i)
    if (kw::matches(rows[i], field)) return i;
  return std::nullopt;
}

class Linter {
 public:
  Linter(const std::string& file, std::string_view bytes) : file_(file), reader_(bytes) {}

  std::vector<Diagnostic> take() { return std::move(out_); }

  void warn(int line, int column, std::string message, std::string remedy = {}) {
    Diagnostic d;
    d.severity = Severity::kWarning;
    d.file = file_;
    d.line = line;
    d.column = column;
    d.message = std::move(message);
    d.remedy = std::move(remedy);
    out_.push_back(std::move(d));
  }

  // Reads fields up to and including the first that contains "[generale]",
  // warning about records that stand before it. False at the end of the text.
  bool find_general(std::span<const kw::Row> rows, std::span<const kw::Row> more_rows = {}) {
    return find_general_header(reader_, nullptr, [&](const Field& f) {
      if (first_match(rows, f.text) || first_match(more_rows, f.text))
        warn(f.line, f.column,
             "\"" + f.text + "\" stands before \"[generale]\"; everything before that header is skipped",
             "move the record below the \"[generale]\" header");
    });
  }

  // The next keyword candidate, as the readers take it (the compiler's
  // record scanner). Empty when nothing is left to read.
  std::optional<Field> candidate(const ScanRules& rules) { return next_candidate(reader_, rules); }

  // Reads the value fields of one record, warning about a space before a
  // comma. False when the text ends inside the record.
  bool record(std::span<const formats::FieldFormat> fields) {
    std::optional<Field> previous;
    for (const formats::FieldFormat& field : fields) {
      const bool text = field.type == formats::FieldType::kText;
      auto f = text ? reader_.text() : reader_.number();
      if (!f) return false;
      if (previous && previous->delimiter == Delimiter::kSpace && f->text.empty() &&
          f->delimiter == Delimiter::kComma) {
        const int after = previous->column == 0 ? 0 : reported_number(previous->column + previous->text.size());
        warn(previous->line, after,
             "a space before a comma makes an empty field, which reads as 0; the fields after it move up by one",
             "remove the space before the comma");
      }
      previous = text ? std::nullopt : std::move(f);
    }
    return true;
  }

  // Reads every record the field opens. True when it opened one.
  bool records(const Field& f, Records table, bool curves, bool& ended) {
    bool any = false;
    kw::for_each_match(table, f.text, [&](size_t i) {
      const formats::RecordFormat& r = table[i];
      if (!curves && &r.keyword == &kw::kLineRows[kw::kCurve]) return true;
      if (after_fine_)
        warn(f.line, f.column, "the record \"" + f.text + "\" after \"[fine]\" is still read",
             "move it above \"[fine]\", or delete it");
      any = true;
      ended = !record(r.fields);
      return !ended;
    });
    return any;
  }

  void header(const Field& f, std::span<const std::string_view> known, const char* format, bool read_as_record) {
    const std::string name = lower_trimmed(f.text);
    if (name == "[fine]") after_fine_ = true;
    for (std::string_view k : known)
      if (name == k) return;
    std::string message = "\"" + f.text + "\" is not a section header of the " + format;
    if (read_as_record) message += "; it is read as a record";
    std::string known_list;
    for (std::string_view k : known) known_list += (known_list.empty() ? "" : ", ") + std::string(k);
    warn(f.line, f.column, message, "the headers are " + known_list);
  }

  // A field that opened no record: a header, a keyword of another part of
  // the file, or a near miss.
  void unread(const Field& f, std::span<const kw::Row> rows, const char* elsewhere_rows_name,
              std::span<const kw::Row> elsewhere_rows, const char* elsewhere_where) {
    if (f.text.empty()) return;
    if (first_match(elsewhere_rows, f.text)) {
      warn(f.line, f.column,
           "\"" + f.text + "\" is " + elsewhere_rows_name + "; " + elsewhere_where + " it is not read",
           "move it to its section");
      return;
    }
    for (const auto& row : rows) {
      if (row.ignore_case) continue;
      const kw::Row any_case{row.first, row.second, true, row.written};
      if (kw::matches(any_case, f.text)) {
        warn(f.line, f.column,
             "\"" + f.text + "\" matches no keyword: this keyword is case-sensitive; did you mean " +
                 std::string(row.written) + "?",
             "write the keyword in lower case");
        return;
      }
    }
    if (auto s = suggest_keyword(f.text, rows))
      warn(f.line, f.column, "\"" + f.text + "\" matches no keyword and is skipped; did you mean " + *s + "?");
  }

  bool eof() const { return reader_.eof(); }

 private:
  std::string file_;
  FieldReader reader_;
  std::vector<Diagnostic> out_;
  bool after_fine_ = false;
};

// What the bytes of a source look like they were saved as, when that is not
// the Windows-1252 the simulator reads. The one place where the tool guesses
// an encoding.
enum class Guess { kWindows1252, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

// UTF-16: a byte-order mark (FF FE little-endian, FE FF big-endian), or,
// without one, a NUL in at least three of every four odd bytes (little-endian)
// or even bytes (big-endian) and in none of the others: the Latin letters of
// UTF-16. A Windows-1252 text holds no such run of NULs.
Guess guess_encoding(std::string_view bytes, bool utf8) {
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
    if (b0 == 0xFF && b1 == 0xFE) return Guess::kUtf16LittleEndian;
    if (b0 == 0xFE && b1 == 0xFF) return Guess::kUtf16BigEndian;
    size_t nul[2] = {0, 0};
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      nul[0] += bytes[i] == '\0';
      nul[1] += bytes[i + 1] == '\0';
    }
    const size_t pairs = bytes.size() / 2;
    if (nul[0] == 0 && nul[1] * 4 >= pairs * 3) return Guess::kUtf16LittleEndian;
    if (nul[1] == 0 && nul[0] * 4 >= pairs * 3) return Guess::kUtf16BigEndian;
  }
  if (utf8 && looks_like_utf8(bytes)) return Guess::kUtf8;
  return Guess::kWindows1252;
}

// A source that looks saved in another encoding gets one warning, first of
// all: at the first non-ASCII byte for UTF-8, at the start for UTF-16. The
// UTF-8 guess is made only when the text was not converted from UTF-8; the
// UTF-16 guess always, since a UTF-16 text of Latin letters is valid UTF-8.
void check_encoding(const std::string& file, std::string_view bytes, bool utf8, std::vector<Diagnostic>& out) {
  const Guess guess = guess_encoding(bytes, utf8);
  if (guess == Guess::kWindows1252) return;
  Diagnostic d;
  d.severity = Severity::kWarning;
  d.file = file;
  d.line = 1;
  d.column = 1;
  if (guess == Guess::kUtf8) {
    uint64_t line = 1, column = 1;
    for (unsigned char c : bytes) {
      if (c >= 0x80) break;
      if (c == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    d.line = reported_number(line);
    d.column = d.line == 0 ? 0 : reported_number(column);
    d.message =
        "the file looks UTF-8 encoded; the simulator reads Windows-1252, so its accented texts would arrive "
        "garbled";
    d.remedy = "pass --input-encoding utf-8 to convert it while compiling, or save the file as Windows-1252";
  } else {
    d.message = std::string("the file looks UTF-16 encoded (") +
                (guess == Guess::kUtf16LittleEndian ? "little" : "big") +
                "-endian); the simulator reads Windows-1252, where every other byte of it is a NUL, so none of "
                "its keywords or numbers would be read";
    d.remedy = "save the file as Windows-1252";
  }
  out.insert(out.begin(), std::move(d));
}

}  // namespace

std::vector<Diagnostic> lint_line_source(const std::string& file, std::string_view bytes, const LintOptions& options) {
  Linter lint(file, bytes);
  bool ended = false;
  if (lint.find_general(kw::kGeneralRows, kw::kLineRows)) {
    // The general section ends at the first header.
    while (!ended) {
      auto f = lint.candidate(kGeneralScan);
      if (!f) break;
      const bool read = lint.records(*f, formats::general_records(), true, ended);
      if (closes_general_section(f->text)) {
        lint.header(*f, kw::kLineSections, "line source", read);
        break;
      }
      if (!read) lint.unread(*f, kw::kGeneralRows, "a line record", kw::kLineRows, "inside the general section");
    }
    while (!ended) {
      auto f = lint.candidate(kLineScan);
      if (!f) break;
      const bool read = lint.records(*f, formats::line_records(), options.with_profile, ended);
      if (is_header(f->text)) {
        lint.header(*f, kw::kLineSections, "line source", read);
      } else if (!read && !(kw::matches(kw::kLineRows[kw::kCurve], f->text) && !options.with_profile)) {
        lint.unread(*f, kw::kLineRows, "a record of the general section", kw::kGeneralRows,
                    "after the general section");
      }
    }
  }
  auto out = lint.take();
  check_encoding(file, bytes, options.check_encoding, out);
  return out;
}

std::vector<Diagnostic> lint_train_source(const std::string& file, std::string_view bytes, const LintOptions& options) {
  Linter lint(file, bytes);
  bool ended = false;
  if (lint.find_general(kw::kTrainRows)) {
    while (!ended) {
      auto f = lint.candidate(kTrainScan);
      if (!f) break;
      const bool read = lint.records(*f, formats::train_records(), true, ended);
      if (is_header(f->text)) {
        lint.header(*f, kw::kTrainSections, "train source", read);
      } else if (!read) {
        lint.unread(*f, kw::kTrainRows, "a record of the line source", kw::kLineRows, "in the train source");
      }
    }
  }
  auto out = lint.take();
  check_encoding(file, bytes, options.check_encoding, out);
  return out;
}

}  // namespace scenario::tool
