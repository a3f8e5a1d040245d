#include "compiler/progressive_ordina.h"

#include <array>
#include <cstdint>

#include "compiler/arith.h"

namespace scenario {

namespace {

// The three values of one kilometre reference; the records move whole.
struct Reference {
  int32_t long1 = 0;
  int32_t long2 = 0;
  int32_t long3 = 0;
};

Reference take(const ScenarioRecord& r) { return {r.long1, r.long2, r.long3}; }

void put(ScenarioRecord& r, const Reference& v) {
  r.long1 = v.long1;
  r.long2 = v.long2;
  r.long3 = v.long3;
}

// The outcome when the first values are not all zero: descending order of
// long1; of two equal smaller keys, the one from the higher-numbered record
// comes first; a shared greatest key clears all three.
std::array<Reference, 3> by_first_value(const Reference& a, const Reference& b, const Reference& c) {
  const int32_t k1 = a.long1, k2 = b.long1, k3 = c.long1;
  if (k1 > k2 && k1 > k3) return k2 > k3 ? std::array{a, b, c} : std::array{a, c, b};
  if (k2 > k1 && k2 > k3) return k1 > k3 ? std::array{b, a, c} : std::array{b, c, a};
  if (k3 > k1 && k3 > k2) return k1 > k2 ? std::array{c, a, b} : std::array{c, b, a};
  return {};
}

// The outcome when the first values sum to zero: the second values decide,
// each test that holds replacing the outcome of the one before.
std::array<Reference, 3> by_second_value(const Reference& a, const Reference& b, const Reference& c) {
  std::array<Reference, 3> out{};
  if (a.long2 > 0) out = {a, b, c};
  if (b.long2 > 0) out = {b, a, c};
  if (c.long2 > 0) out = {c, b, a};
  return out;
}

}  // namespace

void progressive_ordina(ScenarioTable& table) {
  ScenarioRecord& r81 = table[record::kKilometreThree];
  ScenarioRecord& r82 = table[record::kKilometreTwo];
  ScenarioRecord& r83 = table[record::kKilometreOne];
  const Reference a = take(r81), b = take(r82), c = take(r83);

  // The sum is taken in 32-bit arithmetic, which wraps.
  const int32_t sum = low32(int64_t{a.long1} + b.long1 + c.long1);
  const std::array<Reference, 3> ordered = sum != 0 ? by_first_value(a, b, c) : by_second_value(a, b, c);

  put(r81, ordered[0]);
  put(r82, ordered[1]);
  put(r83, ordered[2]);
  for (ScenarioRecord* r : {&r81, &r82, &r83}) {
    if (r->long3 == 1) r->long2 = low32(int64_t{r->long2} + 100);
  }
}

}  // namespace scenario
