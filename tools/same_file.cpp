#include "tools/same_file.h"

#include <filesystem>
#include <system_error>

namespace scenario::tool {

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  // With an error (either file missing, or unreadable) they are not the same.
  return std::filesystem::equivalent(std::filesystem::path(a), std::filesystem::path(b), ec) && !ec;
}

std::optional<std::string> output_over_input(const std::vector<NamedFile>& inputs,
                                             const std::vector<std::string>& outputs) {
  for (const std::string& out : outputs)
    for (const NamedFile& in : inputs)
      if (same_file(out, in.path))
        return "the output " + out + " is the same file as " + in.path + " (" + in.role +
               "): writing it would destroy what is read; give another output";
  return std::nullopt;
}

}  // namespace scenario::tool
