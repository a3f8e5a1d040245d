#include "tools/dump_fields.h"

namespace scenario::tool {

namespace {

bool numbers_clear(const ScenarioRecord& r) {
  return r.kind == 0 && r.long1 == 0 && r.long2 == 0 && r.long3 == 0 && r.flag0 == 0 && r.num1 == 0 && r.num2 == 0 &&
         r.num3 == 0 && r.num4 == 0 && r.num5 == 0 && r.flag1 == 0 && r.flag2 == 0 && r.flag3 == 0 && r.flag4 == 0 &&
         r.long4 == 0;
}

// Meanings of kind, long1, long2, long3, flag0, text, num1 to num5, flag1 to
// flag4, long4, in that order.
using Meanings = std::string_view[16];

const Meanings kStation = {"station kind",  "zone start (m)", "zone end (m)", "position (m)", "attribute",
                           "name",          "attribute",      "attribute",    "attribute",    "attribute",
                           "attribute",     "attribute",      "attribute",    "zone end extension",
                           "attribute",     "time of day (s)"};
const Meanings kSignBoard = {"", "", "", "", "", "board text", "", "", "", "", "", "", "", "", "", ""};
const Meanings kKilometre = {"", "first value", "second value", "flag (100 added to the second value)", "", "", "",
                             "", "", "", "", "", "", "", "", ""};
const Meanings kTrain = {"", "braked mass percentage", "route length (m)", "number of coaches", "", "", "", "",
                         "", "", "", "", "", "", "", ""};
const Meanings kRoute = {"", "background one", "background three", "background two", "", "route name",
                         "format marker", "", "", "", "", "", "", "", "", "scenario check code"};
const Meanings kSignals = {"", "code repetition start (m)", "code repetition end (m)", "repeated codes", "",
                           "train number", "sand", "", "clock, first value", "clock, second value",
                           "clock, third value", "", "", "", "", ""};
const Meanings kNone = {};

const Meanings& meanings(std::string_view role) {
  if (role == "station") return kStation;
  if (role == "sign board") return kSignBoard;
  if (role == "kilometre reference") return kKilometre;
  if (role == "train") return kTrain;
  if (role == "route") return kRoute;
  if (role == "signals and train") return kSignals;
  return kNone;
}

}  // namespace

std::string_view record_role(int index, const ScenarioRecord& r) {
  switch (index) {
    case 0:
      return "unused";
    case record::kKilometreThree:
    case record::kKilometreTwo:
    case record::kKilometreOne:
      return "kilometre reference";
    case record::kTrain:
      return "train";
    case record::kRoute:
      return "route";
    case record::kSignals:
      return "signals and train";
    default:
      break;
  }
  if (!numbers_clear(r)) return "station";
  return r.text.empty() ? "cleared" : "sign board";
}

std::vector<NamedField> record_fields(int index, const ScenarioRecord& r) {
  const Meanings& m = meanings(record_role(index, r));
  return {
      {"kind", m[0], int64_t{r.kind}},   {"long1", m[1], int64_t{r.long1}}, {"long2", m[2], int64_t{r.long2}},
      {"long3", m[3], int64_t{r.long3}}, {"flag0", m[4], int64_t{r.flag0}}, {"text", m[5], r.text},
      {"num1", m[6], int64_t{r.num1}},   {"num2", m[7], int64_t{r.num2}},   {"num3", m[8], int64_t{r.num3}},
      {"num4", m[9], int64_t{r.num4}},   {"num5", m[10], int64_t{r.num5}},  {"flag1", m[11], int64_t{r.flag1}},
      {"flag2", m[12], int64_t{r.flag2}}, {"flag3", m[13], int64_t{r.flag3}}, {"flag4", m[14], int64_t{r.flag4}},
      {"long4", m[15], int64_t{r.long4}},
  };
}

std::string_view cell_kind_name(uint8_t kind) {
  switch (kind) {
    case cell_kind::kNothing: return "nothing";
    case cell_kind::kSignal: return "signal";
    case cell_kind::kSlowdownEnd: return "slowdown end";
    case cell_kind::kSlowdownStart: return "slowdown start";
    case cell_kind::kWarningBoard: return "slowdown warning board";
    case cell_kind::kWarningMarker: return "warning board marker";
    case cell_kind::kSpeedBoards: return "speed indicator boards";
    case cell_kind::kStationStop: return "station stop point";
    case cell_kind::kMontagnaMarker: return "montagna marker";
    case cell_kind::kCodeChange: return "cab-code change point";
    case cell_kind::kCodeRemoval: return "cab-code removal point";
    case cell_kind::kSignBoard: return "sign board";
    default: return "unknown";
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
  return {
      {"kind", cell_kind_name(c.kind), int64_t{c.kind}},
      {"value1", v[0], int64_t{c.value1}},
      {"value2", v[1], int64_t{c.value2}},
      {"value3", v[2], int64_t{c.value3}},
      {"value4", v[3], int64_t{c.value4}},
      {"timer", v[4], int64_t{c.timer}},
      {"approach", "approach marker", int64_t{c.approach}},
      {"montagna", "montagna type", int64_t{c.montagna}},
      {"speed", "speed limit / 5 (km/h)", int64_t{c.speed}},
      {"gradient", "gradient + 100 (per mille)", int64_t{c.gradient}},
      {"adhesion", "adhesion", int64_t{c.adhesion}},
  };
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
