#include "tools/dump_command.h"

#include <filesystem>

#include "output/decoders.h"
#include "tools/dump_writer.h"
#include "tools/exit_status.h"
#include "tools/file_checks.h"
#include "tools/file_limits.h"
#include "tools/sibling_names.h"
#include "tools/source_input.h"

namespace scenario::tool {

namespace {

bool ends_with_nocase(const std::string& s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    char c = s[s.size() - suffix.size() + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

template <class T>
DecodedFile as_file(Decoded<T> d, std::string note = {}) {
  DecodedFile out;
  out.file = BinaryFile{std::move(*d.value), std::move(note)};
  return out;
}

DecodedFile refused(const std::string& path, const std::string& kind, const std::string& reason) {
  DecodedFile out;
  out.error = path + " is not a valid " + kind + ": " + reason;
  return out;
}

}  // namespace

DecodedFile decode_binary_file(const std::string& path, std::string_view bytes) {
  const std::string name = std::filesystem::path(path).filename().string();
  if (ends_with_nocase(name, ".sim")) {
    auto s = decode_scenario_file(bytes);
    if (!s) return refused(path, "scenario file", s.error);
    return as_file(std::move(s));
  }
  if (ends_with_nocase(name, "_linea.dat")) {
    auto p = decode_profile_file(bytes);
    if (p) return as_file(std::move(p));
    if (auto t = decode_track_file(bytes))
      return as_file(std::move(t), "named like a line profile file, but it holds track cells");
    return refused(path, "line profile file", p.error);
  }
  if (ends_with_nocase(name, ".dat")) {
    auto t = decode_track_file(bytes);
    if (t) return as_file(std::move(t));
    if (auto p = decode_profile_file(bytes))
      return as_file(std::move(p), "named like a track file, but it holds a line profile");
    return refused(path, "track file", t.error);
  }
  // No telling name: the strictest structure that fits.
  if (auto s = decode_scenario_file(bytes)) return as_file(std::move(s), "told by its structure: a scenario file");
  if (auto p = decode_profile_file(bytes)) return as_file(std::move(p), "told by its structure: a line profile file");
  if (auto t = decode_track_file(bytes)) return as_file(std::move(t), "told by its structure: a track file");
  DecodedFile out;
  out.error = path +
              " is none of the scenario files: its name ends neither in .sim nor in .dat, and its bytes fit "
              "no scenario, track or line profile layout";
  return out;
}

FileBytes read_binary_file(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  const SizeLimit limit = ends_with_nocase(name, ".sim")   ? scenario_file_limit()
                          : ends_with_nocase(name, ".dat") ? dat_file_limit()
                                                           : any_binary_file_limit();
  return read_file_bytes(path, limit);
}

std::optional<ScenarioTable> scenario_beside(const std::string& track_path) {
  const FileBytes bytes = read_binary_file(scenario_file_beside(track_path).string());
  if (!bytes.bytes) return std::nullopt;
  auto d = decode_scenario_file(*bytes.bytes);
  if (!d) return std::nullopt;
  return std::move(*d.value);
}

int run_dump(const std::string& path, bool json, std::FILE* out, std::FILE* err) {
  const FileBytes bytes = read_binary_file(path);
  if (!bytes.bytes) {
    std::fprintf(err, "scenario dump: %s\n", bytes.problem.c_str());
    return kExitIoError;
  }
  DecodedFile decoded = decode_binary_file(path, *bytes.bytes);
  if (!decoded.file) {
    std::fprintf(err, "scenario dump: %s\n", decoded.error.c_str());
    return kExitDataError;
  }
  const DumpHeader header{path, bytes.bytes->size(), decoded.file->note};
  std::string text;
  std::vector<FileCheck> checks;
  if (const auto* table = std::get_if<ScenarioTable>(&decoded.file->content)) {
    checks = check_scenario_file(*table);
    text = dump_scenario(header, *table, checks, json);
  } else if (const auto* grid = std::get_if<TrackGrid>(&decoded.file->content)) {
    const auto names = scenario_beside(path);
    checks = check_track_file(*grid, names ? &*names : nullptr);
    text = dump_track(header, *grid, checks, json);
  } else {
    text = dump_profile(header, std::get<LineProfile>(decoded.file->content), json);
  }
  std::fwrite(text.data(), 1, text.size(), out);
  int status = kExitClean;
  for (const auto& c : checks) {
    if (!c.mismatch()) continue;
    std::fprintf(err, "scenario dump: %s: the %s is %lld, expected %lld\n", path.c_str(), c.what.c_str(),
                 static_cast<long long>(c.found), static_cast<long long>(*c.expected));
    status = kExitCompileError;
  }
  return status;
}

}  // namespace scenario::tool
