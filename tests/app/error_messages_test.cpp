#include "app/error_messages.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/errore.h"
#include "compiler/compile_context.h"
#include "compiler/error_codes.h"

namespace scenario {
namespace {

// Every code the compiler and the code placement can record, and whether
// it comes with a position.
struct Expected {
  int32_t code;
  bool sets_position;
};
const Expected kEveryCode[] = {
    {error::kRouteTooLong, false},          {error::kKilometreNotMultiple, false},
    {error::kRepetitionStart, false},       {error::kRepetitionEnd, false},
    {error::kRepetitionCodes, false},       {error::kSignBoardOccupied, true},
    {error::kCodeReductionOccupied, true},  {error::kStationPosition, true},
    {error::kStationLength, true},          {error::kTooManyStations, false},
    {error::kNoCellBeforeSignal, true},     {error::kBandFull, true},
    {error::kWalkFull, true},               {error::kBeyondGrid, true},
    {error::kSignalOccupied, true},         {error::kWarningBoardOccupied, true},
    {error::kSlowdownStartOccupied, true},  {error::kSlowdownEndOccupied, true},
    {error::kWarningMarkersOccupied, true}, {error::kSpeedBoardsOccupied, true},
    {error::kStationsTooClose, true},       {error::kStationAtStart, false},
    {error::kRuntimeFailure, false},        {error::kNoLineSource, false},
    {error::kNoGeneralSection, false},      {error::kBadCurve, false},
    {error::kNoRouteLength, false},         {error::kRouteNotPositive, false},
    {error::kTooManyMontagne, true},        {error::kTooManySignBoards, true},
    {error::kNegativePosition, true},       {error::kStationBeyondGrid, true},
    {error::kSlowdownEndOutside, true},
};

TEST(ErrorTable, HoldsEveryCodeOnceInRisingOrderWithWords) {
  std::vector<int32_t> table_codes;
  for (const ErrorInfo& e : error_table()) {
    table_codes.push_back(e.code);
    EXPECT_FALSE(e.meaning.empty()) << e.code;
    EXPECT_FALSE(e.remedy.empty()) << e.code;
  }
  std::vector<int32_t> expected;
  for (const Expected& e : kEveryCode) expected.push_back(e.code);
  EXPECT_EQ(table_codes, expected);

  for (const Expected& e : kEveryCode) {
    const auto info = error_info(e.code);
    ASSERT_TRUE(info) << e.code;
    EXPECT_EQ(info->sets_position, e.sets_position) << e.code;
  }
  EXPECT_FALSE(error_info(14));
  EXPECT_FALSE(error_info(23));
}

TEST(DescribeCompileError, NamesThePositionOnlyForCodesThatSetIt) {
  EXPECT_EQ(describe_compile_error(16, 2800), "compile error 16 at 2800 m: the cell of a signal is already occupied");
  EXPECT_EQ(describe_compile_error(12, 5000),
            "compile error 12 at 5000 m: a band before a slowdown start has no free cell for a cab-code change point");
  EXPECT_EQ(describe_compile_error(101, 2800), "compile error 101: the line source file does not exist");
  EXPECT_EQ(describe_compile_error(77, 2800), "compile error 77: unknown error");
}

TEST(ErrorRecord, LastErrorWinsAndAPositionIsNeverReset) {
  RouteModel m;
  MemorySources s;
  CompileContext ctx{m, s};
  record_error(ctx, error::kSignalOccupied, 2800);
  record_error(ctx, error::kRuntimeFailure);
  EXPECT_EQ(m.ErrorCode, error::kRuntimeFailure);
  EXPECT_EQ(m.ErrorPosition, 2800);
  // The report of the last code shows no stale position.
  EXPECT_EQ(describe_compile_error(m.ErrorCode, m.ErrorPosition).find("2800"), std::string::npos);
  record_error(ctx, error::kWalkFull, 6250);
  EXPECT_EQ(m.ErrorCode, error::kWalkFull);
  EXPECT_EQ(m.ErrorPosition, 6250);
}

class BoxPlatform : public Platform {
 public:
  void show_window() override {}
  void message_box(const std::string& text) override { boxes.push_back(text); }
  void close_window() override {}
  std::vector<std::string> boxes;
};

TEST(Errore, ShowsTheNumberAfterTheLiteralAndNothingElse) {
  EXPECT_EQ(errore_message("1251"), " Errore n. 1251");
  BoxPlatform platform;
  errore(platform, "1250");
  EXPECT_EQ(platform.boxes, std::vector<std::string>{" Errore n. 1250"});
}

}  // namespace
}  // namespace scenario
