// The writers of the built-in texts. Each returns the file's name and its
// bytes; the run sequence writes them into the program's directory.
//   dati_linea          the line source text
//   dati_treno          the train source text
//   dati_note           the notes
//   dati_rallentamenti  the slowdown order
//   dati_scheda         the timetable sheet
#pragma once

#include <string>

#include "scenario/text_file.h"

namespace scenario {

TextFile dati_linea(const std::string& route_name);
TextFile dati_treno(const std::string& route_name, const std::string& train_number);
TextFile dati_note(const std::string& route_name, const std::string& train_number);
TextFile dati_rallentamenti(const std::string& route_name, const std::string& train_number);
TextFile dati_scheda(const std::string& route_name, const std::string& train_number);

}  // namespace scenario
