#include "output/final_checks.h"

#include <gtest/gtest.h>

#include "output/check_codes.h"
#include "output/memorizza_percorso.h"

namespace scenario {
namespace {

RouteModel named(const std::string& train, const std::string& route) {
  RouteModel m;
  size_model(m, 3000);
  m.table[record::kSignals].text = train;
  m.table[record::kRoute].text = route;
  return m;
}

struct Codes {
  int32_t st;
  int32_t og;
  bool operator==(const Codes&) const = default;
};

Codes codes_of(const std::string& train, const std::string& route) {
  RouteModel m = named(train, route);
  const int32_t st = codice_gara_st(m);
  return {st, codice_gara_og(m)};
}

// ---- Check codes ------------------------------------------------------------

TEST(CheckCodes, TrainOneAndTheAlphabet) {
  RouteModel m = named("1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(codice_gara_st(m), 36353);
  EXPECT_EQ(codice_gara_og(m), 2653);
  EXPECT_EQ(m.current_field, "1abcdefghijklmnopqrstuvwxyzqqrrssttuuvvzzbbccddffgghh");
}

TEST(CheckCodes, FillerCompletesShortNames) {
  // "731corvale_mirbosco" is 19 characters: six of the filler enter.
  EXPECT_EQ(codes_of("731", "Corvale_Mirbosco"), (Codes{35327, 2544}));
  // Nothing at all: the first 25 characters of the filler.
  EXPECT_EQ(codes_of("", ""), (Codes{34603, 2738}));
}

TEST(CheckCodes, CaseDoesNotMatter) {
  const Codes lower = codes_of("ic 731", "corvale_mirbosco");
  EXPECT_EQ(codes_of("IC 731", "CORVALE_MIRBOSCO"), lower);
  EXPECT_EQ(codes_of("Ic 731", "Corvale_MirBosco"), lower);
  // Accented capitals of the code page lower-case too: É (C9) and Š (8A).
  EXPECT_EQ(codes_of("1", "\xC9tang \x8A"), codes_of("1", "\xE9tang \x9A"));
  // The multiplication sign (D7) is no letter: it stays, unlike its neighbour.
  EXPECT_NE(codes_of("1", "\xD7"), codes_of("1", "\xF7"));
}

TEST(CheckCodes, OnlyTheFirst25CharactersCount) {
  const std::string route = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  const Codes base = codes_of("1", route);
  std::string changed = route;
  changed[24] = 'Q';  // the 26th character of the code text
  EXPECT_EQ(codes_of("1", changed), base);
  changed = route;
  changed[23] = 'Q';  // the 25th
  EXPECT_NE(codes_of("1", changed).st, base.st);
  EXPECT_NE(codes_of("1", changed).og, base.og);
}

TEST(CheckCodes, HighCharactersCountAsUnsignedCodes) {
  // Twenty-five characters FF ("ÿ", already lower case): the largest sums.
  EXPECT_EQ(codes_of("", std::string(25, '\xFF')), (Codes{82875, 6375}));
}

// ---- Final checks -----------------------------------------------------------

TEST(FinalChecks, StampMarkersAndCodes) {
  RouteModel m = named("1", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(run_final_checks(m), 0);
  EXPECT_EQ(m.table[record::kRoute].num1, 610);
  EXPECT_EQ(m.table[record::kRoute].long4, 36353);
  EXPECT_EQ(m.cell(1).value1, 5121);
  EXPECT_EQ(m.cell(1).value2, 2653);
}

TEST(FinalChecks, APlaceAlreadyTakenFailsInOrder) {
  struct Case {
    const char* what;
    int16_t num1;
    int32_t long4;
    int16_t value1;
    int16_t value2;
    int32_t failed;
    bool markers_stamped;
  };
  const Case cases[] = {
      {"cell 1 value1", 0, 0, 600, 0, 1250, false},
      {"record 85 num1", 1, 0, 0, 0, 1250, false},
      {"both markers and codes taken: the markers come first", 1, 9, 600, 7, 1250, false},
      {"cell 1 value2", 0, 0, 0, 7, 1251, true},
      {"record 85 long4", 0, 9, 0, 0, 1251, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RouteModel m = named("1", "x");
    m.table[record::kRoute].num1 = c.num1;
    m.table[record::kRoute].long4 = c.long4;
    m.cell(1).value1 = c.value1;
    m.cell(1).value2 = c.value2;
    EXPECT_EQ(run_final_checks(m), c.failed);
    EXPECT_EQ(m.table[record::kRoute].num1, c.markers_stamped ? 610 : c.num1);
    EXPECT_EQ(m.cell(1).value1, c.markers_stamped ? 5121 : c.value1);
    // The codes are never stamped over what stood there.
    EXPECT_EQ(m.table[record::kRoute].long4, c.long4);
    EXPECT_EQ(m.cell(1).value2, c.value2);
  }
}

// ---- Through the compile driver ---------------------------------------------

// A grid sized by hand: the reset leaves the grid alone, and with no sources
// the compiler reads nothing into it, so the pass and the checks see exactly
// this grid.
TEST(FinalChecks, FailedCheckStopsTheCompileAndNothingIsWritten) {
  struct Case {
    int16_t value1;
    int16_t value2;
    int32_t failed;
  };
  for (const Case& c : {Case{8, 0, 1250}, Case{0, 3, 1251}}) {
    SCOPED_TRACE(c.failed);
    RouteModel m;
    m.route_name = "Corvale_Mirbosco";
    m.train_number = "731";
    size_model(m, 3000);
    m.cell(1).value1 = c.value1;
    m.cell(1).value2 = c.value2;
    MemorySources sources;
    CompileContext ctx{m, sources};

    MemorySink sink;
    const PercorsoResult result = memorizza_percorso(ctx, 0, sink);
    EXPECT_EQ(result.end, PercorsoEnd::kFinalCheckFailed);
    EXPECT_EQ(result.failed_check, c.failed);
    EXPECT_TRUE(result.written.empty());
    EXPECT_TRUE(sink.files.empty());
  }
}

TEST(FinalChecks, CompileDriverStampsTheCodesOfTheRunsNames) {
  RouteModel m;
  m.route_name = "Corvale_Mirbosco";
  m.train_number = "731";
  size_model(m, 3000);
  MemorySources sources;
  CompileContext ctx{m, sources};
  const PercorsoResult result = compile_scenario(ctx, 0);
  EXPECT_EQ(result.end, PercorsoEnd::kDone);
  EXPECT_EQ(m.table[record::kRoute].num1, 610);
  EXPECT_EQ(m.table[record::kRoute].long4, 35327);
  EXPECT_EQ(m.cell(1).value1, 5121);
  EXPECT_EQ(m.cell(1).value2, 2544);
}

}  // namespace
}  // namespace scenario
