// The one table of error codes: every code once, in rising order, with
// words; the one-shot program's report line; and the README's table, which
// must say what the table says.
#include "compiler/error_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "compiler/compile_context.h"
#include "compiler/error_codes.h"
#include "tests/markdown_tables.h"

namespace scenario {
namespace {

// Every code the compiler and the code placement can record, and whether
// it comes with a position.
struct Expected {
  int32_t code;
  bool sets_position;
};
const Expected kEveryCode[] = {
    {error::kRouteTooLong, false},
    {error::kKilometreNotMultiple, false},
    {error::kRepetitionStart, false},
    {error::kRepetitionEnd, false},
    {error::kRepetitionCodes, false},
    {error::kSignBoardOccupied, true},
    {error::kCodeReductionOccupied, true},
    {error::kStationPosition, true},
    {error::kStationLength, true},
    {error::kTooManyStations, false},
    {error::kNoCellBeforeSignal, true},
    {error::kBandFull, true},
    {error::kWalkFull, true},
    {error::kBeyondGrid, true},
    {error::kSignalOccupied, true},
    {error::kWarningBoardOccupied, true},
    {error::kSlowdownStartOccupied, true},
    {error::kSlowdownEndOccupied, true},
    {error::kWarningMarkersOccupied, true},
    {error::kSpeedBoardsOccupied, true},
    {error::kStationsTooClose, true},
    {error::kStationAtStart, false},
    {error::kRuntimeFailure, false},
    {error::kNoLineSource, false},
    {error::kNoGeneralSection, false},
    {error::kBadCurve, false},
    {error::kNoRouteLength, false},
    {error::kRouteNotPositive, false},
    {error::kTooManyMontagne, true},
    {error::kTooManySignBoards, true},
    {error::kNegativePosition, true},
    {error::kStationBeyondGrid, true},
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

// The rows of the README's table of error codes, "| 16 | meaning | yes | what to do |".
struct ReadmeRow {
  int32_t code;
  std::string meaning, position, remedy;
};
std::vector<ReadmeRow> readme_rows() {
  std::vector<ReadmeRow> rows;
  for (const auto& cells : testing::markdown_rows_under(SCENARIO_README, "Error codes")) {
    if (cells.size() < 4 || cells[0].empty() || !std::isdigit(static_cast<unsigned char>(cells[0][0]))) continue;
    rows.push_back({std::stoi(cells[0]), cells[1], cells[2], cells[3]});
  }
  return rows;
}

// Quotes in the README are the same double quotes the messages carry.
TEST(ErrorTable, TheReadmeTableSaysWhatTheTableSays) {
  const std::vector<ReadmeRow> rows = readme_rows();
  ASSERT_EQ(rows.size(), error_table().size());
  for (size_t i = 0; i < rows.size(); ++i) {
    const ErrorInfo& e = error_table()[i];
    SCOPED_TRACE(e.code);
    EXPECT_EQ(rows[i].code, e.code);
    EXPECT_EQ(rows[i].meaning, e.meaning);
    EXPECT_EQ(rows[i].position, e.sets_position ? "yes" : "–");
    EXPECT_EQ(rows[i].remedy, e.remedy);
  }
}

}  // namespace
}  // namespace scenario
