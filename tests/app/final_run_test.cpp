// The run sequence from start to end: the built-in scenario compiles clean
// and carries its markers and check codes, and a final check that fails
// stops the run before any binary file is written.
#include <gtest/gtest.h>

#include <unistd.h>
#include "app/disk_sources.h"

#include <cstdint>
#include <fstream>
#include <iterator>

#include "app/run_sequence.h"
#include "compiler/file_names.h"
#include "output/binary_layouts.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class RecordingPlatform : public Platform {
 public:
  void show_window() override {}
  void message_box(const std::string& text) override { boxes.push_back(text); }
  void close_window() override {}
  std::vector<std::string> boxes;
};

fs::path scratch(const std::string& name) {
  fs::path d = fs::temp_directory_path() / ("final-run-" + std::to_string(getpid()) + "-" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

int32_t le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b.at(at + static_cast<size_t>(i)));
  return bytes == 2 ? static_cast<int16_t>(v) : static_cast<int32_t>(v);
}

// num1 and long4 of a scenario record, read from the scenario file by
// walking the records before it (the fixed bytes of each plus its text):
// num1 is the first field after the text, long4 the last of the record.
struct RecordMarks {
  int32_t num1;
  int32_t long4;
};
RecordMarks record_marks(const std::string& sim, int index) {
  using namespace layout;
  const auto text_at = [&sim](size_t record) {
    return static_cast<size_t>(le(sim, record + kRecordTextLengthOffset, 2) & 0xFFFF);
  };
  size_t at = 0;
  for (int r = 0; r < index; ++r) at += kRecordFixedBytes + text_at(at);
  const size_t after_text = at + kRecordBeforeText + text_at(at);
  return {le(sim, after_text, 2), le(sim, after_text + kRecordAfterText - 4, 4)};
}

std::string stderr_of(std::FILE* err) {
  std::rewind(err);
  std::string out;
  char buf[512];
  while (std::fgets(buf, sizeof buf, err)) out += buf;
  return out;
}

TEST(FinalRun, BuiltInScenarioEndsCleanWithMarkersAndCheckCodes) {
  const fs::path d = scratch("builtin");
  RecordingPlatform platform;
  std::FILE* err = std::tmpfile();
  const int status = Form_Load(d, platform, err);
  const std::string diagnostics = stderr_of(err);
  std::fclose(err);

  EXPECT_EQ(status, kExitClean) << diagnostics;
  EXPECT_EQ(diagnostics, "");
  EXPECT_TRUE(platform.boxes.empty());

  const FileNames names = file_names(kRouteName, kTrainNumber);
  EXPECT_FALSE(fs::exists(d / names.line_source));
  EXPECT_FALSE(fs::exists(d / names.train_source));

  // Track cell 1: value1 5121 and the grid check code of "731corvale_mirbosco".
  const std::string dat = read_whole_file(d / names.track_file).value_or("");
  ASSERT_GE(dat.size(), 30u);
  EXPECT_EQ(le(dat, layout::kTrackCellBytes + 1, 2), 5121);
  EXPECT_EQ(le(dat, layout::kTrackCellBytes + 3, 2), 2544);
  // Record 85: num1 610 and the scenario check code.
  const RecordMarks marks = record_marks(read_whole_file(d / names.scenario_file).value_or(""), 85);
  EXPECT_EQ(marks.num1, 610);
  EXPECT_EQ(marks.long4, 35327);
  fs::remove_all(d);
}

// The built-in texts with one more line record before the first speed
// boards: boards at 0 m or -1 m with a rank A speed of 30, or a sign board at
// -1 m. Each has cell 1 for its object cell, whose value1 the final check
// needs.
std::vector<TextFile> with_record_at_start(const std::string& record) {
  std::vector<TextFile> texts = builtin_run_texts(kRouteName, kTrainNumber);
  std::string& line = texts.front().bytes;
  const size_t at = line.find("\r\nindicatori_vmax");
  EXPECT_NE(at, std::string::npos);
  line.insert(at + 2, record + "\r\n");
  return texts;
}

TEST(FinalRun, AnObjectInCellOneStopsTheRunWith1250AndWritesNoBinaryFile) {
  for (const std::string record :
       {"indicatori_vmax,  0,  30,  30,  30,  0,  30,  30,  30,  0",
        "indicatori_vmax,  -1,  30,  30,  30,  0,  30,  30,  30,  0", "cartello_indicatore,  -1,  (x)"}) {
    SCOPED_TRACE(record);
    const fs::path d = scratch("object-in-cell-1");
    const FileNames names = file_names(kRouteName, kTrainNumber);
    // A scenario file from an earlier run stays as it was.
    std::ofstream(d / names.scenario_file, std::ios::binary) << "earlier run";

    RecordingPlatform platform;
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(run_with_texts(d, platform, with_record_at_start(record), err), kExitFinalCheck);
    std::fclose(err);

    EXPECT_EQ(platform.boxes, std::vector<std::string>{" Errore n. 1250"});
    EXPECT_EQ(read_whole_file(d / names.scenario_file).value_or(""), "earlier run");
    EXPECT_FALSE(fs::exists(d / names.track_file));
    EXPECT_FALSE(fs::exists(d / names.line_profile));
    EXPECT_FALSE(fs::exists(d / names.line_source));
    EXPECT_FALSE(fs::exists(d / names.train_source));
    // The documents were written before the compile.
    EXPECT_TRUE(fs::exists(d / names.timetable_sheet));
    fs::remove_all(d);
  }
}

TEST(FinalRun, CompileErrorIsReportedWithStatus1AndTheFilesAreStillWritten) {
  // A second signal at 2800 m finds its cell taken by the first.
  std::vector<TextFile> texts = builtin_run_texts(kRouteName, kTrainNumber);
  std::string& train = texts[1].bytes;
  const std::string signal = "segnale,    2800,";
  const size_t at = train.find(signal);
  ASSERT_NE(at, std::string::npos);
  const size_t end = train.find("\r\n", at) + 2;
  train.insert(end, train.substr(at, end - at));

  const fs::path d = scratch("signal-twice");
  RecordingPlatform platform;
  std::FILE* err = std::tmpfile();
  EXPECT_EQ(run_with_texts(d, platform, texts, err), kExitCompileError);
  EXPECT_EQ(stderr_of(err), "compile error 16 at 2800 m: the cell of a signal is already occupied\n");
  std::fclose(err);

  EXPECT_TRUE(platform.boxes.empty());
  const FileNames names = file_names(kRouteName, kTrainNumber);
  EXPECT_TRUE(fs::exists(d / names.scenario_file));
  EXPECT_TRUE(fs::exists(d / names.track_file));
  EXPECT_TRUE(fs::exists(d / names.line_profile));
  EXPECT_FALSE(fs::exists(d / names.train_source));
  fs::remove_all(d);
}

}  // namespace
}  // namespace scenario
