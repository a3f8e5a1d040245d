#include "compiler/line_general.h"

#include "compiler/error_codes.h"
#include "compiler/keywords.h"

namespace scenario {

namespace {

// Fields made of hyphens before a keyword: up to ten are passed over in a row.
constexpr int kHyphenFields = 10;
constexpr int32_t kRepetitionStep = 50;

void begin_record(CompileContext& ctx, const SourceFields& src, const Field& f) {
  ctx.record_at = SourceLocation{src.file(), f.line, f.column};
  ctx.record_keyword = f.text;
}

// A section header closes the general section: a field holding "[" and "]"
// that does not begin with "-".
bool is_section_header(std::string_view field) {
  const size_t first = field.find_first_not_of(' ');
  const std::string_view trimmed = first == std::string_view::npos ? std::string_view{} : field.substr(first);
  return field.find('[') != std::string_view::npos && field.find(']') != std::string_view::npos &&
         !trimmed.starts_with('-');
}

void read_reference(SourceFields& src, ScenarioRecord& r) {
  r.long1 = src.read_long();
  r.long2 = src.read_long();
  r.long3 = src.read_long();
}

// The route length: kept in record 84 as read, then checked, then the grid
// and the plan are sized from it.
int32_t read_length(RouteModel& m, SourceFields& src, GeneralSection& out) {
  const int32_t length = src.read_long();
  m.table[record::kTrain].long2 = length;
  if (length > kMaxRouteLength) return error::kRouteTooLong;
  if (length <= 0) return error::kRouteNotPositive;
  size_model(m, length);
  out.length_read = true;
  return 0;
}

// The cab-signal code repetition: start and end must be multiples of 50;
// the keyword names the number of repeated codes, 4 before 9.
int32_t read_repetition(RouteModel& m, SourceFields& src, std::string_view keyword) {
  ScenarioRecord& r = m.table[record::kSignals];
  r.long1 = src.read_long();
  r.long2 = src.read_long();
  if (r.long1 % kRepetitionStep != 0) return error::kRepetitionStart;
  if (r.long2 % kRepetitionStep != 0) return error::kRepetitionEnd;
  if (keyword.find('4') != std::string_view::npos) {
    r.long3 = 4;
  } else if (keyword.find('9') != std::string_view::npos) {
    r.long3 = 9;
  } else {
    return error::kRepetitionCodes;
  }
  if (r.long2 == 0) r.long3 = 0;
  return 0;
}

// Tries the eight rows on the keyword candidate; every matching row reads
// its record.
int32_t read_general_records(RouteModel& m, SourceFields& src, GeneralSection& out) {
  using namespace keywords;
  const std::string field = m.current_field;
  ScenarioTable& t = m.table;
  for (int row = kLength; row <= kRepetition; ++row) {
    if (!matches(kGeneralRows[row], field)) continue;
    int32_t refusal = 0;
    switch (row) {
      case kLength: refusal = read_length(m, src, out); break;
      case kKilometreThree: read_reference(src, t[record::kKilometreThree]); break;
      case kKilometreTwo: read_reference(src, t[record::kKilometreTwo]); break;
      case kKilometreOne: read_reference(src, t[record::kKilometreOne]); break;
      // Background two goes to long3 and background three to long2.
      case kBackgroundOne: t[record::kRoute].long1 = src.read_long(); break;
      case kBackgroundTwo: t[record::kRoute].long3 = src.read_long(); break;
      case kBackgroundThree: t[record::kRoute].long2 = src.read_long(); break;
      case kRepetition: refusal = read_repetition(m, src, field); break;
      default: break;
    }
    if (refusal != 0) return refusal;
  }
  return 0;
}

}  // namespace

GeneralSection read_general_section(CompileContext& ctx, SourceFields& src) {
  RouteModel& m = ctx.model;
  GeneralSection out;
  while (!src.eof()) {
    Field f = src.text();
    m.current_field = f.text;
    // The last field of the source is never interpreted.
    if (src.eof()) break;
    // No end-of-file test between these reads: a source that ends inside a
    // run of hyphen fields is a run-time failure.
    for (int k = 0; k < kHyphenFields && m.current_field.find('-') != std::string::npos; ++k) {
      f = src.text();
      m.current_field = f.text;
    }
    begin_record(ctx, src, f);
    out.refusal = read_general_records(m, src, out);
    if (out.refusal != 0) return out;
    if (is_section_header(m.current_field)) break;
  }
  return out;
}

}  // namespace scenario
