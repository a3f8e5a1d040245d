#include "scenario/timetable_sheet.h"

#include "scenario/builtin_texts.h"
#include "scenario/line_list.h"

namespace scenario {

namespace {

std::vector<std::string> builtin_sheet_lines() {
  std::string error;
  auto facts = read_train_facts(builtin_train_text(), &error);
  if (!facts) built_in_document_fault("timetable sheet", error);
  if (facts->stations.empty()) built_in_document_fault("timetable sheet", "no stations");
  const std::vector<TimetableEntry> entries = timetable_entries(*facts);
  auto lines = layout_timetable_sheet(train_title(*facts), entries, &error);
  if (!lines) built_in_document_fault("timetable sheet", error);
  return std::move(*lines);
}

}  // namespace

SheetTitle train_title(const TrainFacts& facts) {
  SheetTitle t;
  t.train_number = kBuiltinTrainNumber;
  if (!facts.stations.empty()) {
    t.from = facts.stations.front().name;
    t.to = facts.stations.back().name;
  }
  t.category = 'V' + std::to_string(kTrainTopSpeed) + " C";
  t.braked_mass = std::to_string(facts.braked_mass_percent) + '%';
  t.classification = "INTERCITY";
  t.locked_mass = "800T";
  return t;
}

std::span<const std::string_view> builtin_timetable_sheet() {
  static const LineList list(builtin_sheet_lines());
  return list.view();
}

}  // namespace scenario
