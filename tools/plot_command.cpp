#include "tools/plot_command.h"

#include <filesystem>
#include <optional>

#include "app/file_replace.h"
#include "compiler/source_store.h"
#include "output/decoders.h"
#include "output/memorizza_percorso.h"
#include "tools/dump_command.h"
#include "tools/exit_status.h"
#include "tools/plot_data.h"
#include "tools/same_file.h"
#include "tools/scenario_names.h"
#include "tools/sibling_names.h"
#include "tools/svg_plot.h"

namespace scenario::tool {

namespace {

void print(std::FILE* f, const std::string& text) { std::fwrite(text.data(), 1, text.size(), f); }

bool is_binary_name(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == ".dat";
}

struct Drawn {
  PlotData data;
  int status = kExitClean;  // of the gathering; the write comes after
};

// The track file, the optional profile and the scenario file beside the
// track file.
std::optional<Drawn> from_binary(const PlotOptions& o, std::FILE* err, int& status) {
  std::optional<TrackGrid> grid;
  std::optional<LineProfile> profile;
  std::string track_path;
  for (const std::string& path : o.files) {
    const FileBytes bytes = read_binary_file(path);
    if (!bytes.bytes) {
      print(err, "scenario plot: " + bytes.problem + "\n");
      status = kExitIoError;
      return std::nullopt;
    }
    DecodedFile d = decode_binary_file(path, *bytes.bytes);
    if (!d.file) {
      print(err, "scenario plot: " + d.error + "\n");
      status = kExitDataError;
      return std::nullopt;
    }
    if (auto* g = std::get_if<TrackGrid>(&d.file->content); g && !grid) {
      grid = std::move(*g);
      track_path = path;
    } else if (auto* p = std::get_if<LineProfile>(&d.file->content); p && !profile) {
      profile = std::move(*p);
    } else {
      print(err, "scenario plot: " + path +
                     " is not what this place takes: give a track file and, optionally, a line "
                     "profile file\n");
      status = kExitUsage;
      return std::nullopt;
    }
  }
  if (!grid) {
    print(err, "scenario plot: no track file given: give a track file (.dat) and, optionally, its line profile file\n");
    status = kExitUsage;
    return std::nullopt;
  }

  const std::optional<ScenarioTable> table = scenario_beside(track_path);
  if (!table)
    print(err, "scenario plot: note: no scenario file (.sim) beside " + track_path +
                   ": stations are drawn without names, sign boards without texts\n");
  if (!profile) {
    // The line profile file is named after the route, beside the track file;
    // the route is read from the track file's name, never from a file's
    // contents.
    if (const auto beside = profile_file_beside(track_path)) {
      const FileBytes bytes = read_binary_file(beside->string());
      if (bytes.bytes)
        if (auto p = decode_profile_file(*bytes.bytes)) profile = std::move(*p.value);
    }
  }
  if (!profile) print(err, "scenario plot: note: no line profile file: the plan of the line is left out\n");

  Drawn out;
  out.data = gather_plot(*grid, table ? &*table : nullptr, profile ? &*profile : nullptr);
  return out;
}

// The two sources, compiled in memory as the compile command compiles them.
std::optional<Drawn> from_sources(const PlotOptions& o, std::FILE* err, int& status) {
  const std::string& line_path = o.files[0];
  const std::string& train_path = o.files[1];
  SourcePair sources = load_sources(line_path, train_path, o.encoding, true);
  if (!sources.problem.empty()) {
    print(err, sources.problem);
    status = kExitIoError;
    return std::nullopt;
  }
  // Names only label the picture here; without the usual file names the
  // file stems stand in.
  ScenarioNames names = derive_names(line_path, train_path, std::nullopt, std::nullopt);
  if (!names.error.empty()) {
    names.route = std::filesystem::path(line_path).stem().string();
    names.train = std::filesystem::path(train_path).stem().string();
  }
  RouteModel model;
  model.route_name = names.route;
  model.train_number = names.train;
  MemorySources store(std::move(sources.line), std::move(sources.train));
  ErrorCollector collector;
  CompileContext ctx{model, store, &collector};
  const PercorsoResult result = compile_scenario(ctx, 1);

  std::vector<Diagnostic> diagnostics = std::move(sources.warnings);
  for (const auto& e : collector.errors) diagnostics.push_back(compile_error_diagnostic(e, line_path, train_path));
  if (auto f = fatal_diagnostic(result)) {
    if (result.end == PercorsoEnd::kFinalCheckFailed)
      f->message = "final check " + std::to_string(result.failed_check) +
                   " failed: the compile would write nothing; the picture shows the model as it stands";
    diagnostics.push_back(*f);
  }
  for (const auto& d : diagnostics) print(err, format_diagnostic(d));
  if (!model.grid_sized()) {
    status = kExitFatal;
    return std::nullopt;
  }
  Drawn out;
  out.data = gather_plot(model.grid, &model.table, &model.profile);
  if (model.ErrorCode != 0 || result.end != PercorsoEnd::kDone) out.status = kExitCompileError;
  return out;
}

// Every file the plot may read: the files given and, for a track file, the
// two files beside it.
std::vector<NamedFile> files_read(const PlotOptions& o, bool binary) {
  std::vector<NamedFile> files;
  if (!binary) {
    files.push_back({o.files[0], "the line source"});
    files.push_back({o.files[1], "the train source"});
    return files;
  }
  for (const std::string& path : o.files) {
    files.push_back({path, "a file to draw"});
    if (!is_binary_name(path)) continue;
    files.push_back({scenario_file_beside(path).string(), "the scenario file beside the track file"});
    if (const auto profile = profile_file_beside(path))
      files.push_back({profile->string(), "the line profile file beside the track file"});
  }
  return files;
}

}  // namespace

int run_plot(const PlotOptions& o, std::FILE* out, std::FILE* err) {
  if (o.files.empty() || o.files.size() > 2) {
    print(err, "scenario plot: give a track file and, optionally, its line profile file, or the two source files\n");
    return kExitUsage;
  }
  const bool binary = is_binary_name(o.files[0]) || (o.files.size() == 2 && is_binary_name(o.files[1]));
  if (!binary && o.files.size() != 2) {
    print(err, "scenario plot: " + o.files[0] +
                   " is not a track file (.dat); to draw sources, give both the line and the train source file\n");
    return kExitUsage;
  }
  if (auto clash = output_over_input(files_read(o, binary), {o.out})) {
    print(err, "scenario plot: " + *clash + "\n");
    return kExitUsage;
  }
  int status = kExitClean;
  const std::optional<Drawn> drawn = binary ? from_binary(o, err, status) : from_sources(o, err, status);
  if (!drawn) return status;
  for (const std::string& w : drawn->data.warnings) print(err, "scenario plot: warning: " + w + "\n");

  if (auto failure = replace_file(std::filesystem::path(o.out), render_svg(drawn->data))) {
    print(err, "scenario plot: " + *failure + "\n");
    return kExitIoError;
  }
  print(out, o.out + "\n");
  return drawn->status;
}

}  // namespace scenario::tool
