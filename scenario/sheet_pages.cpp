#include "scenario/sheet_pages.h"

#include <array>
#include <string_view>

namespace scenario {

namespace {

// The frame of every page.
constexpr std::string_view kTitleRule =
    "  ___________________                                               ______________";
constexpr std::array<std::string_view, 4> kPageLabels = {
    " |                   |                    SCHEDA  1/3              |              |",
    " |                   |                    SCHEDA  2/3              |              |",
    " |                   |                    SCHEDA 3/3               |              |",
    " |                   |                    SCHEDA 4/4               |              |",
};
constexpr std::string_view kTitleClose =
    "                                                                   |______________|";
constexpr std::string_view kBoxRule = "  ___________________                ___________________";
constexpr std::string_view kBoxHeading = " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ";
constexpr std::string_view kBoxClose = " |___________________|              |___________________|       ";
constexpr std::string_view kTableRule =
    "  ________________________________________________________________________________";
constexpr std::string_view kHeadingFirstPage =
    " | Vel.| Vel.| Progr Km |  No |    Località di Servizio    |     Orario     | Rec |";
constexpr std::string_view kHeadingOtherPages =
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |";
constexpr std::string_view kHeadingSecondLine =
    " | Lim.|Marc.|          |  Rs |                            |                |     |";
constexpr std::string_view kBodyRule =
    " |_____|_____|__________|_____|____________________________|________________|_____|";
constexpr std::string_view kFootnote = " Dalle ore 23.30 alle ore 4.30 velocità massima 160 Km/h.";

// The boxes of the title lines: the train in the left box, departure and
// arrival in the middle, category and braked mass in the right box.
constexpr std::array<Column, 3> kTitleTrainColumns = {
    {{19, Align::kLeft, 3}, {45, Align::kLeft, 19}, {14, Align::kLeft, 4}}};
constexpr std::array<Column, 2> kTitleArrivalColumns = {{{45, Align::kLeft, 20}, {14, Align::kLeft, 5}}};
constexpr std::array<Column, 3> kBoxColumns = {
    {{19, Align::kCentre, 0}, {14, Align::kLeft, 0}, {19, Align::kCentre, 0}}};
constexpr std::string_view kBoxTail = "       ";

class SheetWriter {
 public:
  explicit SheetWriter(std::string* error) : error_(error) { lines_.reserve(kSheetLines); }

  void line(std::string_view text) { lines_.emplace_back(text); }
  void blank(int n) {
    for (int i = 0; i < n; ++i) lines_.emplace_back();
  }
  void dots(int n) { lines_.emplace_back(static_cast<size_t>(n), '.'); }

  // A formatted line; a text that did not fit spoils the whole sheet.
  void formatted(std::optional<std::string> text, std::string_view what) {
    if (!text) {
      fail(std::string(what) + " does not fit its column");
      return;
    }
    lines_.push_back(std::move(*text));
  }

  void fail(std::string message) {
    if (ok_ && error_) *error_ = std::move(message);
    ok_ = false;
  }

  bool ok() const { return ok_; }
  std::vector<std::string> take() { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
  std::string* error_;
  bool ok_ = true;
};

void title_box(SheetWriter& w, const SheetTitle& t, int page) {
  w.line(kTitleRule);
  w.line(kPageLabels[static_cast<size_t>(page)]);
  const std::array<std::string, 3> first = {"TRENO n." + t.train_number, "da: " + t.from, t.category};
  w.formatted(format_table_row(" ", kTitleTrainColumns, first), "title: train, departure");
  const std::array<std::string, 2> second = {"a: " + t.to, t.braked_mass};
  w.formatted(format_table_row(" |___________________", kTitleArrivalColumns, second), "title: arrival");
  w.line(kTitleClose);
}

void mass_boxes(SheetWriter& w, const SheetTitle& t) {
  w.line(kBoxRule);
  w.line(kBoxHeading);
  const std::array<std::string, 3> cells = {t.classification, "", t.locked_mass};
  auto row = format_table_row(" ", kBoxColumns, cells);
  if (row) *row += kBoxTail;
  w.formatted(std::move(row), "classification or locked mass");
  w.line(kBoxClose);
}

void table_head(SheetWriter& w, int page) {
  w.line(kTableRule);
  w.line(page == 0 ? kHeadingFirstPage : kHeadingOtherPages);
  w.line(kHeadingSecondLine);
  w.line(kBodyRule);
}

// One of the three pages of the run: its entries, then empty rows.
void run_page(SheetWriter& w, const SheetTitle& t, int page, std::span<const TimetableEntry> entries) {
  title_box(w, t, page);
  mass_boxes(w, t);
  w.blank(1);
  table_head(w, page);
  for (size_t i = 0; i < entries.size(); ++i) {
    SheetRow row = entries[i].row;
    if (i == 0) {
      // The first location of a page always shows the speeds in force.
      row.speed_limit = entries[i].in_force.limit;
      row.running_speed = entries[i].in_force.running;
      row.further_speed = entries[i].in_force.further;
    }
    w.formatted(format_sheet_row(row), row.location);
  }
  for (size_t i = entries.size(); i < static_cast<size_t>(kBodyRows); ++i) {
    w.formatted(format_sheet_row(SheetRow{}), "empty row");
  }
  w.line(kBodyRule);
  // The night limit; on the first two pages the line keeps a trailing space.
  w.line(page < 2 ? std::string(kFootnote) + " " : std::string(kFootnote));
}

void blank_page(SheetWriter& w) {
  const SheetTitle t = blank_title();
  title_box(w, t, 3);
  mass_boxes(w, t);
  w.blank(1);
  table_head(w, 3);
  for (int i = 0; i < kBlankBodyRows; ++i) {
    w.formatted(format_sheet_row(SheetRow{}), "empty row");
  }
  w.line(kBodyRule);
}

}  // namespace

SheetTitle blank_title() { return {"xxxxx", "xxxxxx", "xxxxxx", "Vxxx C", "xxx%", "xxx", "xxxT"}; }

std::optional<std::vector<std::string>> layout_timetable_sheet(const SheetTitle& title,
                                                               std::span<const TimetableEntry> entries,
                                                               std::string* error) {
  if (entries.size() < kMinEntries || entries.size() > kMaxEntries) {
    if (error) {
      *error = "the timetable has " + std::to_string(entries.size()) + " locations; its three pages hold " +
               std::to_string(kMinEntries) + " to " + std::to_string(kMaxEntries);
    }
    return std::nullopt;
  }
  constexpr size_t kRows = kBodyRows;
  SheetWriter w(error);
  w.blank(3);
  run_page(w, title, 0, entries.subspan(0, kRows));
  w.blank(3);
  w.dots(81);
  w.blank(2);
  run_page(w, title, 1, entries.subspan(kRows - 1, kRows));
  w.blank(3);
  w.dots(72);
  w.blank(2);
  run_page(w, title, 2, entries.subspan(2 * kRows - 2));
  w.blank(2);
  w.dots(72);
  w.blank(1);
  blank_page(w);
  w.blank(2);
  if (!w.ok()) return std::nullopt;
  return w.take();
}

}  // namespace scenario
