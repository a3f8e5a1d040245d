#include "compiler/line_general.h"

#include "compiler/error_codes.h"
#include "compiler/keywords.h"
#include "compiler/record_scanner.h"
#include "compiler/source_formats.h"

namespace scenario {

namespace {

constexpr int32_t kRepetitionStep = 50;

void read_reference(SourceFields& src, keywords::General row, ScenarioRecord& r) {
  formats::RecordFields f(src, formats::general_record(row));
  r.long1 = f.long_value();
  r.long2 = f.long_value();
  r.long3 = f.long_value();
}

int32_t read_background(SourceFields& src, keywords::General row) {
  return formats::RecordFields(src, formats::general_record(row)).long_value();
}

// The route length: kept in record 84 as read, then checked, then the grid
// and the plan are sized from it.
RecordOutcome read_length(RouteModel& m, SourceFields& src, GeneralSection& out) {
  const int32_t length = formats::RecordFields(src, formats::general_record(keywords::kLength)).long_value();
  m.table[record::kTrain].long2 = length;
  if (length > kMaxRouteLength) return RecordOutcome::refused(error::kRouteTooLong);
  if (length <= 0) return RecordOutcome::refused(error::kRouteNotPositive);
  size_model(m, length);
  out.length_read = true;
  return RecordOutcome::accepted();
}

// The cab-signal code repetition: start and end must be multiples of 50;
// the keyword names the number of repeated codes, 4 before 9.
RecordOutcome read_repetition(RouteModel& m, SourceFields& src, std::string_view keyword) {
  ScenarioRecord& r = m.table[record::kSignals];
  formats::RecordFields f(src, formats::general_record(keywords::kRepetition));
  r.long1 = f.long_value();
  r.long2 = f.long_value();
  if (r.long1 % kRepetitionStep != 0) return RecordOutcome::refused(error::kRepetitionStart);
  if (r.long2 % kRepetitionStep != 0) return RecordOutcome::refused(error::kRepetitionEnd);
  if (keyword.find('4') != std::string_view::npos) {
    r.long3 = 4;
  } else if (keyword.find('9') != std::string_view::npos) {
    r.long3 = 9;
  } else {
    return RecordOutcome::refused(error::kRepetitionCodes);
  }
  if (r.long2 == 0) r.long3 = 0;
  return RecordOutcome::accepted();
}

// Tries the eight rows on the keyword candidate; every matching row reads
// its record.
RecordOutcome read_general_records(RouteModel& m, SourceFields& src, GeneralSection& out) {
  using namespace keywords;
  const std::string field = m.current_field;
  ScenarioTable& t = m.table;
  RecordOutcome outcome = RecordOutcome::accepted();
  for_each_match(kGeneralRows, field, [&](size_t row) {
    switch (static_cast<General>(row)) {
      case kLength:
        outcome = read_length(m, src, out);
        break;
      case kKilometreThree:
        read_reference(src, kKilometreThree, t[record::kKilometreThree]);
        break;
      case kKilometreTwo:
        read_reference(src, kKilometreTwo, t[record::kKilometreTwo]);
        break;
      case kKilometreOne:
        read_reference(src, kKilometreOne, t[record::kKilometreOne]);
        break;
      // Background two goes to long3 and background three to long2.
      case kBackgroundOne:
        t[record::kRoute].long1 = read_background(src, kBackgroundOne);
        break;
      case kBackgroundTwo:
        t[record::kRoute].long3 = read_background(src, kBackgroundTwo);
        break;
      case kBackgroundThree:
        t[record::kRoute].long2 = read_background(src, kBackgroundThree);
        break;
      case kRepetition:
        outcome = read_repetition(m, src, field);
        break;
    }
    return outcome.is_accepted();
  });
  return outcome;
}

}  // namespace

GeneralSection read_general_section(CompileContext& ctx, SourceFields& src) {
  RouteModel& m = ctx.model;
  GeneralSection out;
  while (const std::optional<Field> f = next_candidate(src, kGeneralScan, &m.current_field)) {
    enter_record(ctx, src.file(), *f);
    out.outcome = read_general_records(m, src, out);
    if (!out.outcome.is_accepted()) return out;
    if (closes_general_section(m.current_field)) break;
  }
  return out;
}

}  // namespace scenario
