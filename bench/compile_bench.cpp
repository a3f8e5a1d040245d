// Benchmarks of the compiler and the binary writers, all in memory:
//   BM_BuiltinCompile      the built-in scenario, compiled with the profile
//   BM_BuiltinWriters      the three binary files of the compiled built-in model
//   BM_LargeRouteCompile   a generated 1000000 m route with thousands of records
//   BM_LargeRouteWriters   the three binary files of that route
//   BM_*CompileAndWriters  both together: a whole run without the disk
// Each compile reads its two sources from memory into a fresh route model.
// The compiler keeps the plan of the line as its runs; its points are
// computed by the writer of the line profile file, so the plan's arithmetic
// is timed with the writers.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/compile_runs.h"
#include "bench/large_route.h"
#include "output/encoders.h"

namespace scenario::bench {
namespace {

const SourcePair& builtin() {
  static const SourcePair sources = builtin_sources();
  return sources;
}

const SourcePair& large_route() {
  static const SourcePair sources = [] {
    LargeRouteSources generated = generate_large_route();
    return SourcePair{std::move(generated.line), std::move(generated.train)};
  }();
  return sources;
}

// Compiles once outside the timing and refuses to time a compile that does
// not reach the end cleanly: a benchmark of a compile that stopped early
// would measure the wrong thing.
bool compiles_cleanly(benchmark::State& state, const SourcePair& sources, RouteModel& model) {
  const PercorsoResult result = compile_from_memory(sources, model);
  const std::string failure = compile_failure(result, model);
  if (!failure.empty()) {
    state.SkipWithError(failure.c_str());
    return false;
  }
  return true;
}

void time_compile(benchmark::State& state, const SourcePair& sources) {
  {
    RouteModel check;
    if (!compiles_cleanly(state, sources, check)) return;
    state.counters["cells"] = static_cast<double>(check.grid.size());
    state.counters["plan_points"] = static_cast<double>(check.profile.last() + 1);
  }
  for (auto _ : state) {
    RouteModel model;
    PercorsoResult result = compile_from_memory(sources, model);
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(model.grid.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(sources.line.size() + sources.train.size()));
}

void time_writers(benchmark::State& state, const SourcePair& sources) {
  RouteModel model;
  if (!compiles_cleanly(state, sources, model)) return;
  size_t bytes = 0;
  for (auto _ : state) {
    std::string profile = encode_profile_file(model.profile);
    std::string table = encode_scenario_file(model.table);
    std::string track = encode_track_file(model.grid);
    bytes = profile.size() + table.size() + track.size();
    benchmark::DoNotOptimize(profile.data());
    benchmark::DoNotOptimize(table.data());
    benchmark::DoNotOptimize(track.data());
    benchmark::ClobberMemory();
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

void time_compile_and_writers(benchmark::State& state, const SourcePair& sources) {
  {
    RouteModel check;
    if (!compiles_cleanly(state, sources, check)) return;
  }
  for (auto _ : state) {
    RouteModel model;
    PercorsoResult result = compile_from_memory(sources, model);
    std::string profile = encode_profile_file(model.profile);
    std::string table = encode_scenario_file(model.table);
    std::string track = encode_track_file(model.grid);
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(profile.data());
    benchmark::DoNotOptimize(table.data());
    benchmark::DoNotOptimize(track.data());
    benchmark::ClobberMemory();
  }
}

void BM_BuiltinCompile(benchmark::State& state) { time_compile(state, builtin()); }
void BM_BuiltinWriters(benchmark::State& state) { time_writers(state, builtin()); }
void BM_LargeRouteCompile(benchmark::State& state) { time_compile(state, large_route()); }
void BM_LargeRouteWriters(benchmark::State& state) { time_writers(state, large_route()); }
void BM_BuiltinCompileAndWriters(benchmark::State& state) { time_compile_and_writers(state, builtin()); }
void BM_LargeRouteCompileAndWriters(benchmark::State& state) { time_compile_and_writers(state, large_route()); }

BENCHMARK(BM_BuiltinCompile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuiltinWriters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeRouteCompile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeRouteWriters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuiltinCompileAndWriters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargeRouteCompileAndWriters)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace scenario::bench

BENCHMARK_MAIN();
