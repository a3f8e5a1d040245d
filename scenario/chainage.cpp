#include "scenario/chainage.h"

#include <cstdio>

namespace scenario {

bool counts_down(int32_t position) { return position >= kJunctionPosition; }

int32_t chainage_metres(int32_t position) { return counts_down(position) ? kMainLineOrigin - position : position; }

std::string kilometres_text(int32_t metres) {
  const int64_t m = metres;
  const int64_t a = m < 0 ? -m : m;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%lld.%03lld", m < 0 ? "-" : "", static_cast<long long>(a / 1000),
                static_cast<long long>(a % 1000));
  return buf;
}

}  // namespace scenario
