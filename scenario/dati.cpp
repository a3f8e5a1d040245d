#include "scenario/dati.h"

#include "compiler/file_names.h"
#include "scenario/builtin_texts.h"

namespace scenario {

TextFile dati_linea(const std::string& route) {
  return {file_names(route, "").line_source, encode_lines(builtin_line_text())};
}

TextFile dati_treno(const std::string& route, const std::string& train) {
  return {file_names(route, train).train_source, encode_lines(builtin_train_text())};
}

TextFile dati_note(const std::string& route, const std::string& train) {
  return {file_names(route, train).notes, encode_lines(builtin_notes())};
}

TextFile dati_rallentamenti(const std::string& route, const std::string& train) {
  return {file_names(route, train).slowdown_order, encode_lines(builtin_slowdown_order())};
}

TextFile dati_scheda(const std::string& route, const std::string& train) {
  return {file_names(route, train).timetable_sheet, encode_lines(builtin_timetable_sheet())};
}

}  // namespace scenario
