// scenario: the authoring tool. Compiles an author's own line and train
// sources with the same compiler as corvale_mirbosco, writes the built-in
// scenario's texts as a starting point, and shows what the compiled files
// hold, as tables or as a picture.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "app/interrupt_cleanup.h"
#include "tools/compile_command.h"
#include "tools/diagnostics.h"
#include "tools/dump_command.h"
#include "tools/exit_status.h"
#include "tools/init_command.h"
#include "tools/plot_command.h"

namespace {

using namespace scenario::tool;

constexpr const char* kVersion = "scenario 1.0.0";

InputEncoding encoding_named(const std::string& name) {
  return CLI::detail::to_lower(name) == "utf-8" ? InputEncoding::kUtf8 : InputEncoding::kWindows1252;
}

// Each line of the text as shown_text shows a command line; the line ends
// stay.
std::string shown_lines(const std::string& text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out += shown_text(std::string_view(text).substr(start, end - start), ShownAs::kCommandLine);
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  scenario::prepare_process_for_interruptions();
  CLI::App app{"Compiles and inspects scenarios of the train-driving simulator.", "scenario"};
  app.set_version_flag("--version", kVersion, "Print the version and exit");
  app.require_subcommand(1);
  app.footer(
      "Exit statuses: 0 done; 1 a compile error was recorded (or a dumped check code does not match); 2 fatal, nothing "
      "written; 64 usage error; 65 malformed binary file; 73 init would overwrite a changed file; 74 a file cannot be "
      "read or written.");

  CompileOptions compile;
  std::string route, train;
  auto* c = app.add_subcommand("compile", "Compile a line source and a train source into the simulator's files");
  c->add_option("LINE_SOURCE", compile.line_source, "The line source file, e.g. ROUTE_linea.txt")
      ->required()
      ->type_name("FILE");
  c->add_option("TRAIN_SOURCE", compile.train_source, "The train source file, e.g. ROUTE_TRAIN-.txt")
      ->required()
      ->type_name("FILE");
  auto* route_opt = c->add_option("--route", route, "Route name (default: from ROUTE_linea.txt)")->type_name("NAME");
  auto* train_opt =
      c->add_option("--train", train, "Train number (default: from ROUTE_TRAIN-.txt)")->type_name("NUMBER");
  c->add_flag("--no-profile", compile.no_profile, "Do not build the plan of the line (no ROUTE_linea.dat)");
  c->add_option("--out", compile.out_dir, "Directory for the compiled files (default: the current directory)")
      ->type_name("DIR");
  c->add_flag("--json", compile.json, "Print one JSON object with the outcome on stdout");
  std::string compile_encoding = "windows-1252";
  c->add_option("--input-encoding", compile_encoding,
                "Encoding of the source files: windows-1252 (the default) or utf-8, which converts them to "
                "Windows-1252 before compiling")
      ->type_name("ENCODING")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}, CLI::ignore_case));
  c->footer(
      "Writes ROUTE_linea.dat, ROUTE_TRAIN.sim and ROUTE_TRAIN.dat, byte for byte as the one-shot run would. "
      "The source files are only read. Exit 0 clean, 1 compile error (files written), 2 fatal (nothing "
      "written), 64 usage, 74 input/output.");

  std::string init_dir;
  bool init_force = false;
  auto* i = app.add_subcommand("init", "Write the built-in scenario's sources and documents, as a starting point");
  i->add_option("DIR", init_dir, "Directory to write into (created when missing)")->required()->type_name("DIR");
  i->add_flag("--force", init_force, "Replace files that exist with other content");
  i->footer(
      "Writes Corvale_Mirbosco_linea.txt, Corvale_Mirbosco_731-.txt and the three driver documents, byte for "
      "byte as the one-shot run writes them. Does not compile. Exit 0 done, 73 a file exists with other "
      "content (nothing written), 74 input/output.");

  std::string dump_file;
  bool dump_json = false;
  auto* d = app.add_subcommand("dump", "Show what a compiled file holds: .sim, .dat or _linea.dat");
  d->add_option("FILE", dump_file, "The scenario, track or line profile file")->required()->type_name("FILE");
  d->add_flag("--json", dump_json, "JSON lines: one object per record, cell or point");
  d->footer(
      "Checks the markers 610 and 5121 and recomputes both check codes. Exit 0 done, 1 a check does not "
      "match, 65 malformed file, 74 cannot read.");

  PlotOptions plot;
  auto* p = app.add_subcommand("plot", "Draw a scenario as an SVG picture");
  p->add_option("FILES", plot.files, "TRACK_FILE [PROFILE_FILE], or LINE_SOURCE TRAIN_SOURCE")
      ->required()
      ->expected(1, 2)
      ->type_name("FILE");
  p->add_option("--out", plot.out, "The SVG file to write")->required()->type_name("FILE.svg");
  std::string plot_encoding = "windows-1252";
  p->add_option("--input-encoding", plot_encoding, "Encoding of source files: windows-1252 (the default) or utf-8")
      ->type_name("ENCODING")
      ->check(CLI::IsMember({"windows-1252", "utf-8"}, CLI::ignore_case));
  p->footer(
      "Draws the plan of the line, the gradient, speed limit and adhesion along it, and the stations, signals, "
      "slowdowns, boards and cab-code points at their positions. Exit 0 drawn, 1 drawn but the sources "
      "recorded an error, 2 nothing to draw, 64 usage, 65 malformed file, 74 input/output.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return app.exit(e);  // --help and --version
    // The message quotes the arguments; they reach the terminal as shown_text
    // shows a command line, line by line.
    std::ostringstream message;
    app.exit(e, std::cout, message);
    std::fputs(shown_lines(message.str()).c_str(), stderr);
    return kExitUsage;
  }

  if (c->parsed()) {
    if (route_opt->count()) compile.route = route;
    if (train_opt->count()) compile.train = train;
    compile.encoding = encoding_named(compile_encoding);
    return run_compile(compile, stdout, stderr);
  }
  if (i->parsed()) return run_init(init_dir, init_force, stdout, stderr);
  if (d->parsed()) return run_dump(dump_file, dump_json, stdout, stderr);
  plot.encoding = encoding_named(plot_encoding);
  return run_plot(plot, stdout, stderr);
}
