#include "fuzz/decoders_input.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "fuzz/fuzz_input.h"
#include "output/decoders.h"
#include "output/encoders.h"
#include "tools/dump_command.h"
#include "tools/dump_writer.h"
#include "tools/file_checks.h"
#include "tools/plot_data.h"
#include "tools/svg_plot.h"

namespace scenario::fuzz {

namespace {

[[noreturn]] void broken(const char* rule, std::string_view text) {
  std::fprintf(stderr, "fuzz: broken rule: %s\n%.2000s\n", rule, std::string(text).c_str());
  std::fflush(stderr);
  std::abort();
}

void check_json_lines(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) broken("a JSON line of dump has no line end", text.substr(start));
    const std::string_view line(text.data() + start, end - start);
    try {
      if (!nlohmann::json::parse(line).is_object()) broken("a JSON line of dump is not an object", line);
    } catch (const nlohmann::json::exception&) {
      broken("a JSON line of dump does not read back", line);
    }
    start = end + 1;
  }
}

template <class Encode, class T>
void round_trip(std::string_view bytes, const T& value, Encode encode, const char* rule) {
  if (encode(value) != bytes) broken(rule, bytes);
}

// Everything dump and plot make of one decoded file, as they make it.
void derive(const tool::BinaryFile& file, size_t bytes, const ScenarioTable* names) {
  const tool::DumpHeader header{"f", bytes, file.note};
  for (const bool json : {false, true}) {
    std::string text;
    if (const auto* table = std::get_if<ScenarioTable>(&file.content)) {
      text = tool::dump_scenario(header, *table, tool::check_scenario_file(*table), json);
    } else if (const auto* grid = std::get_if<TrackGrid>(&file.content)) {
      text = tool::dump_track(header, *grid, tool::check_track_file(*grid, names), json);
    } else {
      text = tool::dump_profile(header, std::get<LineProfile>(file.content), json);
    }
    if (json) check_json_lines(text);
  }
  if (const auto* grid = std::get_if<TrackGrid>(&file.content))
    (void)tool::render_svg(tool::gather_plot(*grid, names, nullptr));
}

}  // namespace

void decode_input(std::string_view input) {
  if (input.size() > kMaxInputBytes) return;
  std::string_view bytes = input;
  std::optional<ScenarioTable> names;
  if (const size_t cut = input.find(kSeparator); cut != std::string_view::npos) {
    bytes = input.substr(0, cut);
    if (auto s = decode_scenario_file(input.substr(cut + kSeparator.size()))) names = std::move(*s.value);
  }
  const ScenarioTable* lent = names ? &*names : nullptr;

  // Each decoder on its own: a decoded file is exactly its bytes.
  if (auto t = decode_track_file(bytes))
    round_trip(bytes, *t.value, encode_track_file, "a decoded track file encodes to other bytes");
  if (auto s = decode_scenario_file(bytes)) {
    round_trip(bytes, *s.value, encode_scenario_file, "a decoded scenario file encodes to other bytes");
    (void)tool::check_scenario_file(*s.value);
  }
  if (auto p = decode_profile_file(bytes)) {
    round_trip(bytes, *p.value, encode_profile_file, "a decoded line profile file encodes to other bytes");
    // The plan drawn along the shortest track grid.
    (void)tool::render_svg(tool::gather_plot(TrackGrid(1), lent, &*p.value));
  }

  // The tool's choice of kind for each kind of name.
  for (const char* name : {"f.sim", "f.dat", "f_linea.dat", "f.bin"}) {
    tool::DecodedFile d = tool::decode_binary_file(name, bytes);
    if (!d.file) {
      if (d.error.empty()) broken("a file that does not decode has no message", bytes);
      continue;
    }
    derive(*d.file, bytes.size(), lent);
  }
}

}  // namespace scenario::fuzz
