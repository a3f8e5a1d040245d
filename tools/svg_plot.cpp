#include "tools/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace scenario::tool {

namespace {

constexpr double kWidth = 1400;
constexpr double kLeft = 110;  // room for the strip names
constexpr double kRight = 30;
constexpr double kPlotWidth = kWidth - kLeft - kRight;

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  std::string s(buf);
  if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
  if (s == "-0") s = "0";
  return s;
}

class Svg {
 public:
  std::string out;

  void raw(const std::string& s) { out += s; }
  void text(double x, double y, const std::string& t, const std::string& attrs = {}) {
    out += "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"" + (attrs.empty() ? "" : " " + attrs) + ">" +
           xml_escape(t) + "</text>\n";
  }
  void line(double x1, double y1, double x2, double y2, const std::string& attrs, const std::string& tip = {}) {
    out += "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) + "\" " +
           attrs + close("line", tip);
  }
  void rect(double x, double y, double w, double h, const std::string& attrs, const std::string& tip = {}) {
    out += "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(std::max(w, 0.5)) + "\" height=\"" +
           num(h) + "\" " + attrs + close("rect", tip);
  }
  void polygon(const std::string& points, const std::string& attrs, const std::string& tip = {}) {
    out += "<polygon points=\"" + points + "\" " + attrs + close("polygon", tip);
  }
  void circle(double x, double y, double r, const std::string& attrs, const std::string& tip = {}) {
    out += "<circle cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" r=\"" + num(r) + "\" " + attrs + close("circle", tip);
  }
  void polyline(const std::vector<std::pair<double, double>>& pts, const std::string& attrs) {
    out += "<polyline fill=\"none\" " + attrs + " points=\"";
    for (size_t i = 0; i < pts.size(); ++i) {
      if (i) out += ' ';
      out += num(pts[i].first) + "," + num(pts[i].second);
    }
    out += "\"/>\n";
  }

 private:
  // Ends an element, with a tooltip inside it when there is one.
  static std::string close(const char* element, const std::string& tip) {
    if (tip.empty()) return "/>\n";
    return "><title>" + xml_escape(tip) + "</title></" + element + ">\n";
  }
};

struct Axis {
  double extent;  // metres shown
  double x(double metres) const { return kLeft + metres / extent * kPlotWidth; }
};

// A tick step in kilometres that gives at most about 25 ticks.
int tick_km(double extent_m) {
  for (int step : {1, 2, 5, 10, 20, 50, 100, 200})
    if (extent_m / 1000.0 / step <= 25) return step;
  return 500;
}

struct Band {
  double top;
  double height;
  double lo;
  double hi;
  double y(double v) const { return top + height - (v - lo) / (hi - lo) * height; }
};

void band_frame(Svg& svg, const Band& b, const std::string& name, const std::string& unit) {
  svg.rect(kLeft, b.top, kPlotWidth, b.height, "fill=\"#fafafa\" stroke=\"#ccc\"");
  svg.text(8, b.top + b.height / 2 + 4, name, "class=\"name\"");
  if (!unit.empty()) svg.text(8, b.top + b.height / 2 + 17, unit, "class=\"small\"");
  svg.text(kLeft - 6, b.top + 10, num(b.hi), "class=\"small\" text-anchor=\"end\"");
  svg.text(kLeft - 6, b.top + b.height, num(b.lo), "class=\"small\" text-anchor=\"end\"");
}

void steps(Svg& svg, const Axis& a, const Band& b, const std::vector<Run>& runs, const std::string& colour) {
  std::vector<std::pair<double, double>> pts;
  for (const Run& r : runs) {
    const double y = b.y(std::clamp<double>(r.value, b.lo, b.hi));
    pts.emplace_back(a.x(static_cast<double>(r.from)), y);
    pts.emplace_back(a.x(static_cast<double>(r.to)), y);
  }
  svg.polyline(pts, "stroke=\"" + colour + "\" stroke-width=\"1.2\"");
}

// The range of the values that hold on the line itself; the cells of the
// grid's margin beyond the end keep what the compile left there.
std::pair<double, double> range_of(const std::vector<Run>& runs, double floor_lo, double floor_hi, int64_t line_end) {
  double lo = floor_lo, hi = floor_hi;
  for (const Run& r : runs) {
    if (r.from >= line_end && r.from > 0) continue;
    lo = std::min(lo, static_cast<double>(r.value));
    hi = std::max(hi, static_cast<double>(r.value));
  }
  return {lo, hi};
}

double round_up(double v, double step) { return std::ceil(v / step) * step; }
double round_down(double v, double step) { return std::floor(v / step) * step; }

