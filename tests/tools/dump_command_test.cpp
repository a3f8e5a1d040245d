#include "tools/dump_command.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "scenario/cp1252.h"
#include "tests/tools/sample_scenario.h"
#include "tests/tools/tool_run.h"

namespace scenario::tool {
namespace {

using nlohmann::json;
using scenario::testing::run_tool;
using scenario::testing::scratch_dir;
namespace fs = std::filesystem;

struct Captured {
  int status;
  std::string out;
  std::string err;
};

std::string read_all(std::FILE* f) {
  std::rewind(f);
  std::string s;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
  std::fclose(f);
  return s;
}

Captured dump(const fs::path& file, bool json_lines) {
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = run_dump(file.string(), json_lines, out, err);
  return {status, read_all(out), read_all(err)};
}

std::vector<json> lines(const std::string& text) {
  std::vector<json> out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    out.push_back(json::parse(text.substr(start, end - start)));
    start = end + 1;
  }
  return out;
}

class DumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = scratch_dir("dump");
    model = scenario::testing::sample_model();
    names = scenario::testing::write_sample_files(model, dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
  RouteModel model;
  FileNames names;
};

// The JSON lines rebuild the scenario table exactly.
TEST_F(DumpTest, ScenarioFileJsonRoundTrips) {
  const Captured c = dump(dir / names.scenario_file, true);
  ASSERT_EQ(c.status, 0) << c.err;
  const auto js = lines(c.out);
  ASSERT_EQ(js.size(), 1u + 87u + 2u);
  EXPECT_EQ(js[0]["type"], "scenario");
  EXPECT_EQ(js[0]["route_name"], "Sample");
  ScenarioTable t{};
  for (int i = 0; i < 87; ++i) {
    const json& j = js[static_cast<size_t>(i) + 1];
    ASSERT_EQ(j["record"], i);
    ScenarioRecord& r = t[static_cast<size_t>(i)];
    r.kind = j["kind"];
    r.long1 = j["long1"];
    r.long2 = j["long2"];
    r.long3 = j["long3"];
    r.flag0 = j["flag0"];
    r.text = *utf8_to_cp1252(j["text"].get<std::string>());
    r.num1 = j["num1"];
    r.num2 = j["num2"];
    r.num3 = j["num3"];
    r.num4 = j["num4"];
    r.num5 = j["num5"];
    r.flag1 = j["flag1"];
    r.flag2 = j["flag2"];
    r.flag3 = j["flag3"];
    r.flag4 = j["flag4"];
    r.long4 = j["long4"];
  }
  EXPECT_EQ(t, model.table);
  EXPECT_EQ(js[1 + 1]["role"], "station");
  EXPECT_EQ(js[1 + 80]["role"], "sign board");
  for (size_t k = 88; k < js.size(); ++k) EXPECT_TRUE(js[k]["ok"].get<bool>()) << js[k].dump();
}

// Cell lines and stretch runs together rebuild the whole grid.
TEST_F(DumpTest, TrackFileJsonRoundTrips) {
  const Captured c = dump(dir / names.track_file, true);
  ASSERT_EQ(c.status, 0) << c.err;
  const auto js = lines(c.out);
  EXPECT_EQ(js[0]["type"], "track");
  ASSERT_EQ(js[0]["cells"], model.grid.size());
  TrackGrid g(model.grid.size());
  int checked = 0;
  for (const json& j : js) {
    if (j.contains("cell")) {
      TrackCell& cell = g[j["cell"].get<size_t>()];
      cell.kind = j["kind"];
      cell.value1 = j["value1"];
      cell.value2 = j["value2"];
      cell.value3 = j["value3"];
      cell.value4 = j["value4"];
      cell.timer = j["timer"];
      cell.approach = j["approach"];
    } else if (j.contains("stretch")) {
      const std::string s = j["stretch"];
      const int v = j["value"];
      for (size_t i = j["from_cell"]; i <= j["to_cell"].get<size_t>(); ++i) {
        if (s == "speed") g[i].speed = static_cast<uint8_t>(v / 5);
        if (s == "gradient") g[i].gradient = static_cast<uint8_t>(v + 100);
        if (s == "adhesion") g[i].adhesion = static_cast<uint8_t>(v);
        if (s == "montagna") g[i].montagna = static_cast<uint8_t>(v);
      }
    } else if (j.contains("check")) {
      EXPECT_TRUE(j["ok"].get<bool>()) << j.dump();
      ++checked;
    }
  }
  EXPECT_EQ(g, model.grid);
  // Both the marker and the grid check code, the latter from the names in the
  // scenario file beside the track file.
  EXPECT_EQ(checked, 2);
}

TEST_F(DumpTest, ProfileFileJsonRoundTripsWithElementTypes) {
  const Captured c = dump(dir / names.line_profile, true);
  ASSERT_EQ(c.status, 0) << c.err;
  const auto js = lines(c.out);
  EXPECT_EQ(js[0]["type"], "profile");
  ASSERT_EQ(js.size(), static_cast<size_t>(model.profile.last()) + 2);
  for (int32_t m = 0; m <= model.profile.last(); ++m) {
    const json& j = js[static_cast<size_t>(m) + 1];
    for (int axis = 0; axis < 2; ++axis) {
      const char* key = axis == 0 ? "x" : "y";
      const std::string type = j[std::string(key) + "_type"];
      switch (model.profile.type(m, axis)) {
        case ProfileType::kEmpty:
          EXPECT_EQ(type, "empty");
          EXPECT_TRUE(j[key].is_null());
          break;
        case ProfileType::kInt16:
          EXPECT_EQ(type, "int16");
          EXPECT_EQ(j[key].get<double>(), model.profile.value(m, axis));
          break;
        case ProfileType::kDouble:
          EXPECT_EQ(type, "double");
          // Exact: the shortest text that reads back as the same double.
          EXPECT_EQ(j[key].get<double>(), model.profile.value(m, axis)) << m;
          break;
      }
    }
  }
}

TEST_F(DumpTest, TablesNameRecordsCellKindsAndChecks) {
  const Captured sim = dump(dir / names.scenario_file, false);
  EXPECT_EQ(sim.status, 0);
  for (const char* says : {"record 1: station", "\"Citt\xC3\xA0 Alta\"", "zone start (m)", "records 3 to 79: cleared",
                           "record 80: sign board", "check format marker in record 85 num1: 610, as expected",
                           "check scenario check code in record 85 long4:"})
    EXPECT_NE(sim.out.find(says), std::string::npos) << says << "\n" << sim.out;

  const Captured dat = dump(dir / names.track_file, false);
  EXPECT_EQ(dat.status, 0);
  for (const char* says : {"cell 57: signal at 2800 m", "rapp*10+sx*3+dx", "cell 150: cab-code change point",
                           "cell 53: nothing", "cells 200-340: 120 km/h",
                           "check marker in track cell 1 value1: 5121, as "
                           "expected"})
    EXPECT_NE(dat.out.find(says), std::string::npos) << says << "\n" << dat.out;

  const Captured prof = dump(dir / names.line_profile, false);
  EXPECT_EQ(prof.status, 0);
  EXPECT_NE(prof.out.find("metres 2-16998: double, double"), std::string::npos) << prof.out.substr(0, 400);
  EXPECT_NE(prof.out.find("metres 16999-17000: empty, empty"), std::string::npos);
}

// True when no byte of the text is one a terminal acts on: a control byte
// other than the line feed, DEL, or a C1 control character in UTF-8.
bool nothing_a_terminal_acts_on(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if ((b < 0x20 && b != '\n') || b == 0x7F) return false;
    if (b == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0) return false;
  }
  return true;
}

