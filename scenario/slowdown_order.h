// The slowdown order ("Modulo M. 3") handed to the driver of the built-in
// train: one row per slowdown of the train source text, saying between which
// stations it lies, after which kilometre post it starts, its speed and
// length and its special prescriptions, followed by the prescriptions'
// wording.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/text_table.h"
#include "scenario/train_facts.h"

namespace scenario {

// A filled row of the order.
struct SlowdownRow {
  int number = 0;
  std::string between;        // "Corvale - Vallenera" or "Stazione di Vallenera"
  int32_t post_km = 0;        // the slowdown starts after this kilometre post
  int speed = 0;              // km/h
  int32_t length = 0;         // metres
  std::string prescriptions;  // "A-B-C"; empty for none
};

// Columns between the bars: number, stations, kilometre post, speed, length,
// prescriptions.
inline constexpr std::array<Column, 6> kSlowdownColumns = {{
    {3, Align::kCentre, 0},
    {28, Align::kLeft, 1},
    {12, Align::kCentre, 0},
    {10, Align::kCentre, 0},
    {9, Align::kCentre, 0},
    {12, Align::kCentre, 0},
}};
inline constexpr int kSlowdownTableRows = 27;  // filled and empty
inline constexpr int kSlowdownOrderLines = 48;

// The row as a line of the order; empty when a value does not fit.
std::optional<std::string> format_slowdown_row(const std::optional<SlowdownRow>& row);

// The kilometre post the train passes last before reaching a position.
int32_t post_before(int32_t position);

// The rows for the slowdowns of a train run, in the order of its records.
std::vector<SlowdownRow> slowdown_rows(const TrainFacts& facts);

// The lines of the order. `line_name` is the line's name ("Corvale -
// Mirbosco"); `notice_station` is the station named by prescription B.
// Empty, with a message in `error`, when the rows do not fit the table.
std::optional<std::vector<std::string>> layout_slowdown_order(std::string_view line_name,
                                                              std::span<const SlowdownRow> rows,
                                                              std::string_view notice_station,
                                                              std::string* error = nullptr);

}  // namespace scenario
