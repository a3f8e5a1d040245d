#include "tools/diagnostics.h"

#include <cstdio>

#include "compiler/error_codes.h"
#include "compiler/error_table.h"
#include "scenario/cp1252.h"

namespace scenario::tool {

namespace {

const char* severity_word(Severity s) { return s == Severity::kError ? "error" : "warning"; }

// How one byte of a message shows: every letter of the code page as itself
// in UTF-8, control characters and the five bytes the code page leaves
// undefined as \xNN.
std::string shown_byte(char c) {
  const auto b = static_cast<unsigned char>(c);
  const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
  if (b < 0x20 || b == 0x7F || undefined) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(b));
    return escaped;
  }
  if (b < 0x80) return std::string(1, c);
  return cp1252_to_utf8(std::string_view(&c, 1));
}

// The length of the UTF-8 sequence of a printable character (U+00A0 and
// above) that starts at s[i], or 0 when none starts there. C1 control
// characters (C2 80 to C2 9F) are no printable character.
size_t printable_utf8_at(std::string_view s, size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  const size_t n = (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  if (b0 == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0) return 0;
  return looks_like_utf8(s.substr(i, n)) ? n : 0;
}

size_t shown_size(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b < 0x80) return b < 0x20 || b == 0x7F ? 4 : 1;
  return shown_byte(c).size();
}

// A message quotes the author's fields as the source holds them: Windows-1252
// bytes, possibly control characters, possibly a field of a million
// characters. What reaches the terminal or the JSON is UTF-8, each byte shown
// as shown_byte does. A message that would show longer than 300 bytes keeps
// the beginning that shows in 200 bytes and the end that shows in 60, with
// the number of source bytes left out between them: the bound holds for the
// shown text, whose escapes take four bytes for one.
std::string readable(std::string_view message) {
  constexpr size_t kLongest = 300, kHead = 200, kTail = 60;
  size_t total = 0;
  for (const char c : message) total += shown_size(c);
  if (total <= kLongest) return shown_text(message);
  std::string head;
  size_t first = 0;  // the first byte left out
  while (first < message.size() && head.size() + shown_size(message[first]) <= kHead)
    head += shown_byte(message[first++]);
  size_t end = message.size();  // one past the last byte left out
  size_t tail_size = 0;
  while (end > first && tail_size + shown_size(message[end - 1]) <= kTail) tail_size += shown_size(message[--end]);
  std::string tail;
  tail.reserve(tail_size);
  for (size_t i = end; i < message.size(); ++i) tail += shown_byte(message[i]);
  return head + " ... (" + std::to_string(end - first) + " bytes left out) ... " + tail;
}

std::string place(const Diagnostic& d, const std::string& program) {
  if (d.file.empty()) return program;
  std::string out = d.file;
  if (d.line > 0) {
    out += ':';
    out += std::to_string(d.line);
    if (d.column > 0) {
      out += ':';
      out += std::to_string(d.column);
    }
  }
  return out;
}

bool placed_by_pass(int32_t code) {
  return code == error::kNoCellBeforeSignal || code == error::kBandFull || code == error::kWalkFull;
}

// The source an error without a record location concerns: the codes of the
// line phase (and the kilometre references, which the line source holds)
// point at the line source, those of the train phase at the train source.
std::optional<SourceKind> source_of(int32_t code) {
  switch (code) {
    case error::kRouteTooLong:
    case error::kKilometreNotMultiple:
    case error::kRepetitionStart:
    case error::kRepetitionEnd:
    case error::kRepetitionCodes:
    case error::kSignBoardOccupied:
    case error::kSpeedBoardsOccupied:
    case error::kNoLineSource:
    case error::kNoGeneralSection:
    case error::kBadCurve:
    case error::kNoRouteLength:
    case error::kRouteNotPositive:
    case error::kTooManyMontagne:
    case error::kTooManySignBoards:
      return SourceKind::kLine;
    case error::kCodeReductionOccupied:
    case error::kStationPosition:
    case error::kStationLength:
    case error::kTooManyStations:
    case error::kNoCellBeforeSignal:
    case error::kBandFull:
    case error::kWalkFull:
    case error::kSignalOccupied:
    case error::kWarningBoardOccupied:
    case error::kSlowdownStartOccupied:
    case error::kSlowdownEndOccupied:
    case error::kWarningMarkersOccupied:
    case error::kStationsTooClose:
    case error::kStationAtStart:
    case error::kStationBeyondGrid:
    case error::kSlowdownEndOutside:
      return SourceKind::kTrain;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::string shown_text(std::string_view bytes, ShownAs as) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    if (const size_t n = as == ShownAs::kCommandLine ? printable_utf8_at(bytes, i) : 0; n > 0) {
      out.append(bytes.substr(i, n));
      i += n;
    } else {
      out += shown_byte(bytes[i++]);
    }
  }
  return out;
}