// A text stored in the file with terminal control sequences, DEL and the
// bytes Windows-1252 leaves undefined: the table shows them escaped, the
// JSON carries the whole text, escaped as JSON escapes.
TEST(DumpTexts, ReachTheTerminalEscapedAndTheJsonWhole) {
  const std::string name = "\x1B[2J\x1B]0;title\x07 Citt\xE0\x81\x9D\x7F";
  const fs::path dir = scratch_dir("dump-texts");
  const RouteModel model = scenario::testing::sample_model(name);
  const FileNames names = scenario::testing::write_sample_files(model, dir);

  const Captured table = dump(dir / names.scenario_file, false);
  EXPECT_EQ(table.status, 0) << table.err;
  EXPECT_NE(table.out.find("\"\\x1B[2J\\x1B]0;title\\x07 Citt\xC3\xA0\\x81\\x9D\\x7F\""), std::string::npos)
      << table.out;
  EXPECT_TRUE(nothing_a_terminal_acts_on(table.out)) << table.out;

  const Captured js = dump(dir / names.scenario_file, true);
  EXPECT_EQ(js.status, 0) << js.err;
  EXPECT_TRUE(nothing_a_terminal_acts_on(js.out));
  EXPECT_EQ(lines(js.out)[2]["text"], cp1252_to_utf8(name));
  EXPECT_NE(js.out.find("\\u001b[2J\\u001b]0;title\\u0007 Citt\xC3\xA0\\u0081\\u009d\\u007f"), std::string::npos);

#ifndef _WIN32
  // The file's own name, as the user typed it, is shown the same way.
  const std::string odd = "odd\x1B[2J.sim";
  fs::copy_file(dir / names.scenario_file, dir / odd);
  const Captured named = dump(dir / odd, false);
  EXPECT_EQ(named.status, 0);
  EXPECT_NE(named.out.find("odd\\x1B[2J.sim: scenario file"), std::string::npos) << named.out.substr(0, 200);
#endif
  fs::remove_all(dir);
}

