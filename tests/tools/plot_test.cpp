#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <limits>

#include "output/decoders.h"
#include "tests/tools/sample_scenario.h"
#include "tests/tools/tool_run.h"
#include "tests/tools/xml_check.h"
#include "tools/plot_data.h"
#include "tools/svg_plot.h"

namespace scenario::tool {
namespace {

using scenario::testing::check_xml;
using scenario::testing::run_tool;
using scenario::testing::scratch_dir;
using scenario::testing::slurp;
namespace fs = std::filesystem;

bool has_text(const scenario::testing::XmlCheck& x, const std::string& part) {
  for (const auto& t : x.texts)
    if (t.find(part) != std::string::npos) return true;
  return false;
}

TEST(Plot, GathersObjectsAtTheirPositionsAndThinsThePlan) {
  const RouteModel m = scenario::testing::sample_model();
  const PlotData d = gather_plot(m.grid, &m.table, &m.profile);
  EXPECT_EQ(d.route_length, 10000);
  EXPECT_EQ(d.extent, 340 * 50);
  ASSERT_EQ(d.stations.size(), 2u);
  EXPECT_EQ(d.stations[0].label, "Citt\xC3\xA0 Alta");
  EXPECT_EQ(d.stations[1].position, 6000);
  ASSERT_EQ(d.signals.size(), 1u);
  EXPECT_EQ(d.signals[0].position, 2800);  // object cell 57 holds a signal at 2800 m
  ASSERT_EQ(d.slowdowns.size(), 1u);
  EXPECT_EQ(d.slowdowns[0].from, 4950);
  EXPECT_EQ(d.slowdowns[0].to, 5450);
  EXPECT_EQ(d.slowdowns[0].speed, 60);
  EXPECT_EQ(d.code_points.size(), 2u);
  ASSERT_EQ(d.sign_boards.size(), 1u);
  EXPECT_EQ(d.sign_boards[0].label, "(  Km  )(3+200)");
  ASSERT_EQ(d.montagna.size(), 1u);
  EXPECT_EQ(d.montagna[0].from, 10000);
  EXPECT_EQ(d.montagna[0].to, 11000);
  // 16999 points with both coordinates, thinned to at most 3000 and ending
  // at the last of them.
  EXPECT_LE(d.plan.size(), kPlanPoints + 1);
  EXPECT_GT(d.plan.size(), kPlanPoints / 2);
  EXPECT_EQ(d.plan_metres.back(), 16998);
  EXPECT_EQ(d.plan.back().second, m.profile.value(16998, 1));
}

TEST(Plot, SvgIsWellFormedAndEscapesTexts) {
  const RouteModel m = scenario::testing::sample_model("A & B <C>");
  const std::string svg = render_svg(gather_plot(m.grid, &m.table, &m.profile));
  const auto x = check_xml(svg);
  ASSERT_EQ(x.error, "") << svg.substr(0, 2000);
  EXPECT_EQ(x.root, "svg");
  EXPECT_TRUE(has_text(x, "A &amp; B &lt;C&gt;"));
  EXPECT_TRUE(has_text(x, "Mirbosco"));
  EXPECT_TRUE(has_text(x, "end of line"));
  EXPECT_GE(x.elements.at("polyline"), 4);  // the plan and three stretches
  EXPECT_GE(x.elements.at("title"), 8);     // tooltips on the objects
  // A plan of a few thousand points keeps the picture small.
  EXPECT_LT(svg.size(), 200000u);

  // Without a plan and without a scenario table the picture still draws.
  const auto bare = check_xml(render_svg(gather_plot(m.grid, nullptr, nullptr)));
  EXPECT_EQ(bare.error, "");
  EXPECT_TRUE(has_text(bare, "no line profile"));
}

TEST(Plot, FromTheCompiledFiles) {
  const fs::path dir = scratch_dir("plot");
  const RouteModel m = scenario::testing::sample_model();
  const FileNames n = scenario::testing::write_sample_files(m, dir);

  // The track file alone: the scenario file and the line profile file are
  // found beside it.
  const std::vector<std::vector<std::string>> runs = {
      {"plot", n.track_file, n.line_profile, "--out", "p.svg"},
      {"plot", n.track_file, "--out", "p.svg"},
  };
  for (const auto& args : runs) {
    fs::remove(dir / "p.svg");
    const auto r = run_tool(args, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    const auto x = check_xml(slurp(dir / "p.svg"));
    EXPECT_EQ(x.error, "");
    EXPECT_TRUE(has_text(x, "Mirbosco"));
    EXPECT_FALSE(has_text(x, "no line profile"));
  }

  // A malformed track file: 65, and no picture.
  const std::string track = slurp(dir / n.track_file);
  scenario::testing::write_bytes(dir / "cut.dat", track.substr(0, track.size() - 1));
  auto r = run_tool({"plot", "cut.dat", "--out", "cut.svg"}, dir);
  EXPECT_EQ(r.status, 65);
  EXPECT_FALSE(fs::exists(dir / "cut.svg"));

  // A picture that cannot be written: 74.
  r = run_tool({"plot", n.track_file, "--out", "no/such/dir/p.svg"}, dir);
  EXPECT_EQ(r.status, 74);
  fs::remove_all(dir);
}

// A line profile file written byte by byte: every element a double (type
// code 5, then its 8 bytes, little-endian), all x values, then all y values.
std::string profile_bytes(const std::vector<std::pair<double, double>>& points) {
  std::string out;
  auto element = [&](double v) {
    out += '\x05';
    out += '\0';
    const auto bits = std::bit_cast<uint64_t>(v);
    for (int k = 0; k < 8; ++k) out += static_cast<char>((bits >> (8 * k)) & 0xFF);
  };
  for (const auto& p : points) element(p.first);
  for (const auto& p : points) element(p.second);
  return out;
}

// Metres 0 to 11 along a straight line, with coordinates that are no place
// at metres 4 and 5 (NaN), 8 (infinity) and 10 (beyond 1e9 m).
std::vector<std::pair<double, double>> plan_with_holes(bool holes) {
  std::vector<std::pair<double, double>> pts;
  for (int m = 0; m < 12; ++m) pts.emplace_back(100.0 * m, 10.0 * m);
  if (holes) {
    pts[4].first = std::numeric_limits<double>::quiet_NaN();
    pts[5].second = -std::numeric_limits<double>::quiet_NaN();
    pts[8].first = std::numeric_limits<double>::infinity();
    pts[10].second = -1e12;
  }
  return pts;
}

TEST(PlotPlan, PointsThatAreNoPlaceAreLeftOutAndBreakTheLine) {
  const RouteModel m = scenario::testing::sample_model();
  const auto profile = decode_profile_file(profile_bytes(plan_with_holes(true)));
  ASSERT_TRUE(profile.value) << profile.error;
  const PlotData d = gather_plot(m.grid, &m.table, &*profile.value);
  EXPECT_EQ(d.plan_metres, (std::vector<int64_t>{0, 1, 2, 3, 6, 7, 9, 11}));
  EXPECT_EQ(d.plan_breaks, (std::vector<size_t>{4, 6, 7}));
  for (const auto& [x, y] : d.plan) EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
  ASSERT_EQ(d.warnings.size(), 1u);
  EXPECT_NE(d.warnings[0].find("4 points"), std::string::npos) << d.warnings[0];
  EXPECT_NE(d.warnings[0].find("the first at metre 4"), std::string::npos) << d.warnings[0];

  const auto straight = decode_profile_file(profile_bytes(plan_with_holes(false)));
  ASSERT_TRUE(straight.value) << straight.error;
  const PlotData clean = gather_plot(m.grid, &m.table, &*straight.value);
  EXPECT_TRUE(clean.plan_breaks.empty());
  EXPECT_TRUE(clean.warnings.empty());
  // The broken plan is drawn as four lines instead of one.
  const auto broken_svg = check_xml(render_svg(d));
  const auto clean_svg = check_xml(render_svg(clean));
  ASSERT_EQ(broken_svg.error, "");
  EXPECT_EQ(broken_svg.elements.at("polyline"), clean_svg.elements.at("polyline") + 3);
}

TEST(PlotPlan, AProfileFileWithNanAndInfinityDrawsAValidPictureWithAWarning) {
  const fs::path dir = scratch_dir("plot-nan");
  const FileNames n = scenario::testing::write_sample_files(scenario::testing::sample_model(), dir);
  scenario::testing::write_bytes(dir / n.line_profile, profile_bytes(plan_with_holes(true)));
  const auto r = run_tool({"plot", n.track_file, n.line_profile, "--out", "p.svg"}, dir);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("scenario plot: warning: the line profile holds 4 points"), std::string::npos) << r.err;
  const std::string svg = slurp(dir / "p.svg");
  EXPECT_EQ(check_xml(svg).error, "");
  for (const char* bad : {"nan", "inf"}) EXPECT_EQ(svg.find(bad), std::string::npos) << bad;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace scenario::tool
