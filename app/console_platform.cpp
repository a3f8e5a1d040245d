#include <cstdio>
#include <iostream>
#include <string>

#include "app/platform.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace scenario {

void ConsolePlatform::show_window() {
  std::fputs("Attendere\n", stdout);
  std::fflush(stdout);
}

void ConsolePlatform::message_box(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
  if (isatty(fileno(stdin))) {
    std::fputs("[OK: press Enter]", stderr);
    std::string ignored;
    std::getline(std::cin, ignored);
  }
}

#ifndef _WIN32
std::unique_ptr<Platform> make_platform() { return std::make_unique<ConsolePlatform>(); }
#endif

}  // namespace scenario
