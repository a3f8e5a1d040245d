#include "scenario/train_facts.h"

#include <limits>

#include "compiler/field_reader.h"
#include "scenario/text_file.h"

namespace scenario {

namespace {

// Reads the fields of one line with the same field reader as the compiler.
class LineFields {
 public:
  explicit LineFields(std::string_view line) : reader_(line) {}

  std::optional<std::string> text() {
    auto f = reader_.text();
    if (!f) return std::nullopt;
    return std::move(f->text);
  }

  std::optional<int32_t> number() {
    auto f = reader_.number();
    if (!f) return std::nullopt;
    auto v = parse_number(f->text);
    if (!v || *v < std::numeric_limits<int32_t>::min() ||
        *v > std::numeric_limits<int32_t>::max()) {
      return std::nullopt;
    }
    return static_cast<int32_t>(*v);
  }

  // Reads `n` numbers into `out`; false when one of them does not read.
  bool numbers(int32_t* out, int n) {
    for (int i = 0; i < n; ++i) {
      auto v = number();
      if (!v) return false;
      out[i] = *v;
    }
    return true;
  }

 private:
  FieldReader reader_;
};

bool read_station(LineFields& f, TrainFacts& facts) {
  // Position, kind, length, ten attributes, hours, minutes, seconds, name.
  int32_t v[16];
  if (!f.numbers(v, 16)) return false;
  auto name = f.text();
  if (!name) return false;
  StationFact s;
  s.position = v[0];
  s.kind = v[1];
  s.length = v[2];
  s.time_of_day = (v[13] * 60 + v[14]) * 60 + v[15];
  s.name = std::move(*name);
  facts.stations.push_back(std::move(s));
  return true;
}

bool read_speed(LineFields& f, TrainFacts& facts) {
  int32_t v[2];
  if (!f.numbers(v, 2)) return false;
  facts.speed_limits.push_back({v[0], v[1]});
  return true;
}

bool read_slowdown(LineFields& f, TrainFacts& facts) {
  int32_t v[6];
  if (!f.numbers(v, 6)) return false;
  facts.slowdowns.push_back({v[0], v[1], v[2], v[3] != 0, v[4] != 0, v[5]});
  return true;
}

bool read_braked_mass(LineFields& f, TrainFacts& facts) {
  auto v = f.number();
  if (!v) return false;
  facts.braked_mass_percent = *v;
  return true;
}

}  // namespace

int TrainFacts::limit_at(int32_t position) const {
  int limit = 0;
  for (const SpeedFact& s : speed_limits) {
    if (s.position > position) break;
    limit = s.limit;
  }
  return limit;
}

std::optional<TrainFacts> read_train_facts(std::span<const std::string_view> lines,
                                           std::string* error) {
  TrainFacts facts;
  for (std::string_view line : lines) {
    if (line == kEndMarker) break;
    LineFields f(line);
    auto keyword = f.text();
    if (!keyword) continue;
    bool ok = true;
    if (*keyword == "stazione") {
      ok = read_station(f, facts);
    } else if (*keyword == "velocita") {
      ok = read_speed(f, facts);
    } else if (*keyword == "rallentamento") {
      ok = read_slowdown(f, facts);
    } else if (*keyword == "percentuale massa frenata") {
      ok = read_braked_mass(f, facts);
    }
    if (!ok) {
      if (error) *error = "train source line does not read: " + std::string(line);
      return std::nullopt;
    }
  }
  return facts;
}

}  // namespace scenario
