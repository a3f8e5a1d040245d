#include "tools/compile_command.h"

#include <filesystem>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/directory_sink.h"
#include "compiler/compile_context.h"
#include "compiler/file_names.h"
#include "compiler/source_store.h"
#include "output/memorizza_percorso.h"
#include "tools/exit_status.h"
#include "tools/same_file.h"
#include "tools/scenario_names.h"

namespace scenario::tool {

namespace {

void print(std::FILE* f, const std::string& text) { std::fwrite(text.data(), 1, text.size(), f); }

void print_json(std::FILE* out, const RouteModel& m, const nlohmann::ordered_json& fatal,
                const std::vector<std::string>& files, const std::vector<Diagnostic>& diagnostics) {
  nlohmann::ordered_json j;
  j["error_code"] = m.ErrorCode;
  j["error_position"] = m.ErrorPosition;
  j["fatal"] = fatal;
  j["files"] = files;
  j["diagnostics"] = nlohmann::ordered_json::array();
  for (const auto& d : diagnostics) j["diagnostics"].push_back(to_json(d));
  // A file name from the command line need not be UTF-8: replaced, not fatal.
  print(out, j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n");
}

}  // namespace

int run_compile(const CompileOptions& o, std::FILE* out, std::FILE* err) {
  const ScenarioNames names = derive_names(o.line_source, o.train_source, o.route, o.train);
  if (!names.error.empty()) {
    print(err, "scenario compile: " + names.error + "\n");
    return kExitUsage;
  }

  std::error_code ec;
  if (!std::filesystem::is_directory(std::filesystem::path(o.out_dir), ec)) {
    print(err, "scenario compile: cannot write into " + o.out_dir + ": it is not an existing directory\n");
    return kExitIoError;
  }

  // A source may carry an output's name, or be linked to one: it is never
  // written over.
  const FileNames out_names = file_names(names.route, names.train);
  std::vector<std::string> outputs;
  for (const std::string* n : {&out_names.line_profile, &out_names.scenario_file, &out_names.track_file})
    if (n != &out_names.line_profile || !o.no_profile)
      outputs.push_back((std::filesystem::path(o.out_dir) / *n).string());
  if (auto clash =
          output_over_input({{o.line_source, "the line source"}, {o.train_source, "the train source"}}, outputs)) {
    print(err, "scenario compile: " + *clash + "\n");
    return kExitUsage;
  }

  SourcePair sources = load_sources(o.line_source, o.train_source, o.encoding, !o.no_profile);
  if (!sources.problem.empty()) {
    print(err, sources.problem);
    return kExitIoError;
  }

  RouteModel model;
  model.route_name = names.route;
  model.train_number = names.train;
  MemorySources store(std::move(sources.line), std::move(sources.train));
  ErrorCollector collector;
  CompileContext ctx{model, store, &collector};
  PercorsoResult result = compile_scenario(ctx, o.no_profile ? 0 : 1);
  // Only a compile that has files to write takes the output directory's
  // lock, and writes the three files as one set.
  if (result.end == PercorsoEnd::kDone) result = write_files_locked(model, std::filesystem::path(o.out_dir));

  std::vector<Diagnostic> diagnostics = std::move(sources.warnings);
  for (const auto& e : collector.errors)
    diagnostics.push_back(compile_error_diagnostic(e, o.line_source, o.train_source));

  nlohmann::ordered_json fatal = nullptr;
  int status = model.ErrorCode != 0 ? kExitCompileError : kExitClean;
  if (auto f = fatal_diagnostic(result)) {
    diagnostics.push_back(*f);
    status = result.end == PercorsoEnd::kWriteFailed ? kExitIoError : kExitFatal;
    if (result.end == PercorsoEnd::kFinalCheckFailed)
      fatal = result.failed_check;
    else
      fatal = "unexpected";
  }

  for (const auto& d : diagnostics) print(err, format_diagnostic(d));
  if (o.json) {
    print_json(out, model, fatal, result.written, diagnostics);
  } else {
    for (const auto& name : result.written) print(out, (std::filesystem::path(o.out_dir) / name).string() + "\n");
  }
  return status;
}

}  // namespace scenario::tool
