// The keyword tables of the two source formats. A field matches a row when
// it contains every word of the row anywhere (a substring test), with or
// without regard to letter case as the row says. The readers try every row
// of a table, in table order, on the same field; the authoring tool uses the
// same tables for its suggestions.
#pragma once

#include <span>
#include <string_view>

namespace scenario::keywords {

struct Row {
  std::string_view first;
  std::string_view second;  // empty when the row has one word
  bool ignore_case;
  std::string_view written;  // the keyword field as the built-in files write it
};

// True when s contains part, comparing ASCII letters without case when asked.
bool contains(std::string_view s, std::string_view part, bool ignore_case);

// True when the field matches the row.
bool matches(const Row& row, std::string_view field);

// The keyword row of an entry of a table: a row itself, or (found by
// argument-dependent lookup) a record of the field table.
constexpr const Row& row_of(const Row& row) { return row; }

// How a keyword candidate opens records: every entry of the table whose row
// the field matches, in table order, reads its record. read(index) reads
// the record of one entry and tells whether the next ones are still tried.
template <class Table, class Read>
void for_each_match(const Table& table, std::string_view field, Read&& read) {
  size_t i = 0;
  for (const auto& entry : table) {
    if (matches(row_of(entry), field) && !read(i)) return;
    ++i;
  }
}

// General section of the line source, in the order the reader tries them.
enum General {
  kLength,
  kKilometreThree,
  kKilometreTwo,
  kKilometreOne,
  kBackgroundOne,
  kBackgroundTwo,
  kBackgroundThree,
  kRepetition
};
inline constexpr Row kGeneralRows[] = {
    {"percorso", "lunghezza", true, "lunghezza percorso"},
    {"tre", "progressiva", false, "progressiva chilometrica tre"},
    {"due", "progressiva", false, "progressiva chilometrica due"},
    {"uno", "progressiva", false, "progressiva chilometrica uno"},
    {"sfondo", "uno", false, "sfondo uno"},
    {"sfondo", "due", false, "sfondo due"},
    {"sfondo", "tre", false, "sfondo tre"},
    {"segnali", "ripetizione", false, "ripetizione segnali 9 codici"},
};

// Line records after the general section.
enum Line { kGradient, kCurve, kMontagna, kSpeedBoards, kSignBoard };
inline constexpr Row kLineRows[] = {
    {"pendenza", "", true, "pendenza"},
    {"curva", "", true, "curvad1"},
    {"montagna", "", true, "montagna"},
    {"indicatori_v", "", true, "indicatori_vmax"},
    {"indicat", "cartello", true, "cartello_indicatore"},
};

// Train records.
enum Train { kBrakedMass, kCoaches, kSpeed, kAdhesion, kClock, kSand, kSignal, kSlowdown, kCodeReduction, kStation };
inline constexpr Row kTrainRows[] = {
    {"frenata", "massa", true, "percentuale massa frenata"},
    {"vetture", "", true, "numero vetture"},
    {"velocit", "", true, "velocita"},
    {"aderenza", "", true, "aderenza"},
    {"orologio", "", true, "orologio"},
    {"sabbia", "", true, "sabbia"},
    {"segnale", "", true, "segnale"},
    {"rallentamento", "", true, "rallentamento"},
    {"abbattimento", "", true, "abbattimento"},
    {"stazione", "", true, "stazione"},
};

// The section headers the built-in files write. The readers only look for
// "[generale]"; the others organise the files for people.
inline constexpr std::string_view kLineSections[] = {"[generale]", "[curve]",       "[pendenze]", "[montagne]",
                                                     "[cartelli]", "[indicazioni]", "[fine]"};
inline constexpr std::string_view kTrainSections[] = {"[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
                                                      "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

}  // namespace scenario::keywords