// The plan turned so that the line runs from left to right (its start on
// the left, its end on the right), at one scale for both axes so that its
// shape is true, and the panel height that it needs.
struct Plan {
  std::vector<std::pair<double, double>> points;  // in picture coordinates, from the panel's top
  double height = 80;
  double scale = 0;  // pixels per metre
};

Plan lay_plan(const PlotData& d) {
  Plan plan;
  if (d.plan.size() < 2) return plan;
  const auto [x0, y0] = d.plan.front();
  const auto [x1, y1] = d.plan.back();
  double angle = std::atan2(y1 - y0, x1 - x0);
  if (x1 == x0 && y1 == y0) angle = std::atan2(1.0, 0.0);  // a closed loop keeps the start heading up
  const double c = std::cos(-angle), s = std::sin(-angle);
  std::vector<std::pair<double, double>> turned;
  turned.reserve(d.plan.size());
  double minx = 0, maxx = 0, miny = 0, maxy = 0;
  for (const auto& [x, y] : d.plan) {
    const double u = (x - x0) * c - (y - y0) * s;
    const double v = (x - x0) * s + (y - y0) * c;
    turned.emplace_back(u, v);
    minx = std::min(minx, u);
    maxx = std::max(maxx, u);
    miny = std::min(miny, v);
    maxy = std::max(maxy, v);
  }
  constexpr double kPad = 40;
  plan.scale = std::min((kPlotWidth - 2 * kPad) / std::max(maxx - minx, 1.0), 260.0 / std::max(maxy - miny, 1.0));
  plan.height = std::clamp((maxy - miny) * plan.scale + 2 * kPad + 20, 110.0, 340.0);
  const double ox = kLeft + kPad + ((kPlotWidth - 2 * kPad) - (maxx - minx) * plan.scale) / 2;
  const double oy = (plan.height - (maxy - miny) * plan.scale) / 2;
  for (const auto& [u, v] : turned)
    plan.points.emplace_back(ox + (u - minx) * plan.scale, oy + (maxy - v) * plan.scale);
  return plan;
}

void draw_plan(Svg& svg, const PlotData& d, const Plan& plan, double top) {
  svg.rect(kLeft, top, kPlotWidth, plan.height, "fill=\"#fcfcf8\" stroke=\"#ccc\"");
  svg.text(8, top + 16, "plan", "class=\"name\"");
  if (plan.points.size() < 2) {
    svg.text(kLeft + 12, top + plan.height / 2, "no line profile: the plan of the line is not shown",
             "class=\"small\"");
    return;
  }
  std::vector<std::pair<double, double>> pts;
  pts.reserve(plan.points.size());
  for (const auto& [x, y] : plan.points) pts.emplace_back(x, top + y);
  // One line from break to break: nothing is drawn across the points that
  // were left out.
  size_t from = 0;
  for (size_t i = 0; i <= d.plan_breaks.size(); ++i) {
    const size_t to = i < d.plan_breaks.size() ? std::min(d.plan_breaks[i], pts.size()) : pts.size();
    if (to > from)
      svg.polyline({pts.begin() + static_cast<std::ptrdiff_t>(from), pts.begin() + static_cast<std::ptrdiff_t>(to)},
                   "stroke=\"#333\" stroke-width=\"1.6\"");
    from = std::max(from, to);
  }

  // The plan point nearest a position along the line.
  auto at = [&](int64_t metre) {
    const auto it = std::lower_bound(d.plan_metres.begin(), d.plan_metres.end(), metre);
    size_t i = static_cast<size_t>(it - d.plan_metres.begin());
    if (i >= pts.size()) i = pts.size() - 1;
    return pts[i];
  };
  const int step = tick_km(static_cast<double>(d.route_length));
  for (int64_t km = 0; km * 1000 <= d.route_length; km += step) {
    const auto [x, y] = at(km * 1000);
    svg.circle(x, y, 1.8, "fill=\"#999\"", "km " + std::to_string(km));
    svg.text(x, y + 13, std::to_string(km), "class=\"tiny\" fill=\"#777\" text-anchor=\"middle\"");
  }
  for (const Mark& m : d.stations) {
    const auto [x, y] = at(m.position);
    svg.circle(x, y, 3, "fill=\"#1565c0\"", m.detail);
    svg.text(x + 2, y - 6, m.label, "class=\"tiny\" transform=\"rotate(-45 " + num(x + 2) + " " + num(y - 6) + ")\"");
  }
  svg.text(kLeft + kPlotWidth - 8, top + plan.height - 8,
           "turned to run from left to right; 10 km = " + num(10000 * plan.scale) + " px",
           "class=\"small\" text-anchor=\"end\"");
}

}  // namespace