TEST_F(DumpTest, MalformedFilesExit65AndMismatchesExit1) {
  auto cut = [&](const std::string& name, size_t drop) {
    const std::string whole = scenario::testing::slurp(dir / name);
    const fs::path p = dir / ("cut_" + name);
    scenario::testing::write_bytes(p, whole.substr(0, whole.size() - drop));
    return p.filename().string();
  };
  std::string bad_type = scenario::testing::slurp(dir / names.line_profile);
  bad_type[4] = 7;  // the type code of metre 1's x element
  scenario::testing::write_bytes(dir / "bad_linea.dat", bad_type);
  const std::pair<std::string, const char*> malformed[] = {
      {cut(names.scenario_file, 1), "record 86 is cut short"},
      {cut(names.track_file, 7), "cut short"},
      {cut(names.line_profile, 3), "cut short"},
      {"bad_linea.dat", "type code 7"},
  };
  for (const auto& [file, says] : malformed) {
    const auto r = run_tool({"dump", file}, dir);
    EXPECT_EQ(r.status, 65) << file;
    EXPECT_NE(r.err.find(says), std::string::npos) << file << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << file;
  }

  EXPECT_EQ(run_tool({"dump", "missing.sim"}, dir).status, 74);

  // A scenario file whose check code was changed: reported, status 1.
  RouteModel changed = model;
  changed.table[record::kRoute].long4 += 1;
  scenario::testing::write_bytes(dir / "changed.sim", encode_scenario_file(changed.table));
  const auto r = run_tool({"dump", "changed.sim", "--json"}, dir);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("expected"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("\"ok\":false"), std::string::npos);
}

TEST_F(DumpTest, KindToldByStructureWhenTheNameMisleads) {
  fs::copy_file(dir / names.line_profile, dir / "plan.dat");
  const auto r = run_tool({"dump", "plan.dat", "--json"}, dir);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines(r.out)[0]["type"], "profile");
  EXPECT_NE(r.out.find("named like a track file"), std::string::npos);

  // A track file with no scenario file beside it: the grid check code
  // cannot be checked, which is no mismatch.
  fs::copy_file(dir / names.track_file, dir / "alone.dat");
  const auto alone = run_tool({"dump", "alone.dat"}, dir);
  EXPECT_EQ(alone.status, 0);
  EXPECT_NE(alone.out.find("not checked"), std::string::npos);
}

}  // namespace
}  // namespace scenario::tool
