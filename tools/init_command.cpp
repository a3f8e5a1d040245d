#include "tools/init_command.h"

#include <filesystem>
#include <vector>

#include "app/disk_sources.h"
#include "app/file_replace.h"
#include "app/run_sequence.h"
#include "scenario/dati.h"
#include "tools/exit_status.h"

namespace scenario::tool {

namespace {

void print(std::FILE* f, const std::string& text) { std::fwrite(text.data(), 1, text.size(), f); }

}  // namespace

int run_init(const std::string& dir, bool force, std::FILE* out, std::FILE* err) {
  namespace fs = std::filesystem;
  const fs::path root(dir);
  std::error_code created, ec;
  fs::create_directories(root, created);
  if (!fs::is_directory(root, ec)) {
    // The reason is the creation's, not that of the look after it, which
    // finds only that the directory is missing.
    const bool stands = fs::exists(fs::symlink_status(root, ec));
    const std::string reason = stands && !created ? "it exists and is not a directory"
                               : created          ? created.message()
                               : ec               ? ec.message()
                                                  : "it is not a directory";
    print(err, "scenario init: cannot create the directory " + dir + ": " + reason + "\n");
    return kExitIoError;
  }

  // In the order the one-shot run writes them.
  const TextFile texts[] = {
      dati_linea(kRouteName),
      dati_treno(kRouteName, kTrainNumber),
      dati_note(kRouteName, kTrainNumber),
      dati_rallentamenti(kRouteName, kTrainNumber),
      dati_scheda(kRouteName, kTrainNumber),
  };

  std::vector<std::string> differing;
  for (const TextFile& t : texts) {
    const fs::path p = root / t.name;
    if (!fs::exists(p, ec)) continue;
    // A file larger than the text differs from it without being read.
    const WholeFile existing = read_file_within(p, t.bytes.size());
    if (!existing.bytes || *existing.bytes != t.bytes) differing.push_back(p.string());
  }
  if (!differing.empty() && !force) {
    for (const auto& p : differing)
      print(err,
            "scenario init: " + p + " exists with other content; nothing was written (use --force to replace it)\n");
    return kExitCannotCreate;
  }

  for (const TextFile& t : texts) {
    const fs::path p = root / t.name;
    if (auto failure = replace_file(p, t.bytes)) {
      print(err, "scenario init: " + *failure + "\n");
      return kExitIoError;
    }
    print(out, p.string() + "\n");
  }
  return kExitClean;
}

}  // namespace scenario::tool