std::string xml_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
          out += ' ';
        else
          out += c;
    }
  }
  return out;
}

std::string render_svg(const PlotData& d) {
  const Axis a{static_cast<double>(std::max<int64_t>(d.extent, 1))};
  Svg svg;

  const double y = 40;
  const Plan plan = lay_plan(d);
  const double plan_h = plan.height;
  const Band gradient_b = [&] {
    auto [lo, hi] = range_of(d.gradient, -5, 5, d.route_length);
    const double m = round_up(std::max(std::abs(lo), std::abs(hi)), 5);
    return Band{y + plan_h + 20, 90, -m, m};
  }();
  const Band speed_b = [&] {
    auto [lo, hi] = range_of(d.speed, 0, 20, d.route_length);
    (void)lo;
    return Band{gradient_b.top + gradient_b.height + 14, 120, 0, round_up(hi, 20)};
  }();
  const Band adhesion_b = [&] {
    auto [lo, hi] = range_of(d.adhesion, 1e9, -1e9, d.route_length);
    if (lo > hi) lo = 0, hi = 100;
    return Band{speed_b.top + speed_b.height + 14, 70, round_down(lo, 10), std::max(round_up(hi, 10), lo + 10)};
  }();
  const double stations_top = adhesion_b.top + adhesion_b.height + 14;
  const double stations_h = 95;
  const double objects_top = stations_top + stations_h + 8;
  const char* rows[] = {"signals", "cab-code points", "warning boards", "speed boards", "sign boards", "montagna"};
  const double row_h = 16;
  const double objects_h = row_h * std::size(rows);
  const double axis_top = objects_top + objects_h;
  const double height = axis_top + 60;

  svg.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  svg.raw("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(kWidth) + "\" height=\"" + num(height) +
          "\" viewBox=\"0 0 " + num(kWidth) + " " + num(height) + "\" font-family=\"sans-serif\">\n");
  svg.raw(
      "<style>text{font-size:11px;fill:#222} .name{font-size:12px;font-weight:bold} .small{font-size:10px;"
      "fill:#555} .tiny{font-size:8px} .title{font-size:17px;font-weight:bold}</style>\n");
  svg.rect(0, 0, kWidth, height, "fill=\"white\"");
  svg.text(kLeft, 26, d.title.empty() ? "scenario" : d.title, "class=\"title\"");
  svg.text(kWidth - kRight, 26,
           "line " + num(static_cast<double>(d.route_length) / 1000.0) + " km; " + std::to_string(d.stations.size()) +
               " stations, " + std::to_string(d.signals.size()) + " signals, " + std::to_string(d.slowdowns.size()) +
               " slowdowns",
           "class=\"small\" text-anchor=\"end\"");

  draw_plan(svg, d, plan, y);

  // Gradient.
  band_frame(svg, gradient_b, "gradient", "per mille");
  svg.line(kLeft, gradient_b.y(0), kLeft + kPlotWidth, gradient_b.y(0), "stroke=\"#bbb\" stroke-dasharray=\"3,3\"");
  steps(svg, a, gradient_b, d.gradient, "#6d4c41");

  // Speed limit with the slowdowns.
  band_frame(svg, speed_b, "speed limit", "km/h");
  for (const Slowdown& s : d.slowdowns) {
    const double x1 = a.x(static_cast<double>(s.from));
    const double x2 = a.x(static_cast<double>(s.to));
    const std::string tip = "slowdown " + std::to_string(s.speed) + " km/h from " + std::to_string(s.from) + " to " +
                            std::to_string(s.to) + " m";
    svg.rect(x1, speed_b.top, std::max(x2 - x1, 2.0), speed_b.height, "fill=\"#e53935\" fill-opacity=\"0.25\"", tip);
    svg.line(x1, speed_b.y(s.speed), x1 + std::max(x2 - x1, 2.0), speed_b.y(s.speed),
             "stroke=\"#c62828\" stroke-width=\"2\"", tip);
    svg.text(x1 + 2, speed_b.top + 11, std::to_string(s.speed), "class=\"small\" fill=\"#c62828\"");
  }
  steps(svg, a, speed_b, d.speed, "#1e88e5");

  // Adhesion.
  band_frame(svg, adhesion_b, "adhesion", "");
  steps(svg, a, adhesion_b, d.adhesion, "#43a047");

  // Stations: a line through the strips and the name.
  svg.rect(kLeft, stations_top, kPlotWidth, stations_h, "fill=\"#f5f8fc\" stroke=\"#ccc\"");
  svg.text(8, stations_top + stations_h / 2 + 4, "stations", "class=\"name\"");
  for (const Mark& m : d.stations) {
    const double x = a.x(static_cast<double>(m.position));
    svg.line(x, gradient_b.top, x, stations_top + stations_h, "stroke=\"#1565c0\" stroke-opacity=\"0.18\"");
    svg.line(x, stations_top + stations_h - 8, x, stations_top + stations_h, "stroke=\"#1565c0\"", m.detail);
    svg.text(x + 3, stations_top + stations_h - 10, m.label,
             "class=\"tiny\" transform=\"rotate(-60 " + num(x + 3) + " " + num(stations_top + stations_h - 10) + ")\"");
  }

  // One row per kind of line-side object.
  for (size_t i = 0; i < std::size(rows); ++i) {
    const double top = objects_top + row_h * static_cast<double>(i);
    svg.rect(kLeft, top, kPlotWidth, row_h, i % 2 ? "fill=\"#fafafa\"" : "fill=\"#f2f2f2\"");
    svg.text(8, top + 12, rows[i], "class=\"small\"");
  }
  auto row_top = [&](int i) { return objects_top + row_h * i; };
  for (const Mark& m : d.signals) {
    const double x = a.x(static_cast<double>(m.position));
    svg.line(x, row_top(0) + 2, x, row_top(0) + row_h - 2, "stroke=\"#2e7d32\" stroke-width=\"1.2\"", m.detail);
  }
  for (const Mark& m : d.code_points) {
    const double x = a.x(static_cast<double>(m.position));
    svg.line(x, row_top(1) + 3, x, row_top(1) + row_h - 3, "stroke=\"#6a1b9a\"", m.detail);
  }
  for (const Mark& m : d.warning_boards) {
    const double x = a.x(static_cast<double>(m.position));
    const double t = row_top(2);
    svg.polygon(num(x) + "," + num(t + 3) + " " + num(x - 4) + "," + num(t + row_h - 3) + " " + num(x + 4) + "," +
                    num(t + row_h - 3),
                "fill=\"#e53935\"", m.detail);
  }
  for (const Mark& m : d.speed_boards) {
    const double x = a.x(static_cast<double>(m.position));
    svg.rect(x - 2.5, row_top(3) + 4, 5, row_h - 8, "fill=\"#1e88e5\"", m.detail);
  }
  for (const Mark& m : d.sign_boards) {
    const double x = a.x(static_cast<double>(m.position));
    const double c = row_top(4) + row_h / 2;
    svg.polygon(num(x) + "," + num(c - 5) + " " + num(x + 4) + "," + num(c) + " " + num(x) + "," + num(c + 5) + " " +
                    num(x - 4) + "," + num(c),
                "fill=\"#fb8c00\"", m.detail);
  }
  for (const Run& r : d.montagna) {
    const double x1 = a.x(static_cast<double>(r.from));
    const double x2 = a.x(static_cast<double>(r.to));
    svg.rect(x1, row_top(5) + 4, x2 - x1, row_h - 8, "fill=\"#616161\"",
             "montagna type " + std::to_string(r.value) + " from " + std::to_string(r.from) + " to " +
                 std::to_string(r.to) + " m");
  }

  // The end of the line and the kilometre axis.
  const double end_x = a.x(static_cast<double>(d.route_length));
  svg.line(end_x, gradient_b.top, end_x, axis_top, "stroke=\"#000\" stroke-dasharray=\"5,4\"");
  svg.text(end_x - 4, gradient_b.top - 4, "end of line", "class=\"small\" text-anchor=\"end\"");
  svg.line(kLeft, axis_top, kLeft + kPlotWidth, axis_top, "stroke=\"#333\"");
  const int step = tick_km(a.extent);
  for (int64_t km = 0; static_cast<double>(km) * 1000 <= a.extent; km += step) {
    const double x = a.x(static_cast<double>(km) * 1000);
    svg.line(x, gradient_b.top, x, axis_top, "stroke=\"#000\" stroke-opacity=\"0.06\"");
    svg.line(x, axis_top, x, axis_top + 5, "stroke=\"#333\"");
    svg.text(x, axis_top + 17, std::to_string(km), "class=\"small\" text-anchor=\"middle\"");
  }
  svg.text(kLeft + kPlotWidth / 2, axis_top + 36, "kilometres from the start of the line",
           "class=\"small\" text-anchor=\"middle\"");
  svg.raw("</svg>\n");
  return svg.out;
}

}  // namespace scenario::tool
