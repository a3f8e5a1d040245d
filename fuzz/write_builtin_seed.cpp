// Writes the built-in scenario's two source texts as a fuzz input, so that
// the fuzzer starts from the sources the one-shot run compiles. The seed is
// compiled without the plan of the line: with it, each of the many inputs
// the fuzzer derives from the seed would lay 227000 metres of plan, a
// hundred times the work of the rest of the compile; the small seeds cover
// the plan. Usage: write_builtin_seed DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/run_sequence.h"
#include "fuzz/fuzz_input.h"
#include "scenario/dati.h"

namespace {

bool write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  out.close();
  if (out) return true;
  std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_builtin_seed DIR\n");
    return 2;
  }
  const std::string route = scenario::kRouteName;
  const std::string train = scenario::kTrainNumber;
  const scenario::fuzz::SourcePair pair{scenario::dati_linea(route).bytes, scenario::dati_treno(route, train).bytes,
                                        /*with_profile=*/false};
  return write(std::filesystem::path(argv[1]) / "builtin", scenario::fuzz::join_input(pair)) ? 0 : 1;
}
