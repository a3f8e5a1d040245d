#include "compiler/progressive_ordina.h"

#include <gtest/gtest.h>

#include <array>

namespace scenario {
namespace {

using Triple = std::array<int32_t, 3>;
// Records 81, 82 and 83, each as long1, long2, long3.
using References = std::array<Triple, 3>;

References order(const References& in) {
  ScenarioTable t{};
  for (int k = 0; k < 3; ++k) {
    ScenarioRecord& r = t[static_cast<size_t>(81 + k)];
    r.long1 = in[k][0];
    r.long2 = in[k][1];
    r.long3 = in[k][2];
  }
  progressive_ordina(t);
  References out{};
  for (int k = 0; k < 3; ++k) {
    const ScenarioRecord& r = t[static_cast<size_t>(81 + k)];
    out[k] = {r.long1, r.long2, r.long3};
  }
  return out;
}

TEST(ProgressiveOrdina, OrdersByFirstValueOrSecondValue) {
  struct Case {
    const char* what;
    References in;
    References out;
  };
  const Triple zero{0, 0, 0};
  const Case cases[] = {
      {"built-in: the only reference goes to 81 and gains 100 m",
       {zero, zero, Triple{23450, 218300, 1}},
       {Triple{23450, 218400, 1}, zero, zero}},
      {"82 greatest, 81 above 83",
       {Triple{5000, 1, 0}, Triple{10000, 2, 0}, Triple{0, 3, 0}},
       {Triple{10000, 2, 0}, Triple{5000, 1, 0}, Triple{0, 3, 0}}},
      {"82 greatest, 83 above 81",
       {Triple{100, 1, 0}, Triple{900, 2, 0}, Triple{500, 3, 0}},
       {Triple{900, 2, 0}, Triple{500, 3, 0}, Triple{100, 1, 0}}},
      {"83 greatest, 81 above 82",
       {Triple{500, 1, 0}, Triple{100, 2, 0}, Triple{900, 3, 0}},
       {Triple{900, 3, 0}, Triple{500, 1, 0}, Triple{100, 2, 0}}},
      {"83 greatest, 82 above 81",
       {Triple{100, 1, 0}, Triple{500, 2, 0}, Triple{900, 3, 0}},
       {Triple{900, 3, 0}, Triple{500, 2, 0}, Triple{100, 1, 0}}},
      {"81 greatest, equal smaller keys: the higher-numbered record first",
       {Triple{900, 1, 0}, Triple{300, 2, 0}, Triple{300, 3, 0}},
       {Triple{900, 1, 0}, Triple{300, 3, 0}, Triple{300, 2, 0}}},
      {"a shared greatest key clears all three",
       {Triple{5000, 1, 1}, Triple{5000, 2, 1}, Triple{0, 3, 1}},
       {Triple{0, 0, 0}, zero, zero}},
      {"negative keys compare signed",
       {Triple{-100, 1, 0}, Triple{-50, 2, 0}, Triple{-300, 3, 0}},
       {Triple{-50, 2, 0}, Triple{-100, 1, 0}, Triple{-300, 3, 0}}},
      {"keys all 0: 83's second value moves it to 81",
       {zero, zero, Triple{0, 300, 0}},
       {Triple{0, 300, 0}, zero, zero}},
      {"keys all 0: the last second value above 0 decides",
       {Triple{0, 7, 0}, Triple{0, 8, 0}, zero},
       {Triple{0, 8, 0}, Triple{0, 7, 0}, zero}},
      {"keys all 0 and no second value above 0 clears all",
       {Triple{0, -5, 1}, Triple{0, 0, 1}, zero},
       {zero, zero, zero}},
      {"keys summing to 0 go by the second values",
       {Triple{5000, 0, 0}, Triple{-5000, 9, 1}, zero},
       {Triple{-5000, 109, 1}, Triple{5000, 0, 0}, zero}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(order(c.in), c.out);
  }
}

}  // namespace
}  // namespace scenario
