#include "output/encoders.h"

#include <gtest/gtest.h>

#include <cstring>

namespace scenario {
namespace {

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

TEST(Encoders, Record86PacksToItsThirtySevenBytes) {
  ScenarioRecord r;
  r.long1 = 11000;
  r.long2 = 220000;
  r.long3 = 9;
  r.text = "731";
  r.num1 = 300;
  r.num3 = 15;
  r.num4 = 4;
  r.num5 = 15;
  std::string out;
  encode_record(r, out);
  EXPECT_EQ(hex(out),
            "00 f8 2a 00 00 60 5b 03 00 09 00 00 00 00 03 00 37 33 31 2c 01 00 00 0f 00 04 00 0f 00 00 00 00 "
            "00 00 00 00 00");
}

TEST(Encoders, ScenarioFileSizeAndClearedRecordZero) {
  ScenarioTable t{};
  t[85].text = "Corvale_Mirbosco";
  t[86].text = "731";
  const std::string file = encode_scenario_file(t);
  EXPECT_EQ(file.size(), 2977u);
  EXPECT_EQ(file.substr(0, 34), std::string(34, '\0'));
}

TEST(Encoders, TextsAreOneBytePerCharacter) {
  ScenarioRecord r;
  r.text = "l'\xB0";  // an apostrophe and the degree sign in Windows-1252
  std::string out;
  encode_record(r, out);
  ASSERT_EQ(out.size(), 37u);
  EXPECT_EQ(hex(out.substr(14, 5)), "03 00 6c 27 b0");
}

TEST(Encoders, TrackFileCellsAreFifteenBytesInFieldOrder) {
  RouteModel m;
  size_model(m, 220000);
  EXPECT_EQ(encode_track_file(m.grid).size(), 68115u);

  TrackGrid g(3);
  g[1] = TrackCell{1, 5121, -2, 3, 4, 5, 6, 7, 8, 9, 10};
  const std::string f = encode_track_file(g);
  ASSERT_EQ(f.size(), 45u);
  EXPECT_EQ(hex(f.substr(15, 15)), "01 01 14 fe ff 03 00 04 00 05 06 07 08 09 0a");
}

TEST(Encoders, ProfileFileStoresEachElementWithItsType) {
  LineProfile p(5);
  p.set_int16(0, 0, 0);
  p.set_int16(0, 1, 0);
  p.set_int16(1, 0, 0);
  p.set_int16(1, 1, 1);
  p.set_double(2, 0, 0.5);
  p.set_double(2, 1, 2.0);
  const std::string f = encode_profile_file(p);
  // Per half: two int16 (4 bytes each), one double (10), three empty (2 each).
  ASSERT_EQ(f.size(), 2u * (4 + 4 + 10 + 2 + 2 + 2));
  EXPECT_EQ(hex(f.substr(0, 18)), "02 00 00 00 02 00 00 00 05 00 00 00 00 00 00 00 e0 3f");
  EXPECT_EQ(hex(f.substr(24, 8)), "02 00 00 00 02 00 01 00");

  // The size for a built-in route shaped plan: 20 * profile_end - 36.
  RouteModel m;
  m.with_profile = 1;
  size_model(m, 220000);
  for (int axis = 0; axis < 2; ++axis) {
    m.profile.set_int16(0, axis, 0);
    m.profile.set_int16(1, axis, static_cast<int16_t>(axis));
    for (int32_t i = 2; i <= m.profile_end - 2; ++i) m.profile.set_double(i, axis, 1.0);
  }
  EXPECT_EQ(encode_profile_file(m.profile).size(), 4539964u);
}

}  // namespace
}  // namespace scenario
