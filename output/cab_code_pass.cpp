#include "output/cab_code_pass.h"

#include "compiler/error_codes.h"

namespace scenario {

namespace {

// The code every change point of the pass carries.
constexpr int16_t kPassCode = 180;
// Slowdowns at this speed or faster get no change points along them.
constexpr int16_t kWalkSpeedLimit = 110;
// Rule A looks this many cells back from a warning board.
constexpr int32_t kSignalReach = 20;
// The lowest signal cell rule A handles: it needs two cells before it.
constexpr int32_t kLowestSignal = 3;
// Change points along a slowdown fall every this many cells.
constexpr int32_t kWalkStep = 8;
// Step B3 looks this many cells past the slowdown's end for a signal.
constexpr int32_t kSignalSearch = 12;

// The pass's view of the grid: cells 0 to N, and the two operations it
// performs on them. A cell outside the grid is never free, so nothing is
// ever placed there.
class PassGrid {
 public:
  explicit PassGrid(CompileContext& ctx) : ctx_(ctx), m_(ctx.model), n_(ctx.model.grid_end) {}

  int32_t last() const { return n_; }
  uint8_t kind(int32_t i) const { return m_.cell(i).kind; }
  bool free(int32_t i) const { return i >= 0 && i <= n_ && is_free(m_.cell(i)); }

  void place(int32_t i) {
    TrackCell& c = m_.cell(i);
    c.kind = cell_kind::kCodeChange;
    c.value1 = kPassCode;
  }

  // Lowers the code of the change point on cell i to 180 when it is higher.
  void lower(int32_t i) {
    TrackCell& c = m_.cell(i);
    c.value1 = minimo(kPassCode, c.value1);
  }

  void fail(int32_t code, int32_t cell) { record_error(ctx_, code, cell * 50); }

 private:
  CompileContext& ctx_;
  RouteModel& m_;
  int32_t n_;
};

// Rule A: every signal within the 20 cells before the warning board at i
// gets a change point on one of its two preceding cells, or has the code of
// a change point already there lowered to 180.
void signals_before_board(PassGrid& g, int32_t i) {
  for (int32_t a = 1; a <= kSignalReach; ++a) {
    const int32_t j = i - a;
    if (j < kLowestSignal) return;
    if (g.kind(j) != cell_kind::kSignal) continue;
    if (g.free(j - 1)) {
      g.place(j - 1);
    } else if (g.free(j - 2)) {
      g.place(j - 2);
    } else if (g.kind(j - 1) == cell_kind::kCodeChange) {
      g.lower(j - 1);
    } else if (g.kind(j - 2) == cell_kind::kCodeChange) {
      g.lower(j - 2);
    } else {
      g.fail(error::kNoCellBeforeSignal, j);
    }
  }
}

// Step B1: three bands before the slowdown start at i, each taking a change
// point on its first free cell.
void bands_before_start(PassGrid& g, int32_t i) {
  struct Band {
    int32_t bound;  // the band applies only when i exceeds this
    int32_t nearest;
  };
  static constexpr Band kBands[] = {{7, 5}, {13, 11}, {20, 18}};
  for (const Band& band : kBands) {
    if (i <= band.bound) continue;
    bool placed = false;
    for (int32_t back = band.nearest; back < band.nearest + 3 && !placed; ++back) {
      if (g.free(i - back)) {
        g.place(i - back);
        placed = true;
      }
    }
    if (!placed) g.fail(error::kBandFull, i);
  }
}

// Step B2: walks from the slowdown start at i to its end (the first
// slowdown-end cell after i, or cell N when there is none), placing a change
// point every 8 cells counted from where the previous one actually went.
// Returns the cell where the walk stopped.
int32_t walk_along(PassGrid& g, int32_t i) {
  int32_t k = 0;
  int32_t w = i;
  while (true) {
    ++w;
    ++k;
    if (k == kWalkStep) {
      if (g.free(w)) {
        g.place(w);
        k = 0;
      } else if (g.free(w - 1)) {
        g.place(w - 1);
        k = 1;
      } else if (g.free(w + 1)) {
        g.place(w + 1);
        k = -1;
      } else {
        // k stays past 8: this walk places nothing more, but runs on to
        // the end so that step B3 starts from there.
        g.fail(error::kWalkFull, w);
      }
    }
    if (g.kind(w) == cell_kind::kSlowdownEnd || w >= g.last()) return w;
  }
}

// The end of a slowdown that gets no walk: the first slowdown-end cell
// after its start at i, or cell N when there is none.
int32_t end_after(const PassGrid& g, int32_t i) {
  int32_t w = i + 1;
  while (w < g.last() && g.kind(w) != cell_kind::kSlowdownEnd) ++w;
  return w;
}

// Step B3: the first signal within cells w to w + 12 (no further than cell
// N) gets a change point on one of its two preceding cells.
void signal_after_end(PassGrid& g, int32_t w) {
  const int32_t last = w + kSignalSearch < g.last() ? w + kSignalSearch : g.last();
  int32_t k = 0;
  for (int32_t s = w; s <= last; ++s) {
    if (g.kind(s) == cell_kind::kSignal) {
      k = s - 1;
      break;
    }
  }
  if (k <= 0) return;
  if (g.free(k)) {
    g.place(k);
  } else if (g.free(k - 1)) {
    g.place(k - 1);
  } else {
    g.fail(error::kWalkFull, w);
  }
}

// Rule B: the bands, the walk (only for slowdowns below 110 km/h) and the
// signal after the end, for the slowdown start at i.
void around_slowdown(PassGrid& g, const RouteModel& m, int32_t i) {
  bands_before_start(g, i);
  const int32_t w = m.cell(i).value1 < kWalkSpeedLimit ? walk_along(g, i) : end_after(g, i);
  signal_after_end(g, w);
}

}  // namespace

int16_t minimo(int16_t x, int16_t y) { return x > y ? y : x; }

void place_cab_codes(CompileContext& ctx) {
  // The pass reads no source: its errors name no record.
  ctx.record_at.reset();
  ctx.record_keyword.clear();

  PassGrid g(ctx);
  const int32_t n = g.last();
  for (int32_t i = 1; i <= n - 2; ++i) {
    const uint8_t kind = g.kind(i);
    if (kind == cell_kind::kWarningBoard) {
      signals_before_board(g, i);
    } else if (kind == cell_kind::kSlowdownStart) {
      around_slowdown(g, ctx.model, i);
    }
  }
}

}  // namespace scenario
