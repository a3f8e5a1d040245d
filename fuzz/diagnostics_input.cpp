#include "fuzz/diagnostics_input.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/run_sequence.h"
#include "compiler/source_store.h"
#include "fuzz/fuzz_input.h"
#include "output/memorizza_percorso.h"
#include "tools/diagnostics.h"
#include "tools/source_lint.h"

namespace scenario::fuzz {

namespace {

constexpr size_t kLongestLine = 1000;

[[noreturn]] void broken(const char* rule, const std::string& text) {
  std::fprintf(stderr, "fuzz: broken rule: %s\n%.2000s\n", rule, text.c_str());
  std::fflush(stderr);
  std::abort();
}

void check(const tool::Diagnostic& d) {
  const std::string text = tool::format_diagnostic(d);
  size_t line_length = 0;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\n') {
      line_length = 0;
      continue;
    }
    if (b < 0x20 || b == 0x7F) broken("a diagnostic holds a control character", text);
    if (++line_length > kLongestLine) broken("a diagnostic line is longer than a reader can take in", text);
  }
  try {
    // Strict: a byte that is not UTF-8 throws.
    (void)nlohmann::ordered_json(text).dump();
    (void)tool::to_json(d).dump();
  } catch (const nlohmann::json::exception&) {
    broken("a diagnostic is not valid UTF-8", text);
  }
}

}  // namespace

void diagnose_input(std::string_view input) {
  if (input.size() > kMaxInputBytes) return;
  const SourcePair pair = split_input(input);
  const std::string line_file = "R_linea.txt";
  const std::string train_file = "R_1-.txt";
  const tool::LintOptions options{pair.with_profile, true};

  std::vector<tool::Diagnostic> diagnostics;
  if (pair.line) diagnostics = tool::lint_line_source(line_file, *pair.line, options);
  if (pair.train) {
    auto more = tool::lint_train_source(train_file, *pair.train, options);
    diagnostics.insert(diagnostics.end(), more.begin(), more.end());
  }

  RouteModel model;
  model.route_name = std::string(kRouteName);
  model.train_number = std::string(kTrainNumber);
  MemorySources sources;
  if (pair.line) sources.set(SourceKind::kLine, *pair.line);
  if (pair.train) sources.set(SourceKind::kTrain, *pair.train);
  tool::ErrorCollector collector;
  CompileContext ctx{model, sources, &collector};
  // The diagnostics need the compile, not the written files.
  const PercorsoResult result = compile_scenario(ctx, pair.with_profile ? 1 : 0);
  for (const auto& e : collector.errors)
    diagnostics.push_back(tool::compile_error_diagnostic(e, line_file, train_file));
  if (auto f = tool::fatal_diagnostic(result)) diagnostics.push_back(*f);

  for (const auto& d : diagnostics) check(d);
}

}  // namespace scenario::fuzz
