#include "output/decoders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "output/encoders.h"

namespace scenario {
namespace {

ScenarioTable sample_table() {
  ScenarioTable t{};
  t[1] = ScenarioRecord{8, -600, 600, 0, 1, "Corvale \xB0", 1, 1, 2, 5, 1, 0, 1, 0, 1, 43515};
  t[80].text = "(  Km  )(39+204)";
  t[84] = ScenarioRecord{0, 130, 220000, 16, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  t[85] = ScenarioRecord{255, INT32_MIN, INT32_MAX, -1,  255,  "Corvale_Mirbosco", 610, -32768, 32767, 0, 0,
                         255, 0,         0,         255, 36353};
  t[86].text = "731";
  return t;
}

TEST(Decoders, ScenarioFileRoundTrips) {
  const ScenarioTable t = sample_table();
  const auto d = decode_scenario_file(encode_scenario_file(t));
  ASSERT_TRUE(d) << d.error;
  EXPECT_EQ(*d.value, t);
}

TEST(Decoders, TrackFileRoundTrips) {
  TrackGrid g(200);
  g[1] = TrackCell{0, 5121, 2653, 0, 0, 0, 0, 0, 0, 100, 0};
  g[57] = TrackCell{1, 42, 11, 11, 8, 115, 0, 2, 24, 97, 80};
  g[199] = TrackCell{255, -32768, 32767, -1, 1, 255, 255, 255, 255, 255, 255};
  const auto d = decode_track_file(encode_track_file(g));
  ASSERT_TRUE(d) << d.error;
  EXPECT_EQ(*d.value, g);
}

TEST(Decoders, ProfileFileRoundTripsWithElementTypes) {
  LineProfile p(9);
  p.set_int16(0, 0, 0);
  p.set_int16(1, 1, 1);
  p.set_int16(2, 0, -32768);
  p.set_double(3, 0, -12.345678901234567);
  p.set_double(3, 1, std::numeric_limits<double>::denorm_min());
  p.set_double(7, 1, 1e300);
  const auto d = decode_profile_file(encode_profile_file(p));
  ASSERT_TRUE(d) << d.error;
  for (int axis = 0; axis < 2; ++axis) {
    EXPECT_EQ(d.value->types(axis), p.types(axis));
    EXPECT_EQ(d.value->values(axis), p.values(axis));
  }
}

struct Malformed {
  const char* name;
  std::string bytes;
  const char* says;  // a part of the message
};

TEST(Decoders, MalformedFilesAreRefusedWithAReason) {
  const std::string sim = encode_scenario_file(sample_table());
  TrackGrid g(3);
  const std::string dat = encode_track_file(g);
  LineProfile p(1);
  p.set_double(0, 0, 1.5);
  const std::string prof = encode_profile_file(p);

  const Malformed track_cases[] = {
      {"empty track", "", "empty"},
      {"track cut in a cell", dat.substr(0, dat.size() - 1), "cut short"},
      {"track one byte long", dat.substr(0, 1), "cut short"},
      {"track too long for any route", std::string(15 * 20142, '\0'), "more than a route"},
  };
  for (const auto& c : track_cases) {
    const auto d = decode_track_file(c.bytes);
    EXPECT_FALSE(d) << c.name;
    EXPECT_NE(d.error.find(c.says), std::string::npos) << c.name << ": " << d.error;
  }

  const Malformed sim_cases[] = {
      {"empty scenario", "", "record 0 is cut short"},
      {"scenario cut in the last record", sim.substr(0, sim.size() - 1), "record 86 is cut short"},
      {"scenario cut inside a text", sim.substr(0, 34 + 16 + 3), "record 1 is cut short"},
      {"a byte after the last record", sim + "x", "1 bytes follow"},
  };
  for (const auto& c : sim_cases) {
    const auto d = decode_scenario_file(c.bytes);
    EXPECT_FALSE(d) << c.name;
    EXPECT_NE(d.error.find(c.says), std::string::npos) << c.name << ": " << d.error;
  }

  std::string bad_type = prof;
  bad_type[0] = 3;
  const Malformed profile_cases[] = {
      {"empty profile", "", "empty"},
      {"bad type code", bad_type, "type code 3 at offset 0"},
      {"cut inside a double", prof.substr(0, 5), "a double needs 8 bytes"},
      {"cut inside a type code", prof + "\x02", "one byte of its type code"},
      {"odd element count", prof + std::string(2, '\0'), "odd number"},
  };
  for (const auto& c : profile_cases) {
    const auto d = decode_profile_file(c.bytes);
    EXPECT_FALSE(d) << c.name;
    EXPECT_NE(d.error.find(c.says), std::string::npos) << c.name << ": " << d.error;
  }
}

TEST(Decoders, EveryPrefixOfAScenarioFileIsRefused) {
  const std::string sim = encode_scenario_file(sample_table());
  for (size_t n = 0; n < sim.size(); ++n) EXPECT_FALSE(decode_scenario_file(sim.substr(0, n))) << n;
}

}  // namespace
}  // namespace scenario
