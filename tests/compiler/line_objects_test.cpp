#include "compiler/line_objects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "compiler/error_codes.h"
#include "tests/compiler/line_source_fixture.h"

namespace scenario {
namespace {

using testing::line_file;
using testing::run_line;

TEST(Montagna, CellsTypesAndMarkers) {
  struct Case {
    const char* row;
    int first, last;
    uint8_t type;
    std::vector<int> markers;
  };
  const Case cases[] = {
      // Type 12: type 2 with markers, but a one-cell section has no 4th cell.
      {"montagna,   36900,  36950,  12", 738, 738, 2, {}},
      {"montagna,   184100,  184200,  2", 3682, 3683, 2, {}},
      {"montagna,   10000,  11000,  13", 200, 219, 3, {203, 207, 211, 215, 219}},
      // An end beyond the grid is cut at N.
      {"montagna,   226000,  300000,  14", 4520, 4540, 4, {4523, 4527, 4531, 4535, 4539}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const auto r = run_line(line_file(220000, std::string(c.row) + "\r\n"));
    ASSERT_EQ(r.model.ErrorCode, 0);
    EXPECT_EQ(r.cell(c.first - 1).montagna, 0);
    for (int i = c.first; i <= c.last; ++i) {
      EXPECT_EQ(r.cell(i).montagna, c.type) << i;
      const bool marker = std::find(c.markers.begin(), c.markers.end(), i) != c.markers.end();
      EXPECT_EQ(r.cell(i).kind, marker ? cell_kind::kMontagnaMarker : cell_kind::kNothing) << i;
    }
    if (c.last < 4540) {
      EXPECT_EQ(r.cell(c.last + 1).montagna, 0);
    }
  }
}

TEST(Montagna, MarkersNeverCoverAnObjectAndObjectsReplaceMarkers) {
  // A speed board at 10300 m stands in cell 207; the section's 8th cell.
  const auto r = run_line(line_file(220000,
                                    "indicatori_vmax, 10300, 1,1,1,0,1,1,1,0\r\n"
                                    "montagna,   10000,  11000,  13\r\n"
                                    "cartello_indicatore, 10500, (x)\r\n"));
  ASSERT_EQ(r.model.ErrorCode, 0);
  EXPECT_EQ(r.cell(207).kind, cell_kind::kSpeedBoards);
  EXPECT_EQ(r.cell(207).montagna, 3);
  EXPECT_EQ(r.cell(211).kind, cell_kind::kSignBoard);  // the sign board replaced the marker
}

TEST(Montagna, SectionsNoMoreThan150MetresApartTakeType3) {
  for (const auto& [start, type] : {std::pair{37100, 3}, std::pair{37150, 5}}) {
    SCOPED_TRACE(start);
    const auto r = run_line(
        line_file(220000, "montagna, 36900, 36950, 2\r\nmontagna, " + std::to_string(start) + ", 37500, 5\r\n"));
    EXPECT_EQ(r.cell(start / 50).montagna, type);
    EXPECT_EQ(r.model.montagna_count, 2);
    EXPECT_EQ(r.model.montagna_starts[2], start);
    EXPECT_EQ(r.model.montagna_ends[1], 36950);
  }
}

TEST(Montagna, EightyFitTheEighty1stIsRefused) {
  RouteModel m;
  size_model(m, 220000);
  for (int i = 1; i <= 80; ++i) ASSERT_EQ(memo_montagna(m, 1000 * i, 1000 * i + 100, 2), RecordOutcome::accepted());
  EXPECT_EQ(memo_montagna(m, 90000, 90100, 2), RecordOutcome::refused(error::kTooManyMontagne, 90000));
  EXPECT_EQ(m.montagna_count, 80);
  EXPECT_EQ(m.cell(1800).montagna, 0);
  EXPECT_EQ(m.montagna_starts[0], 0);  // index 0 is never used
}

TEST(SpeedBoards, ValuesOfTheRanksAndStripes) {
  struct Case {
    const char* row;
    int cell;
    int16_t v1, v2, v3, v4;
  };
  const Case cases[] = {
      {"indicatori_vmax,  18100,  140,  160,  160,  2,  140,  160,  160,  2", 363, 2828, 3232, 3232, 22},
      {"indicatori_vmax,  5050,  110,  115,  120,  0,  ,  ,  ,  0", 102, 2200, 2300, 2400, 0},
      {"indicatori_vmax,  700,  30,  30,  30,  0,  30,  30,  30,  0", 15, 606, 606, 606, 0},
      // A fifth that is not whole rounds, halves to even: 12.5 gives 12.
      {"indicatori_vmax,  1000,  0,  0,  0,  0,  62,  63,  64,  1", 21, 12, 13, 13, 1},
      // The stripe value wraps in 16 bits: 3277 × 10 + 0 = 32770.
      {"indicatori_vmax,  1000,  1,  1,  1,  3277,  0,  0,  0,  0", 21, 20, 20, 20, -32766},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const auto r = run_line(line_file(220000, std::string(c.row) + "\r\n"));
    ASSERT_EQ(r.model.ErrorCode, 0);
    const TrackCell& cell = r.cell(c.cell);
    EXPECT_EQ(cell.kind, cell_kind::kSpeedBoards);
    EXPECT_EQ(cell.value1, c.v1);
    EXPECT_EQ(cell.value2, c.v2);
    EXPECT_EQ(cell.value3, c.v3);
    EXPECT_EQ(cell.value4, c.v4);
  }
}

TEST(SpeedBoards, HalfCellsShareAnObjectCell) {
  // 5025 m and 5075 m both stand in cell 102.
  const auto r = run_line(line_file(220000,
                                    "indicatori_vmax, 5025, 100,100,100,0,100,100,100,0\r\n"
                                    "indicatori_vmax, 5075, 80,80,80,0,80,80,80,0\r\n"));
  EXPECT_EQ(r.model.ErrorCode, error::kSpeedBoardsOccupied);
  EXPECT_EQ(r.model.ErrorPosition, 5075);
  EXPECT_EQ(r.cell(102).value1, 2020);  // the first board stays
}

TEST(SignBoards, TakeRecordsFromEightyDown) {
  const auto r = run_line(line_file(220000,
                                    "cartello_indicatore,  1700,   (P.253)\r\n"
                                    "cartello_indicatore,  179100,   (  Km  )(39+204)\r\n"
                                    "cartello_indicatore,  200000,   (Vignale)\r\n"));
  ASSERT_EQ(r.model.ErrorCode, 0);
  EXPECT_EQ(r.result.next_free_sign_record, 77);
  EXPECT_EQ(r.model.table[80].text, "(P.253)");
  EXPECT_EQ(r.model.table[79].text, "(  Km  )(39+204)");
  EXPECT_EQ(r.model.table[78].text, "(Vignale)");
  EXPECT_EQ(r.cell(35).kind, cell_kind::kSignBoard);
  EXPECT_EQ(r.cell(35).value1, 80);
  EXPECT_EQ(r.cell(3583).value1, 79);
}

TEST(SignBoards, EightyBoardsFillRecordsEightyToOneAndRecordZeroStaysClear) {
  RouteModel m;
  size_model(m, 220000);
  int32_t next = record::kFirstSignBoard;
  for (int i = 0; i < 80; ++i) ASSERT_EQ(memo_cartello(m, next, 1000 + 50 * i, "(x)"), RecordOutcome::accepted());
  EXPECT_EQ(next, 0);
  EXPECT_EQ(m.table[1].text, "(x)");
  EXPECT_EQ(memo_cartello(m, next, 9000, "(y)"), RecordOutcome::refused(error::kTooManySignBoards, 9000));
  EXPECT_EQ(m.table[0], ScenarioRecord{});
  EXPECT_EQ(m.cell(181).kind, cell_kind::kNothing);
}

}  // namespace
}  // namespace scenario
