#include "tools/dump_fields.h"

#include <span>
#include <tuple>
#include <type_traits>

#include "output/binary_layouts.h"

namespace scenario::tool {

namespace {

bool numbers_clear(const ScenarioRecord& r) {
  return r.kind == 0 && r.long1 == 0 && r.long2 == 0 && r.long3 == 0 && r.flag0 == 0 && r.num1 == 0 && r.num2 == 0 &&
         r.num3 == 0 && r.num4 == 0 && r.num5 == 0 && r.flag1 == 0 && r.flag2 == 0 && r.flag3 == 0 && r.flag4 == 0 &&
         r.long4 == 0;
}

// What a field of a record holds in one role, by the field's name in the
// layout of the scenario file; a field a role does not use is not listed.
struct FieldMeaning {
  std::string_view field;
  std::string_view meaning;
};
using Meanings = std::span<const FieldMeaning>;

constexpr FieldMeaning kStation[] = {
    {"kind", "station kind"},    {"long1", "zone start (m)"},     {"long2", "zone end (m)"},
    {"long3", "position (m)"},   {"flag0", "attribute"},          {"text", "name"},
    {"num1", "attribute"},       {"num2", "attribute"},           {"num3", "attribute"},
    {"num4", "attribute"},       {"num5", "attribute"},           {"flag1", "attribute"},
    {"flag2", "attribute"},      {"flag3", "zone end extension"}, {"flag4", "attribute"},
    {"long4", "time of day (s)"}};
constexpr FieldMeaning kSignBoard[] = {{"text", "board text"}};
constexpr FieldMeaning kKilometre[] = {
    {"long1", "first value"}, {"long2", "second value"}, {"long3", "flag (100 added to the second value)"}};
constexpr FieldMeaning kTrain[] = {
    {"long1", "braked mass percentage"}, {"long2", "route length (m)"}, {"long3", "number of coaches"}};
constexpr FieldMeaning kRoute[] = {{"long1", "background one"}, {"long2", "background three"},
                                   {"long3", "background two"}, {"text", "route name"},
                                   {"num1", "format marker"},   {"long4", "scenario check code"}};
constexpr FieldMeaning kSignals[] = {{"long1", "code repetition start (m)"},
                                     {"long2", "code repetition end (m)"},
                                     {"long3", "repeated codes"},
                                     {"text", "train number"},
                                     {"num1", "sand"},
                                     {"num3", "clock, first value"},
                                     {"num4", "clock, second value"},
                                     {"num5", "clock, third value"}};

// Every field a role names is a field of the record's layout.
constexpr bool is_record_field(std::string_view name) {
  bool found = name == layout::kRecordTextName;
  const auto check = [&](const auto& f) { found = found || f.name == name; };
  layout::for_each_field(layout::kRecordHead, check);
  layout::for_each_field(layout::kRecordTail, check);
  return found;
}
constexpr bool all_record_fields(Meanings m) {
  for (const FieldMeaning& f : m)
    if (!is_record_field(f.field)) return false;
  return true;
}
static_assert(all_record_fields(kStation) && all_record_fields(kSignBoard) && all_record_fields(kKilometre) &&
                  all_record_fields(kTrain) && all_record_fields(kRoute) && all_record_fields(kSignals),
              "the meanings name fields of the scenario record");

std::string_view meaning_of(Meanings m, std::string_view field) {
  for (const FieldMeaning& f : m)
    if (f.field == field) return f.meaning;
  return {};
}

Meanings meanings(RecordRole role) {
  switch (role) {
    case RecordRole::kStation:
      return kStation;
    case RecordRole::kSignBoard:
      return kSignBoard;
    case RecordRole::kKilometreReference:
      return kKilometre;
    case RecordRole::kTrain:
      return kTrain;
    case RecordRole::kRoute:
      return kRoute;
    case RecordRole::kSignals:
      return kSignals;
    case RecordRole::kUnused:
    case RecordRole::kCleared:
      break;
  }
  return {};
}

}  // namespace

RecordRole record_role(int index, const ScenarioRecord& r) {
  switch (index) {
    case 0:
      return RecordRole::kUnused;
    case record::kKilometreThree:
    case record::kKilometreTwo:
    case record::kKilometreOne:
      return RecordRole::kKilometreReference;
    case record::kTrain:
      return RecordRole::kTrain;
    case record::kRoute:
      return RecordRole::kRoute;
    case record::kSignals:
      return RecordRole::kSignals;
    default:
      break;
  }
  if (!numbers_clear(r)) return RecordRole::kStation;
  return r.text.empty() ? RecordRole::kCleared : RecordRole::kSignBoard;
}

std::string_view role_name(RecordRole role) {
  switch (role) {
    case RecordRole::kUnused:
      return "unused";
    case RecordRole::kCleared:
      return "cleared";
    case RecordRole::kStation:
      return "station";
    case RecordRole::kSignBoard:
      return "sign board";
    case RecordRole::kKilometreReference:
      return "kilometre reference";
    case RecordRole::kTrain:
      return "train";
    case RecordRole::kRoute:
      return "route";
    case RecordRole::kSignals:
      return "signals and train";
  }
  return "unknown";
}

std::vector<NamedField> record_fields(int index, const ScenarioRecord& r) {
  const Meanings m = meanings(record_role(index, r));
  std::vector<NamedField> out;
  const auto add = [&](const auto& f) { out.push_back({f.name, meaning_of(m, f.name), int64_t{r.*f.member}}); };
  layout::for_each_field(layout::kRecordHead, add);
  out.push_back({layout::kRecordTextName, meaning_of(m, layout::kRecordTextName), r.text});
  layout::for_each_field(layout::kRecordTail, add);
  return out;
}

std::string_view cell_kind_name(uint8_t kind) {
  switch (kind) {
    case cell_kind::kNothing:
      return "nothing";
    case cell_kind::kSignal:
      return "signal";
    case cell_kind::kSlowdownEnd:
      return "slowdown end";
    case cell_kind::kSlowdownStart:
      return "slowdown start";
    case cell_kind::kWarningBoard:
      return "slowdown warning board";
    case cell_kind::kWarningMarker:
      return "warning board marker";
    case cell_kind::kSpeedBoards:
      return "speed indicator boards";
    case cell_kind::kStationStop:
      return "station stop point";
    case cell_kind::kMontagnaMarker:
      return "montagna marker";
    case cell_kind::kCodeChange:
      return "cab-code change point";
    case cell_kind::kCodeRemoval:
      return "cab-code removal point";
    case cell_kind::kSignBoard:
      return "sign board";
    default:
      return "unknown";
  }
}

std::vector<NamedField> cell_fields(const TrackCell& c) {
  // Meanings of value1 to value4 and timer by kind.
  std::string_view v[5] = {};
  switch (c.kind) {
    case cell_kind::kSignal:
      v[0] = "s1*10+d1";
      v[1] = "s2*10+d2";
      v[2] = "s3*10+d3";
      v[3] = "rapp*10+sx*3+dx";
      v[4] = "time value";
      break;
    case cell_kind::kSlowdownEnd:
    case cell_kind::kSlowdownStart:
      v[0] = "speed (km/h)";
      v[1] = "d_v";
      v[2] = "whole-train flag";
      break;
    case cell_kind::kWarningBoard:
      v[0] = "speed (km/h)";
      v[1] = "d_v";
      break;
    case cell_kind::kWarningMarker:
      v[0] = "marker number";
      v[1] = "marker number (with d_v)";
      break;
    case cell_kind::kSpeedBoards:
      v[0] = "rank A: left*20+right/5";
      v[1] = "rank B: left*20+right/5";
      v[2] = "rank C: left*20+right/5";
      v[3] = "stripes: left*10+right";
      break;
    case cell_kind::kStationStop:
      v[0] = "station record";
      break;
    case cell_kind::kCodeChange:
      v[0] = "cab-signal code";
      break;
    case cell_kind::kSignBoard:
      v[0] = "text record";
      break;
    default:
      break;
  }
  // The dump's own labels: the objects' meanings by kind, then the stretches.
  const std::string_view labels[] = {cell_kind_name(c.kind),
                                     v[0],
                                     v[1],
                                     v[2],
                                     v[3],
                                     v[4],
                                     "approach marker",
                                     "montagna type",
                                     "speed limit / 5 (km/h)",
                                     "gradient + 100 (per mille)",
                                     "adhesion"};
  static_assert(std::tuple_size_v<std::remove_const_t<decltype(layout::kTrackCell)>> ==
                std::extent_v<decltype(labels)>);
  std::vector<NamedField> out;
  size_t i = 0;
  layout::for_each_field(layout::kTrackCell, [&](const auto& f) {
    out.push_back({f.name, labels[i++], int64_t{c.*f.member}});
  });
  return out;
}

bool cell_is_set(const TrackCell& c) {
  return c.kind != 0 || c.value1 != 0 || c.value2 != 0 || c.value3 != 0 || c.value4 != 0 || c.timer != 0 ||
         c.approach != 0;
}

int64_t object_position(int64_t cell, uint8_t kind) {
  switch (kind) {
    case cell_kind::kSignal:
    case cell_kind::kSlowdownEnd:
    case cell_kind::kSlowdownStart:
    case cell_kind::kWarningBoard:
    case cell_kind::kSpeedBoards:
    case cell_kind::kSignBoard:
      return (cell - 1) * 50;
    case cell_kind::kStationStop:
      return (cell + 1) * 50;
    default:
      return cell * 50;
  }
}

}  // namespace scenario::tool
