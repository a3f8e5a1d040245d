// Writes the built-in scenario's two source texts as one fuzz input, so
// that the fuzzer starts from the sources the one-shot run compiles.
// Usage: write_builtin_seed FILE
#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/fuzz_input.h"
#include "app/run_sequence.h"
#include "scenario/dati.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_builtin_seed FILE\n");
    return 2;
  }
  const std::string route = scenario::kRouteName;
  const std::string train = scenario::kTrainNumber;
  const scenario::fuzz::SourcePair pair{scenario::dati_linea(route).bytes, scenario::dati_treno(route, train).bytes};
  std::ofstream out(argv[1], std::ios::binary);
  out << scenario::fuzz::join_input(pair);
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
