// The fuzz input and the one entry that compiles it. An input is a flag
// byte followed by a line source, a separator line and a train source; the
// entry compiles the pair in memory, without and, as the flag byte asks,
// with the plan of the line, through the whole driver (compiler, code
// placement, final checks and the three writers) and aborts when the outcome
// breaks a rule that every compile keeps. The fuzzer and the regression test
// share it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::fuzz {

// The line "====" between the two sources.
inline constexpr std::string_view kSeparator = "\n====\n";

// Inputs above this size are passed over: they add nothing a smaller input
// cannot reach, and a source is read whole into memory.
inline constexpr size_t kMaxInputBytes = 1 << 20;

// The flag byte: an ASCII digit 0 to 7 in the seeds. Bit 0 set: there is no
// line source; bit 1 set: there is no train source; bit 2 set: no compile
// with the plan of the line (with_profile 1). The plan costs work for every
// metre of the line, so the fuzzer spends most of its runs on the compiles
// without it and still explores both.
inline constexpr uint8_t kNoLineSource = 1;
inline constexpr uint8_t kNoTrainSource = 2;
inline constexpr uint8_t kNoProfile = 4;

struct SourcePair {
  std::optional<std::string> line;  // empty: the file does not exist
  std::optional<std::string> train;
  bool with_profile = true;
};

// Splits an input: the flag byte, then everything up to the first separator
// is the line source and everything after it the train source (empty when
// there is no separator). An empty input has both sources, both empty, and
// is compiled with the plan.
SourcePair split_input(std::string_view input);

// The inverse, for writing seeds: the flag byte from the pair, then the texts.
std::string join_input(const SourcePair& pair);

// Routes longer than this are compiled once, without the plan: a route of
// 1000000 m takes a plan of a million metres and a grid of 20141 cells, and
// the work on both runs the same path for every metre whatever the length.
inline constexpr int32_t kMaxPlannedRoute = 100000;

// Compiles the input without the plan; then, for a route up to
// kMaxPlannedRoute, again without the plan (the two must give the same files
// and the same error) and, when the flag byte asks, with the plan. Returns
// normally when every rule holds; prints the broken rule and aborts
// otherwise.
void compile_input(std::string_view input);

}  // namespace scenario::fuzz
