#include "bench/large_route.h"

#include <string_view>

namespace scenario::bench {

namespace {

// The line is cut into segments of 80 cells (4000 m); every segment has the
// same layout, so no two objects ever share a cell and every rule of the
// cab-code placement finds the free cells it needs:
//   normal segments: signals at cells 10, 30, 50 and 70, speed indicator
//   boards at 20 and 60, code reductions at 40 and 65, a station stopping at
//   cell 45 in every fifth segment and a sign board at 55 in every tenth;
//   slowdown segments (every tenth, offset by 5): warning board at cell 6
//   with its markers at 5 to 2, start at 30, end at 62 and a signal at 70
//   that the placement finds after the slowdown's end.
// A montagna with markers covers cells 2 to 19 of every third segment.
constexpr int kSegmentCells = 80;
constexpr int kSegmentMetres = kSegmentCells * 50;
constexpr int kSegments = kLargeRouteLength / kSegmentMetres;
constexpr int kMaxMontagne = 80;

// The position of a point object whose object cell is cell c of segment s:
// a point object at P stands in cell round(P / 50 + 1).
int object_at(int s, int c) { return s * kSegmentMetres + (c - 1) * 50; }
// A code reduction at P stands in cell round(P / 50).
int reduction_at(int s, int c) { return s * kSegmentMetres + c * 50; }

bool slowdown_segment(int s) { return s % 10 == 5; }

class Text {
 public:
  // Appends one line made of the given fields joined by commas.
  template <typename... Fields>
  void line(const Fields&... fields) {
    bool first = true;
    ((append_field(fields, first)), ...);
    out_ += "\r\n";
  }
  std::string take() { return std::move(out_); }

 private:
  void append_field(std::string_view f, bool& first) {
    if (!first) out_ += ",  ";
    out_ += f;
    first = false;
  }
  void append_field(const char* f, bool& first) { append_field(std::string_view(f), first); }
  void append_field(const std::string& f, bool& first) { append_field(std::string_view(f), first); }
  void append_field(int v, bool& first) { append_field(std::string_view(std::to_string(v)), first); }

  std::string out_;
};

std::string line_source(LargeRouteCounts& n) {
  Text t;
  t.line("[generale]");
  t.line("lunghezza percorso", kLargeRouteLength);
  t.line("progressiva chilometrica uno", 23450, 918300, 1);
  t.line("progressiva chilometrica due", 0, 0, 0);
  t.line("progressiva chilometrica tre", 0, 0, 0);
  t.line("sfondo uno", 129300);
  t.line("sfondo due", 1200);
  t.line("sfondo tre", 3400);
  t.line("ripetizione segnali 9 codici", 11000, 990000);

  // Curves of every class and both sides, 200 m long, one every 500 m; the
  // last ends below metre 1000000, where the plan's cursor stops curves.
  t.line("[curve]");
  for (int i = 0; i < kLargeRouteLength / 500; ++i) {
    const std::string keyword = std::string(i % 2 == 0 ? "curvad" : "curvas") + std::to_string(1 + i % 6);
    t.line(keyword, i * 500 + 100, 200);
    ++n.curves;
  }

  // A gradient every 250 m, between -20 and 20 per mille.
  t.line("[pendenze]");
  for (int i = 0; i < kLargeRouteLength / 250; ++i) {
    t.line("pendenza", i * 250, (i * 7) % 41 - 20);
    ++n.gradients;
  }

  t.line("[montagne]");
  for (int s = 1; s < kSegments && n.montagne < kMaxMontagne; s += 3) {
    t.line("montagna", s * kSegmentMetres + 100, s * kSegmentMetres + 1000, 12);
    ++n.montagne;
  }

  t.line("[cartelli]");
  for (int s = 0; s < kSegments; s += 10) {
    t.line("cartello_indicatore", object_at(s, 55), "(  Km  )(" + std::to_string(s * 4) + "+000)");
    ++n.sign_boards;
  }

  t.line("[indicazioni]");
  for (int s = 0; s < kSegments; ++s) {
    if (slowdown_segment(s)) continue;
    t.line("indicatori_vmax", object_at(s, 20), 140, 160, 160, 2, 140, 160, 160, 2);
    t.line("indicatori_vmax", object_at(s, 60), 110, 115, 120, 0, "", "", "", 0);
    n.speed_boards += 2;
  }
  t.line("[fine]");
  return t.take();
}

std::string train_source(LargeRouteCounts& n) {
  Text t;
  t.line("[generale]");
  t.line("percentuale massa frenata", 130);
  t.line("numero vetture", 16);
  t.line("orologio", "15              4             15 ");
  t.line("sabbia", 300);

  t.line("[vel_limite]");
  for (int i = 0; i < kLargeRouteLength / 1000; ++i) {
    t.line("velocita", i * 1000, 100 + 5 * (i % 13));
    ++n.speed_limits;
  }
  t.line("[aderenze]");
  for (int i = 0; i < kLargeRouteLength / 2000; ++i) {
    t.line("aderenza", i * 2000, 70 + i % 29);
    ++n.adhesions;
  }

  // Stations of an ordinary kind with a 200 m zone: the zone ends 100 m
  // after the position, so the stop cell is the position's object cell.
  t.line("[stazioni]");
  for (int s = 2; s < kSegments; s += 5) {
    const int p = object_at(s, 45);
    t.line("stazione", p, 2, 200, 0, 1, 0, 1, 1, 0, 2, 5, 1, 1, 12, (s / 5) % 60, 15,
           "Fermata " + std::to_string(s / 5));
    ++n.stations;
  }

  t.line("[rallentamenti]");
  for (int s = 0; s < kSegments; ++s) {
    if (!slowdown_segment(s)) continue;
    // Start in cell 30 (the warning board 24 cells before it), end in cell 62.
    const int x = object_at(s, 30);
    t.line("rallentamento", x, s % 20 == 5 ? 40 : 80, 1600, 1, 1, s % 20 == 5 ? 30 : 0);
    ++n.slowdowns;
  }

  t.line("[segnali]");
  for (int s = 0; s < kSegments; ++s) {
    for (int c : {10, 30, 50, 70}) {
      if (slowdown_segment(s) && c != 70) continue;
      t.line("segnale", object_at(s, c), 2, 4, 1, 1, 0, 2, 2, 1, 1, 115);
      ++n.signals;
    }
  }

  t.line("[codici]");
  for (int s = 0; s < kSegments; ++s) {
    if (slowdown_segment(s)) continue;
    t.line("abbattimento", reduction_at(s, 40), 270);
    t.line("abbattimento", reduction_at(s, 65), s % 2 == 0 ? 280 : 0);
    n.code_reductions += 2;
  }
  t.line("[fine]");
  return t.take();
}

}  // namespace

LargeRouteSources generate_large_route() {
  LargeRouteSources out;
  out.line = line_source(out.counts);
  out.train = train_source(out.counts);
  return out;
}

}  // namespace scenario::bench
