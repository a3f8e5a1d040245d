#include <gtest/gtest.h>

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

}  // namespace
}  // namespace scenario::tool
