// The compiles the benchmarks time: the built-in scenario and the generated
// million-metre route, each read from memory into a fresh route model with
// the line profile, exactly as the one-shot run compiles (reset, compiler,
// cab-code placement, final checks), without touching the disk.
#pragma once

#include <string>

#include "compiler/route_model.h"
#include "output/memorizza_percorso.h"

namespace scenario::bench {

// The two source texts of a compile.
struct SourcePair {
  std::string line;
  std::string train;
};

// The built-in line and train source texts, as the run writes them.
SourcePair builtin_sources();

// Compiles the sources with the profile into model, whose route name and
// train number are those of the built-in scenario.
PercorsoResult compile_from_memory(const SourcePair& sources, RouteModel& model);

// Empty when the compile ran to the end without a recorded error; otherwise
// a sentence that says what went wrong.
std::string compile_failure(const PercorsoResult& result, const RouteModel& model);

}  // namespace scenario::bench
