// corvale_mirbosco: the one-shot scenario compiler. Takes no input; works
// in the directory that holds its own executable.
#include <cstdio>

#include "app/interrupt_cleanup.h"
#include "app/platform.h"
#include "app/program_dir.h"
#include "app/run_sequence.h"

int main() {
  scenario::prepare_process_for_interruptions();
  const auto dir = scenario::program_directory();
  if (!dir) {
    std::fprintf(stderr, "cannot find the directory of the program's own executable\n");
    return scenario::kExitUnexpected;
  }
  auto platform = scenario::make_platform();
  return scenario::Form_Load(*dir, *platform);
}
