#include "tools/dump_writer.h"

#include <charconv>
#include <cmath>

#include <nlohmann/json.hpp>

#include "scenario/cp1252.h"
#include "tools/diagnostics.h"
#include "tools/dump_fields.h"

namespace scenario::tool {

namespace {

using json = nlohmann::ordered_json;

// The shortest text that reads back as the same double.
std::string real(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// A text of the file in quotes, as the diagnostics show an author's text:
// whole, its control bytes as \xNN, so none of them reaches the terminal.
std::string quoted(const std::string& cp1252) {
  std::string out = "\"";
  out += shown_text(cp1252);
  out += '"';
  return out;
}

// One JSON line. The texts are whole; the serializer escapes the control
// characters below 20 hex, and this escapes the rest that a terminal may act
// on: DEL and the C1 controls (the five bytes Windows-1252 leaves undefined
// arrive as U+0081, U+008D, U+008F, U+0090 and U+009D). The JSON reads back
// as the same text.
void line(std::string& out, const json& j) {
  const std::string dumped = j.dump(-1, ' ', false, json::error_handler_t::replace);
  out.reserve(out.size() + dumped.size() + 1);
  for (size_t i = 0; i < dumped.size(); ++i) {
    const auto b = static_cast<unsigned char>(dumped[i]);
    const auto next = i + 1 < dumped.size() ? static_cast<unsigned char>(dumped[i + 1]) : 0;
    if (b == 0x7F || (b == 0xC2 && next >= 0x80 && next < 0xA0)) {
      const unsigned code = b == 0x7F ? b : next;
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[code >> 4];
      out += kHex[code & 0xF];
      if (b == 0xC2) ++i;
      continue;
    }
    out += dumped[i];
  }
  out += '\n';
}

json header_json(const DumpHeader& h, const char* type) {
  json j;
  j["file"] = h.file;
  j["type"] = type;
  j["bytes"] = h.bytes;
  if (!h.note.empty()) j["note"] = h.note;
  return j;
}

void header_text(std::string& out, const DumpHeader& h, const std::string& summary) {
  out += shown_text(h.file, ShownAs::kCommandLine) + ": " + summary + ", " + std::to_string(h.bytes) + " bytes\n";
  if (!h.note.empty()) out += "note: " + h.note + "\n";
}

void checks_out(std::string& out, const std::vector<FileCheck>& checks, bool json_lines) {
  for (const auto& c : checks) {
    if (json_lines) {
      json j;
      j["check"] = c.what;
      j["expected"] = c.expected ? json(*c.expected) : json(nullptr);
      j["found"] = c.found;
      j["ok"] = c.ok();
      if (!c.note.empty()) j["note"] = c.note;
      line(out, j);
      continue;
    }
    out += "check " + c.what + ": " + std::to_string(c.found);
    if (c.expected) {
      out += c.ok() ? ", as expected\n" : ", MISMATCH: expected " + std::to_string(*c.expected) + "\n";
    } else {
      out += ", " + c.note + "\n";
    }
  }
}

json field_value(const NamedField& f) {
  if (const auto* s = std::get_if<std::string>(&f.value)) return cp1252_to_utf8(*s);
  return std::get<int64_t>(f.value);
}

std::string field_text(const NamedField& f) {
  if (const auto* s = std::get_if<std::string>(&f.value)) return quoted(*s);
  return std::to_string(std::get<int64_t>(f.value));
}

bool field_zero(const NamedField& f) {
  if (const auto* s = std::get_if<std::string>(&f.value)) return s->empty();
  return std::get<int64_t>(f.value) == 0;
}

// One aligned line per field that holds something, or, with
// show_meaningful_zeros, that means something in this role.
void fields_text(std::string& out, const std::vector<NamedField>& fields, bool show_meaningful_zeros) {
  for (const auto& f : fields) {
    if (field_zero(f) && (f.meaning.empty() || !show_meaningful_zeros)) continue;
    std::string l = "  " + std::string(f.name);
    l.resize(12, ' ');
    std::string v = field_text(f);
    if (v.size() < 12) v.resize(12, ' ');
    l += v;
    if (!f.meaning.empty()) l += "  " + std::string(f.meaning);
    while (!l.empty() && l.back() == ' ') l.pop_back();
    out += l + "\n";
  }
}

}  // namespace

std::string dump_scenario(const DumpHeader& h, const ScenarioTable& table, const std::vector<FileCheck>& checks,
                          bool json_lines) {
  std::string out;
  const ScenarioRecord& route = table[record::kRoute];
  const ScenarioRecord& signals = table[record::kSignals];
  if (json_lines) {
    json j = header_json(h, "scenario");
    j["records"] = kScenarioRecords;
    j["route_name"] = cp1252_to_utf8(route.text);
    j["train_number"] = cp1252_to_utf8(signals.text);
    line(out, j);
  } else {
    header_text(out, h, "scenario file, 87 records, route " + quoted(route.text) + ", train " + quoted(signals.text));
  }

  int cleared_from = -1;
  auto flush_cleared = [&](int upto) {
    if (cleared_from < 0 || json_lines) return;
    out += cleared_from == upto
               ? "record " + std::to_string(upto) + ": cleared\n"
               : "records " + std::to_string(cleared_from) + " to " + std::to_string(upto) + ": cleared\n";
    cleared_from = -1;
  };
  for (int i = 0; i < kScenarioRecords; ++i) {
    const ScenarioRecord& r = table[static_cast<size_t>(i)];
    const RecordRole role = record_role(i, r);
    const auto fields = record_fields(i, r);
    if (json_lines) {
      json j;
      j["record"] = i;
      j["role"] = role_name(role);
      for (const auto& f : fields) j[std::string(f.name)] = field_value(f);
      line(out, j);
      continue;
    }
    if ((role == RecordRole::kCleared || role == RecordRole::kUnused) && r == ScenarioRecord{}) {
      if (cleared_from < 0) cleared_from = i;
      continue;
    }
    flush_cleared(i - 1);
    out += "record " + std::to_string(i) + ": " + std::string(role_name(role)) + "\n";
    fields_text(out, fields, true);
  }
  flush_cleared(kScenarioRecords - 1);
  checks_out(out, checks, json_lines);
  return out;
}

namespace {

struct Stretch {
  const char* name;
  uint8_t TrackCell::*field;
  const char* unit;
  int scale;  // value shown = field * scale + offset
  int offset;
};

constexpr Stretch kStretches[] = {
    {"speed", &TrackCell::speed, "km/h", 5, 0},
    {"gradient", &TrackCell::gradient, "per mille", 1, -100},
    {"adhesion", &TrackCell::adhesion, "", 1, 0},
    {"montagna", &TrackCell::montagna, "type", 1, 0},
};

}  // namespace

std::string dump_track(const DumpHeader& h, const TrackGrid& grid, const std::vector<FileCheck>& checks,
                       bool json_lines) {
  std::string out;
  const size_t cells = grid.size();
  if (json_lines) {
    json j = header_json(h, "track");
    j["cells"] = cells;
    j["grid_end"] = cells - 1;
    line(out, j);
  } else {
    header_text(out, h,
                "track file, " + std::to_string(cells) + " cells of 50 m (grid end " + std::to_string(cells - 1) + ")");
    out += "cells that hold an object, a value or an approach marker:\n";
  }

  for (size_t i = 0; i < cells; ++i) {
    const TrackCell& c = grid[i];
    if (!cell_is_set(c)) continue;
    const auto fields = cell_fields(c);
    const int64_t at = object_position(static_cast<int64_t>(i), c.kind);
    if (json_lines) {
      json j;
      j["cell"] = i;
      j["position"] = at;
      j["kind_name"] = cell_kind_name(c.kind);
      for (const auto& f : fields) j[std::string(f.name)] = field_value(f);
      line(out, j);
      continue;
    }
    out += "cell " + std::to_string(i) + ": " + std::string(cell_kind_name(c.kind));
    if (c.kind != 0) out += " at " + std::to_string(at) + " m";
    out += "\n";
    // The object fields only; the stretches follow as runs.
    std::vector<NamedField> object(fields.begin() + 1, fields.begin() + 7);
    if (i == 1) {
      object[0].meaning = "marker (5121)";
      object[1].meaning = "grid check code";
    }
    fields_text(out, object, false);
  }

  if (!json_lines) out += "stretches (runs of equal value, by cell):\n";
  for (const Stretch& s : kStretches) {
    std::string runs;
    size_t from = 0;
    for (size_t i = 1; i <= cells; ++i) {
      if (i < cells && grid[i].*s.field == grid[from].*s.field) continue;
      const int value = grid[from].*s.field * s.scale + s.offset;
      if (json_lines) {
        json j;
        j["stretch"] = s.name;
        j["from_cell"] = from;
        j["to_cell"] = i - 1;
        j["value"] = value;
        line(out, j);
      } else {
        runs += "  cells " + std::to_string(from) + "-" + std::to_string(i - 1) + ": " + std::to_string(value) +
                (*s.unit ? std::string(" ") + s.unit : std::string()) + "\n";
      }
      from = i;
    }
    if (!json_lines) out += std::string(s.name) + "\n" + runs;
  }
  checks_out(out, checks, json_lines);
  return out;
}

namespace {

const char* type_name(ProfileType t) {
  switch (t) {
    case ProfileType::kEmpty:
      return "empty";
    case ProfileType::kInt16:
      return "int16";
    case ProfileType::kDouble:
      return "double";
  }
  return "?";
}

// A JSON number, or null where JSON has no number for the value.
std::string json_real(ProfileType t, double v) {
  if (t == ProfileType::kEmpty || !std::isfinite(v)) return "null";
  return real(v);
}

}  // namespace

std::string dump_profile(const DumpHeader& h, const LineProfile& p, bool json_lines) {
  std::string out;
  const int32_t last = p.last();
  if (json_lines) {
    json j = header_json(h, "profile");
    j["profile_end"] = last;
    j["points"] = last + 1;
    line(out, j);
  } else {
    header_text(
        out, h,
        "line profile file, " + std::to_string(last + 1) + " points (metres 0 to " + std::to_string(last) + ")");
    // Runs of equal element types first: the shape of the file at a glance.
    out += "element types by metre (x, y):\n";
    int32_t from = 0;
    ProfileType run_x = ProfileType::kEmpty, run_y = ProfileType::kEmpty;
    auto close_run = [&](int32_t to) {
      out += "  metres " + std::to_string(from) + "-" + std::to_string(to) + ": " + type_name(run_x) + ", " +
             type_name(run_y) + "\n";
    };
    p.walk([&](int32_t m, const PlanElement& x, const PlanElement& y) {
      if (m > 0 && (x.type != run_x || y.type != run_y)) {
        close_run(m - 1);
        from = m;
      }
      run_x = x.type;
      run_y = y.type;
    });
    close_run(last);
    out += "points: metre, x, y (metres, with their element types)\n";
  }
  out.reserve(out.size() + static_cast<size_t>(last + 1) * (json_lines ? 80 : 48));
  p.walk([&](int32_t m, const PlanElement& x, const PlanElement& y) {
    if (json_lines) {
      out += "{\"metre\":" + std::to_string(m) + ",\"x\":" + json_real(x.type, x.value) + ",\"x_type\":\"" +
             type_name(x.type) + "\",\"y\":" + json_real(y.type, y.value) + ",\"y_type\":\"" + type_name(y.type) +
             "\"}\n";
    } else {
      out += std::to_string(m) + "  " + (x.type == ProfileType::kEmpty ? "-" : real(x.value)) + " " +
             type_name(x.type) + "  " + (y.type == ProfileType::kEmpty ? "-" : real(y.value)) + " " +
             type_name(y.type) + "\n";
    }
  });
  return out;
}

}  // namespace scenario::tool
