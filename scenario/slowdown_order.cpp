#include "scenario/slowdown_order.h"

#include "scenario/builtin_texts.h"
#include "scenario/chainage.h"
#include "scenario/line_list.h"

namespace scenario {

namespace {

constexpr std::string_view kTitle = "                                Modulo M. 3";
constexpr std::string_view kHeading = "                           ORDINE DI RALLENTAMENTO";
constexpr std::string_view kLineLead = "  Linea  ";
constexpr std::string_view kOrder = "  Si ordina al macchinista del treno 731 di effettuare i seguenti rallentamenti";
constexpr std::string_view kTableHead[] = {
    " |   |                            |Inizio dopo |          |         |            |",
    " | N.|      FRA LE STAZIONI       | il cippo   | Velocità |Lunghezza|Prescrizioni|",
    " |   |   (o nelle Stazioni di)    |chilometrico|          |  metri  | specifiche |",
};
constexpr std::string_view kTableRule =
    " |___|____________________________|____________|__________|_________|____________|";
constexpr std::string_view kPrescriptionsTitle = "              Prescrizioni specifiche";
constexpr std::string_view kPrescriptionA = "A - Da rispettare con tutto il treno (per i treni viaggiatori)";
constexpr std::string_view kPrescriptionB = " B - Prescrizione notificata con modulo M. 40 nella stazione di ";
constexpr std::string_view kPrescriptionsCtoE[] = {
    " C - Da rispettare dalle ore 07.30 alle ore 20.30 di tutti",
    "     i giorni esclusi i FESTIVI e i PREFESTIVI",
    " D - Rallentamento N. ... e N. ...  sono contigui",
    " E - Segnale di avviso non preceduto da tavole distanziometriche",
};
constexpr std::string_view kNoPrescriptions = "---";

// Prescriptions the order adds to a slowdown beyond "A", which the train
// source text carries itself (the whole-train flag): the slowdown at 53750 m
// is notified in writing (B) and holds only in the working hours of
// working days (C).
struct OrderNote {
  int32_t position;
  std::string_view letters;
};
constexpr OrderNote kOrderNotes[] = {{53750, "B-C"}};

std::string prescriptions_for(const SlowdownFact& s) {
  std::string letters = s.whole_train ? "A" : "";
  for (const OrderNote& n : kOrderNotes) {
    if (n.position != s.position) continue;
    if (!letters.empty()) letters += '-';
    letters += n.letters;
  }
  return letters;
}

// The stations a stretch lies between, or the one station it lies in.
std::string between_stations(const TrainFacts& f, int32_t start, int32_t end) {
  const StationFact* before = nullptr;
  const StationFact* after = nullptr;
  for (const StationFact& s : f.stations) {
    if (start >= s.position - s.length / 2 && end <= s.position + s.length / 2) return s.name;
    if (s.position <= start) before = &s;
    if (s.position >= end && !after) after = &s;
  }
  if (before && after) return before->name + " - " + after->name;
  if (before) return before->name;
  if (after) return after->name;
  return {};
}

std::vector<std::string> builtin_order_lines() {
  std::string error;
  auto facts = read_train_facts(builtin_train_text(), &error);
  if (!facts) built_in_document_fault("slowdown order", error);
  if (facts->stations.empty()) built_in_document_fault("slowdown order", "no stations");
  const std::vector<SlowdownRow> rows = slowdown_rows(*facts);
  // Prescription B names the last station where the train stops before the
  // slowdown it belongs to.
  std::string notice_station;
  for (const SlowdownRow& r : rows) {
    if (r.prescriptions.find('B') == std::string::npos) continue;
    const int32_t start = facts->slowdowns[static_cast<size_t>(r.number - 1)].position;
    for (const StationFact& s : facts->stations) {
      if (s.position <= start && s.is_stop()) notice_station = s.name;
    }
  }
  const std::string line_name = facts->stations.front().name + " - " + facts->stations.back().name;
  auto lines = layout_slowdown_order(line_name, rows, notice_station, &error);
  if (!lines) built_in_document_fault("slowdown order", error);
  return std::move(*lines);
}

}  // namespace

int32_t post_before(int32_t position) {
  const int32_t km = chainage_metres(position);
  // Counting up, the post before is the whole kilometre below; counting
  // down, the one above.
  if (counts_down(position)) return km >= 0 ? (km + 999) / 1000 : -(-km / 1000);
  return km >= 0 ? km / 1000 : -((-km + 999) / 1000);
}

std::optional<std::string> format_slowdown_row(const std::optional<SlowdownRow>& row) {
  std::array<std::string, 6> cells;
  if (row) {
    cells = {
        std::to_string(row->number),  row->between,
        std::to_string(row->post_km), std::to_string(row->speed),
        std::to_string(row->length),  row->prescriptions.empty() ? std::string(kNoPrescriptions) : row->prescriptions};
  }
  return format_table_row(" ", kSlowdownColumns, cells);
}

std::vector<SlowdownRow> slowdown_rows(const TrainFacts& facts) {
  std::vector<SlowdownRow> rows;
  rows.reserve(facts.slowdowns.size());
  int number = 1;
  for (const SlowdownFact& s : facts.slowdowns) {
    rows.push_back({number++, between_stations(facts, s.position, s.position + s.length), post_before(s.position),
                    s.speed, s.length, prescriptions_for(s)});
  }
  return rows;
}

std::optional<std::vector<std::string>> layout_slowdown_order(std::string_view line_name,
                                                              std::span<const SlowdownRow> rows,
                                                              std::string_view notice_station, std::string* error) {
  if (rows.size() > static_cast<size_t>(kSlowdownTableRows)) {
    if (error) *error = "more slowdowns than rows in the order's table";
    return std::nullopt;
  }
  std::vector<std::string> lines;
  lines.reserve(kSlowdownOrderLines);
  lines.emplace_back();
  lines.emplace_back(kTitle);
  lines.emplace_back(kHeading);
  lines.push_back(" " + std::string(80, '_'));
  lines.push_back(std::string(kLineLead) + std::string(line_name));
  lines.emplace_back();
  lines.emplace_back(kOrder);
  lines.push_back("  " + std::string(79, '_'));
  for (std::string_view h : kTableHead) lines.emplace_back(h);
  lines.emplace_back(kTableRule);
  for (int i = 0; i < kSlowdownTableRows; ++i) {
    std::optional<SlowdownRow> row;
    if (static_cast<size_t>(i) < rows.size()) row = rows[static_cast<size_t>(i)];
    auto text = format_slowdown_row(row);
    if (!text) {
      if (error) *error = "slowdown " + std::to_string(i + 1) + " does not fit the table";
      return std::nullopt;
    }
    lines.push_back(std::move(*text));
  }
  lines.emplace_back(kTableRule);
  lines.emplace_back();
  lines.emplace_back(kPrescriptionsTitle);
  lines.emplace_back(kPrescriptionA);
  lines.push_back(std::string(kPrescriptionB) + std::string(notice_station));
  for (std::string_view p : kPrescriptionsCtoE) lines.emplace_back(p);
  return lines;
}

std::span<const std::string_view> builtin_slowdown_order() {
  static const LineList list(builtin_order_lines());
  return list.view();
}

}  // namespace scenario
