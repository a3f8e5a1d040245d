#include "output/encoders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>
#include <vector>

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

// A plan of 40000 metres gives each half several pieces. The pieces, laid at
// their offsets, must make exactly the bytes of the whole-file encoder, for
// a plan kept as runs and for one held in arrays with an empty gap.
TEST(Encoders, ProfilePiecesMakeTheWholeFile) {
  LineProfile laid(40000);
  laid.set_int16(0, 0, 0);
  laid.set_int16(0, 1, 0);
  laid.set_int16(1, 0, 0);
  laid.set_int16(1, 1, 1);
  laid.lay(2, 20000, 0.0);
  laid.lay(20001, 39998, 0.002);
  LineProfile arrays = laid;
  arrays.set_double(30000, 0, -1.25);
  arrays.set_double(35000, 1, 0.0);
  LineProfile gap(40000);
  gap.set_double(3, 1, 2.5);  // metres 0 to 2 stay empty

  for (const LineProfile* p : {&laid, &arrays, &gap}) {
    const std::string whole = encode_profile_file(*p);
    const ProfileFilePieces pieces(*p);
    ASSERT_EQ(pieces.size(), whole.size());
    std::string joined(whole.size(), '\x7f');
    std::vector<bool> covered(whole.size(), false);
    int count = 0;
    ASSERT_TRUE(pieces.produce([&](size_t offset, std::string_view piece) {
      ++count;
      EXPECT_LE(piece.size(), 256u * 1024);
      EXPECT_LE(offset + piece.size(), joined.size());
      for (size_t i = 0; i < piece.size(); ++i) {
        EXPECT_FALSE(covered[offset + i]) << "byte " << offset + i << " written twice";
        covered[offset + i] = true;
      }
      joined.replace(offset, piece.size(), piece);
      return true;
    }));
    EXPECT_GE(count, 4);  // at least two pieces per half
    EXPECT_EQ(joined, whole);
    EXPECT_EQ(join_pieces(pieces), whole);
  }
  EXPECT_EQ(encode_profile_file(laid).size(), 20u * 40000 - 36);
}

TEST(Encoders, AProfilePieceRefusedStopsTheProducer) {
  LineProfile p(40000);
  p.lay(2, 39998, 0.0);
  int taken = 0;
  EXPECT_FALSE(ProfileFilePieces(p).produce([&](size_t, std::string_view) {
    ++taken;
    return false;
  }));
  EXPECT_EQ(taken, 1);
}

}  // namespace
}  // namespace scenario
