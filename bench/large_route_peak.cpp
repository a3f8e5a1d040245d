// Peak resident memory of one compile of the generated 1000000 m route, in a
// process of its own so that nothing else has raised the peak before it.
//   large_route_peak            the compile with the profile
//   large_route_peak --writers  the compile, then the three binary files
//                               encoded into memory as the run writes them
// Prints the peak in kilobytes and megabytes; exits 1 when the compile does
// not reach the end without an error.
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench/compile_runs.h"
#include "bench/large_route.h"
#include "output/encoders.h"

int main(int argc, char** argv) {
  using namespace scenario;
  const bool writers = argc > 1 && std::strcmp(argv[1], "--writers") == 0;

  bench::SourcePair sources;
  {
    bench::LargeRouteSources generated = bench::generate_large_route();
    sources = {std::move(generated.line), std::move(generated.train)};
    std::printf("generated records: %d\n", generated.counts.total());
  }
  RouteModel model;
  const PercorsoResult result = bench::compile_from_memory(sources, model);
  const std::string failure = bench::compile_failure(result, model);
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    return 1;
  }
  size_t file_bytes = 0;
  if (writers) {
    const std::string profile = encode_profile_file(model.profile);
    const std::string table = encode_scenario_file(model.table);
    const std::string track = encode_track_file(model.grid);
    file_bytes = profile.size() + table.size() + track.size();
  }

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("compile%s: %d cells, %d plan points%s\n", writers ? " and writers" : "", model.grid_end + 1,
              model.profile.last() + 1, writers ? (", " + std::to_string(file_bytes) + " file bytes").c_str() : "");
  std::printf("peak resident memory: %ld kB (%.1f MB)\n", usage.ru_maxrss, usage.ru_maxrss / 1024.0);
  return 0;
}