std::string format_diagnostic(const Diagnostic& d, const std::string& program) {
  std::string out = place(d, program) + ": " + severity_word(d.severity) + ": " + readable(d.message);
  if (d.code) out += " [code " + std::to_string(*d.code) + "]";
  out += "\n";
  if (!d.remedy.empty()) out += place(d, program) + ": note: " + d.remedy + "\n";
  return out;
}

nlohmann::ordered_json to_json(const Diagnostic& d) {
  nlohmann::ordered_json j;
  j["severity"] = severity_word(d.severity);
  j["file"] = d.file.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(d.file);
  j["line"] = d.line > 0 ? nlohmann::ordered_json(d.line) : nlohmann::ordered_json(nullptr);
  j["column"] = d.column > 0 ? nlohmann::ordered_json(d.column) : nlohmann::ordered_json(nullptr);
  j["code"] = d.code ? nlohmann::ordered_json(*d.code) : nlohmann::ordered_json(nullptr);
  j["message"] = readable(d.message);
  return j;
}

void ErrorCollector::error_recorded(int32_t code, std::optional<int32_t> position,
                                    const std::optional<SourceLocation>& where, std::string_view record) {
  errors.push_back({code, position, where, std::string(record)});
}

Diagnostic compile_error_diagnostic(const RecordedError& e, const std::string& line_file,
                                    const std::string& train_file) {
  Diagnostic d;
  d.severity = Severity::kError;
  d.code = e.code;
  const auto info = error_info(e.code);
  if (info) d.remedy = std::string(info->remedy);
  const std::string meaning = info ? std::string(info->meaning) : "unknown error " + std::to_string(e.code);

  if (e.code == error::kRuntimeFailure && !e.record.empty()) {
    d.message = "a field could not be read: " + e.record;
  } else if (placed_by_pass(e.code)) {
    d.message = meaning;
    if (e.position)
      d.message += " at " + std::to_string(*e.position) + " m (cell " + std::to_string(*e.position / 50) + ")";
  } else {
    d.message = meaning;
    if (!e.record.empty()) d.message += ": record \"" + e.record + "\"";
    if (e.position) d.message += (e.record.empty() ? " at " : ", at ") + std::to_string(*e.position) + " m";
  }

  std::optional<SourceKind> file;
  if (e.where && !placed_by_pass(e.code)) {
    file = e.where->file;
    d.line = e.where->line;
    d.column = e.where->column;
  } else {
    file = source_of(e.code);
  }
  if (file) d.file = *file == SourceKind::kLine ? line_file : train_file;
  return d;
}

std::optional<Diagnostic> fatal_diagnostic(const PercorsoResult& result) {
  Diagnostic d;
  d.severity = Severity::kError;
  switch (result.end) {
    case PercorsoEnd::kDone:
      return std::nullopt;
    case PercorsoEnd::kFinalCheckFailed:
      d.code = result.failed_check;
      d.message = "final check failed, \" Errore n. " + std::to_string(result.failed_check) + "\": track cell 1 " +
                  (result.failed_check == 1250 ? "already holds a first value where the marker 5121 goes"
                                               : "already holds a second value where the grid check code goes") +
                  "; no file was written";
      d.remedy = "keep objects out of track cell 1: no board, signal or code point within the first 75 m";
      break;
    case PercorsoEnd::kNoGrid:
      d.message = "the track grid was never sized, so there is nothing to pass over or write; no file was written";
      d.remedy = "correct the errors above: the line source must reach a valid \"lunghezza percorso\" record";
      break;
    case PercorsoEnd::kWriteFailed:
      d.message = result.failure;
      break;
  }
  return d;
}

}  // namespace scenario::tool
