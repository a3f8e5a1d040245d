// The train phase inside memorizza_dati, after a real line phase: the error
// handler, an error the line phase leaves, the sign boards that bound the
// stations, and the diagnostics of a refused train record.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compiler/error_codes.h"
#include "compiler/memorizza_dati.h"
#include "tests/compiler/line_source_fixture.h"
#include "tests/compiler/train_fixture.h"

namespace scenario {
namespace {

using testing::line_file;
using testing::train_text;

struct Heard {
  int32_t code;
  std::optional<SourceLocation> where;
  std::string record;
};

struct Recorder : CompileObserver {
  std::vector<Heard> heard;
  void error_recorded(int32_t code, std::optional<int32_t>, const std::optional<SourceLocation>& where,
                      std::string_view record) override {
    heard.push_back({code, where, std::string(record)});
  }
};

struct Run {
  RouteModel m;
  MemorySources sources;
  Recorder recorder;
};

// memorizza_dati over a line source and, unless it is absent, a train source.
std::unique_ptr<Run> compile(const std::string& line, const std::optional<std::string>& train) {
  auto r = std::make_unique<Run>();
  reset_model(r->m, 0);
  r->m.ErrorPosition = 77;
  r->sources.set(SourceKind::kLine, line);
  if (train) r->sources.set(SourceKind::kTrain, *train);
  CompileContext ctx(r->m, r->sources, &r->recorder);
  memorizza_dati(ctx);
  return r;
}

TEST(TrainPhase, RunTimeFailuresEndInTheErrorHandlerWithBothSourcesGone) {
  const std::optional<std::string> trains[] = {
      std::nullopt,                                            // the train source cannot be opened
      train_text({"sabbia, x"}),                               // a field that does not convert
      train_text({"velocita, 0, 1280", "velocita, 500, 30"}),  // a speed whose fifth is not a byte
      std::string("[generale]\r\nsegnale, 2800, 2, 4"),        // a record cut short
  };
  for (const auto& train : trains) {
    SCOPED_TRACE(train ? *train : "(no train source)");
    const auto r = compile(line_file(10000, ""), train);
    EXPECT_EQ(r->m.ErrorCode, error::kRuntimeFailure);
    EXPECT_EQ(r->m.ErrorPosition, 77);  // not changed
    EXPECT_FALSE(r->sources.exists(SourceKind::kLine));
    EXPECT_FALSE(r->sources.exists(SourceKind::kTrain));
  }
}

TEST(TrainPhase, AnErrorOfTheLinePhaseStopsTheTrainAtItsFirstSignal) {
  // The sign board at 30000 m lies beyond a 10000 m route: 15, and the train phase runs.
  const std::string line = line_file(10000, "cartello_indicatore,  30000,  (x)\r\n");
  const auto r = compile(line, train_text({"sabbia, 5", "segnale, 2800, 2,4,1,1,0,2,2,1,1,0", "sabbia, 7"}));
  EXPECT_EQ(r->m.ErrorCode, error::kBeyondGrid);
  EXPECT_EQ(r->m.ErrorPosition, 2800);
  EXPECT_EQ(r->m.table[record::kSignals].num1, 5);
  EXPECT_EQ(r->m.cell(57).kind, cell_kind::kSignal);
  EXPECT_FALSE(r->sources.exists(SourceKind::kTrain));
}

TEST(TrainPhase, SignBoardsOfTheLineBoundTheStations) {
  // 78 sign boards take records 80 to 3: one station fits in record 1, and
  // then no record is left for another.
  std::string boards;
  for (int i = 0; i < 78; ++i) boards += "cartello_indicatore, " + std::to_string(1000 + 100 * i) + ", (b)\r\n";
  const std::string station = "stazione, 20000, 28, 200, 0,0,0,0,0,0,0,0,0,0, 0,0,0, A";
  const auto r = compile(line_file(30000, boards), train_text({station}));
  EXPECT_EQ(r->m.ErrorCode, error::kTooManyStations);
  EXPECT_EQ(r->m.table[1].text, "A");
  EXPECT_EQ(r->m.table[3].text, "(b)");
  EXPECT_EQ(r->m.table[2].text, "");
}

TEST(TrainPhase, DiagnosticsNameTheRefusedTrainRecord) {
  const auto r = compile(line_file(10000, ""),
                         train_text({"segnale, 2800, 2,4,1,1,0,2,2,1,1,0", "  abbattimento codice, 2850, 270"}));
  ASSERT_EQ(r->recorder.heard.size(), 1u);
  const Heard& h = r->recorder.heard[0];
  EXPECT_EQ(h.code, error::kCodeReductionOccupied);
  ASSERT_TRUE(h.where);
  EXPECT_EQ(h.where->file, SourceKind::kTrain);
  EXPECT_EQ(h.where->line, 3);
  EXPECT_EQ(h.where->column, 3);
  EXPECT_EQ(h.record, "abbattimento codice");
}

}  // namespace
}  // namespace scenario
