// Records before the start of the line. Gradients, curves, speed limits and
// adhesion are laid by their cursors whatever their position; boards and
// montagna sections are placed wherever their first cell is 0 or more; only
// a first cell below 0, and a train object before the line, are refused.
#include <gtest/gtest.h>

#include <string>

#include "compiler/error_codes.h"
#include "tests/compiler/line_source_fixture.h"
#include "tests/compiler/train_fixture.h"

namespace scenario {
namespace {

using testing::line_file;
using testing::read_train;
using testing::run_line;
using testing::train_text;

// Every field of the first `cells` cells of the grid, and every plan point of
// the first `metres` metres, so that two line runs can be compared whole.
struct LineStart {
  std::vector<TrackCell> cells;
  std::vector<std::pair<double, double>> plan;
};

LineStart line_start(const testing::LineRun& r, int cells, int metres) {
  LineStart s;
  for (int i = 0; i < cells; ++i) s.cells.push_back(r.cell(i));
  for (int m = 0; m < metres; ++m) s.plan.emplace_back(r.model.profile.value(m, 0), r.model.profile.value(m, 1));
  return s;
}

void expect_same_start(const testing::LineRun& a, const testing::LineRun& b) {
  const LineStart sa = line_start(a, 100, 3000);
  const LineStart sb = line_start(b, 100, 3000);
  for (size_t i = 0; i < sa.cells.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(sa.cells[i].gradient, sb.cells[i].gradient);
    EXPECT_EQ(sa.cells[i].kind, sb.cells[i].kind);
    EXPECT_EQ(sa.cells[i].montagna, sb.cells[i].montagna);
    EXPECT_EQ(sa.cells[i].value1, sb.cells[i].value1);
  }
  EXPECT_EQ(sa.plan, sb.plan);
}

TEST(NegativePositions, LineRecordsCompileAsTheirCursorsAndCellsGive) {
  struct Case {
    const char* what;
    std::string records;  // with a record before the start of the line
    std::string same_as;  // records that compile to the same grid and plan
  };
  const std::string rows = "pendenza, 0, 0\r\npendenza, 1200, 5\r\npendenza, 1750, 0\r\n";
  const Case cases[] = {
      // n = round(P / 50) is 0 or less: nothing is written, the gradient
      // carried on is the record's.
      {"a gradient far before the line, then the usual rows", "pendenza, -77800, 9\r\n" + rows, rows},
      {"a gradient before the line holds up to the next record", "pendenza, -77800, 9\r\npendenza, 1200, 5\r\n",
       "pendenza, 0, 9\r\npendenza, 1200, 5\r\n"},
      {"a gradient at -25 m rounds to cell 0", "pendenza, -25, 9\r\npendenza, 1200, 5\r\n",
       "pendenza, 0, 9\r\npendenza, 1200, 5\r\n"},
      // A curve starting below the plan cursor (metre 2) has no straight run
      // and turns from the cursor up to S + C.
      {"a curve starting before the line turns from the cursor", "curvad4, -10, 15\r\n", "curvad4, 1, 4\r\n"},
      {"a curve ending before the cursor turns nothing", "curvad4, -100, 50\r\ncurvas2, 400, 100\r\n",
       "curvas2, 400, 100\r\n"},
      {"the same on the left", "curvas6, -500, 1000\r\n", "curvas6, 1, 499\r\n"},
      // Boards stand in cell round(P / 50 + 1), 0 or more from -75 m on.
      {"speed boards at -75 m stand in cell 0", "indicatori_vmax, -75, 100, 100, 100, 1, 0, 0, 0, 0\r\n",
       "indicatori_vmax, -50, 100, 100, 100, 1, 0, 0, 0, 0\r\n"},
      {"a sign board at -60 m stands in cell 0", "cartello_indicatore, -60, (x)\r\n",
       "cartello_indicatore, -25, (x)\r\n"},
      // A montagna's first cell is round(start / 50), 0 or more from -25 m on.
      {"a montagna from -25 m starts at cell 0", "montagna, -25, 400, 12\r\n", "montagna, 0, 400, 12\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto with = run_line(line_file(10000, c.records));
    const auto same = run_line(line_file(10000, c.same_as));
    EXPECT_EQ(with.model.ErrorCode, 0);
    EXPECT_EQ(same.model.ErrorCode, 0);
    EXPECT_TRUE(with.result.go_on);
    expect_same_start(with, same);
  }
}

TEST(NegativePositions, BoardsAndMontagneWhoseFirstCellIsBelowZeroAreRefused) {
  struct Case {
    std::string record;
    int32_t position;
  };
  const Case cases[] = {
      {"indicatori_vmax, -76, 100, 100, 100, 1, 0, 0, 0, 0", -76},
      {"cartello_indicatore, -76, (x)", -76},
      {"cartello_indicatore, -2147483648, (x)", -2147483647 - 1},
      {"montagna, -26, 400, 2", -26},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    const auto r = run_line(line_file(10000, c.record + "\r\npendenza, 100, 5\r\n"));
    EXPECT_EQ(r.model.ErrorCode, error::kNegativePosition);
    EXPECT_EQ(r.model.ErrorPosition, c.position);
    EXPECT_FALSE(r.result.go_on);
    EXPECT_FALSE(r.line_left());
    EXPECT_EQ(r.cell(0).gradient, 0);  // nothing after the refusal was laid
  }
}

TEST(NegativePositions, BoardsBetweenMinus75AndZeroTakeCellZeroOrOne) {
  struct Case {
    int32_t position;
    int64_t cell;
  };
  for (const Case& c : {Case{-75, 0}, Case{-26, 0}, Case{-25, 0}, Case{-24, 1}, Case{-1, 1}}) {
    SCOPED_TRACE(c.position);
    const auto r = run_line(line_file(10000, "cartello_indicatore, " + std::to_string(c.position) + ", (x)\r\n"));
    EXPECT_EQ(r.model.ErrorCode, 0);
    EXPECT_EQ(r.cell(c.cell).kind, cell_kind::kSignBoard);
    EXPECT_EQ(r.cell(c.cell).value1, 80);
    EXPECT_EQ(r.model.table[80].text, "(x)");
  }
}

TEST(NegativePositions, SpeedLimitAndAdhesionBeforeTheLineWriteNothingAndCarryTheirValue) {
  struct Case {
    const char* what;
    std::initializer_list<std::string_view> rows;
    std::initializer_list<std::string_view> same_as;
  };
  const Case cases[] = {
      {"speed at -1 m", {"velocita, -1, 100", "velocita, 1250, 80"}, {"velocita, 0, 100", "velocita, 1250, 80"}},
      {"speed far before the line, after another",
       {"velocita, 0, 60", "velocita, -500000, 100", "velocita, 1250, 80"},
       {"velocita, 0, 100", "velocita, 1250, 80"}},
      {"adhesion at -77800 m",
       {"aderenza, -77800, 90", "aderenza, 1250, 70"},
       {"aderenza, 0, 90", "aderenza, 1250, 70"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto with = read_train(train_text(c.rows), 10000);
    const auto same = read_train(train_text(c.same_as), 10000);
    ASSERT_FALSE(with.failure) << with.failure->message;
    EXPECT_EQ(with.m.ErrorCode, 0);
    for (int64_t i = 0; i <= with.m.grid_end; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(with.cell(i).speed, same.cell(i).speed);
      EXPECT_EQ(with.cell(i).adhesion, same.cell(i).adhesion);
    }
  }
  // The values the runs carry reach the cells: 100 km/h is stored as 20.
  const auto run = read_train(train_text({"velocita, -1, 100", "velocita, 1250, 80"}), 10000);
  EXPECT_EQ(run.cell(0).speed, 20);
  EXPECT_EQ(run.cell(24).speed, 20);
  EXPECT_EQ(run.cell(25).speed, 16);
}

}  // namespace
}  // namespace scenario
