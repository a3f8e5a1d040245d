#include "scenario/chainage.h"

#include <cstdio>
#include <string>

#include "compiler/compile_context.h"
#include "compiler/line_reader.h"
#include "compiler/source_store.h"
#include "scenario/builtin_texts.h"

namespace scenario {

namespace {

// Reads the built-in line text's general section as the compiler does: the
// first kilometre reference after ordering (record 81) holds the junction
// and, with its 100 m added, the main line's origin.
Junction read_junction() {
  std::string text;
  for (std::string_view line : builtin_line_text()) {
    text += line;
    text += "\r\n";
  }
  RouteModel m;
  reset_model(m, 0);
  MemorySources sources;
  sources.set(SourceKind::kLine, text);
  CompileContext ctx(m, sources);
  (void)read_line_source(ctx);
  const ScenarioRecord& reference = m.table[record::kKilometreThree];
  return {reference.long1, reference.long2};
}

}  // namespace

const Junction& builtin_junction() {
  static const Junction junction = read_junction();
  return junction;
}

bool counts_down(int32_t position) { return position >= builtin_junction().position; }

int32_t chainage_metres(int32_t position) {
  return counts_down(position) ? builtin_junction().main_line_origin - position : position;
}

std::string kilometres_text(int32_t metres) {
  const int64_t m = metres;
  const int64_t a = m < 0 ? -m : m;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%lld.%03lld", m < 0 ? "-" : "", static_cast<long long>(a / 1000),
                static_cast<long long>(a % 1000));
  return buf;
}

}  // namespace scenario
