// The whole built-in scenario: both built-in source texts compiled together
// with the code placement and the final checks, as the one-shot run does.
#include <gtest/gtest.h>

#include <sstream>

#include "compiler/compile_context.h"
#include "output/memorizza_percorso.h"
#include "scenario/dati.h"

namespace scenario {
namespace {

// Collects every recorded error with the record that caused it.
class ErrorLog : public CompileObserver {
 public:
  void error_recorded(int32_t code, std::optional<int32_t> position, const std::optional<SourceLocation>& where,
                      std::string_view record) override {
    text << "error " << code;
    if (position) text << " at " << *position << " m";
    if (where) text << " (" << source_kind_name(where->file) << " line " << where->line << ", " << record << ")";
    text << "\n";
  }
  std::ostringstream text;
};

struct Compiled {
  RouteModel m;
  MemorySources sources;
  PercorsoResult result;
  std::string errors;
};

Compiled compile_builtin() {
  Compiled c;
  c.m.route_name = "Corvale_Mirbosco";
  c.m.train_number = "731";
  c.sources.set(SourceKind::kLine, dati_linea(c.m.route_name).bytes);
  c.sources.set(SourceKind::kTrain, dati_treno(c.m.route_name, c.m.train_number).bytes);
  ErrorLog log;
  CompileContext ctx(c.m, c.sources, &log);
  c.result = compile_scenario(ctx, 1);
  c.errors = log.text.str();
  return c;
}

int count_kind(const RouteModel& m, uint8_t kind) {
  int n = 0;
  for (const TrackCell& cell : m.grid) n += cell.kind == kind;
  return n;
}

TEST(BuiltinScenario, CompilesWithoutErrorAndLeavesNoSource) {
  const Compiled c = compile_builtin();
  EXPECT_EQ(c.m.ErrorCode, 0) << c.errors;
  EXPECT_EQ(c.errors, "");
  EXPECT_EQ(c.result.end, PercorsoEnd::kDone);
  EXPECT_FALSE(c.sources.exists(SourceKind::kLine));
  EXPECT_FALSE(c.sources.exists(SourceKind::kTrain));
}

TEST(BuiltinScenario, EveryTrainRecordReachesTheModel) {
  const Compiled c = compile_builtin();
  ASSERT_EQ(c.m.grid_end, 4540);
  // 34 places in records 1 to 34, the first and the last as built in.
  EXPECT_EQ(c.m.table[1].text, "Corvale");
  EXPECT_EQ(c.m.table[1].long4, 43515);
  EXPECT_EQ(c.m.table[34].text, "Mirbosco");
  EXPECT_EQ(c.m.table[34].long3, 218350);
  EXPECT_EQ(c.m.table[35].text, "");
  EXPECT_EQ(c.m.table[record::kTrain].long1, 130);
  EXPECT_EQ(c.m.table[record::kTrain].long3, 16);
  EXPECT_EQ(c.m.table[record::kSignals].num1, 300);

  // Every signal and slowdown cell; the stop cells of the 20 stopping places.
  EXPECT_EQ(count_kind(c.m, cell_kind::kSignal), 128);
  EXPECT_EQ(count_kind(c.m, cell_kind::kSlowdownStart), 3);
  EXPECT_EQ(count_kind(c.m, cell_kind::kSlowdownEnd), 3);
  EXPECT_EQ(count_kind(c.m, cell_kind::kWarningBoard), 3);
  EXPECT_EQ(count_kind(c.m, cell_kind::kWarningMarker), 8);
  EXPECT_EQ(count_kind(c.m, cell_kind::kStationStop), 20);
  EXPECT_EQ(c.m.cell(718).kind, cell_kind::kStationStop);  // Valdimora

  // 290 reductions of 270 or 280; the code placement adds its own of 180.
  int reductions = 0;
  int placed = 0;
  for (const TrackCell& cell : c.m.grid) {
    if (cell.kind != cell_kind::kCodeChange) continue;
    reductions += cell.value1 == 270 || cell.value1 == 280;
    placed += cell.value1 == 180;
  }
  EXPECT_EQ(reductions, 290);
  EXPECT_EQ(c.m.cell(200).value1, 270);
  // The content leaves the placement free cells: just before the signals
  // at 7400 m and 51900 m, which stand before warning boards, just before
  // the signal at 159250 m after the third slowdown, and along the slow
  // slowdowns every 8 cells.
  for (const int64_t i : {148, 1038, 3185, 194, 201, 1083}) {
    EXPECT_EQ(c.m.cell(i).kind, cell_kind::kCodeChange) << "cell " << i;
    EXPECT_EQ(c.m.cell(i).value1, 180) << "cell " << i;
  }
  EXPECT_GE(placed, 3 * 3 + 6);

  // Speed limits are laid up to N - 3: 30 km/h at the end of the line.
  EXPECT_EQ(c.m.cell(0).speed, 6);
  EXPECT_EQ(c.m.cell(4537).speed, 6);
  EXPECT_EQ(c.m.cell(4538).speed, 0);
}

}  // namespace
}  // namespace scenario
