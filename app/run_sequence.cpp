#include "app/run_sequence.h"

#include <string>

#include "app/directory_sink.h"
#include "app/disk_sources.h"
#include "app/errore.h"
#include "app/file_replace.h"
#include "app/interrupt_cleanup.h"
#include "app/run_lock.h"
#include "compiler/error_table.h"
#include "compiler/file_names.h"
#include "output/memorizza_percorso.h"
#include "scenario/dati.h"

namespace scenario {

namespace {

int unexpected(Platform& platform, std::FILE* err, const std::string& message) {
  std::fprintf(err, "%s\n", message.c_str());
  platform.close_window();
  return kExitUnexpected;
}

}  // namespace

std::vector<TextFile> builtin_run_texts(const std::string& route_name, const std::string& train_number) {
  return {
      dati_linea(route_name),
      dati_treno(route_name, train_number),
      dati_note(route_name, train_number),
      dati_rallentamenti(route_name, train_number),
      dati_scheda(route_name, train_number),
  };
}

int Form_Load(const std::filesystem::path& dir, Platform& platform, std::FILE* err) {
  return run_with_texts(dir, platform, builtin_run_texts(kRouteName, kTrainNumber), err);
}

int run_with_texts(const std::filesystem::path& dir, Platform& platform, const std::vector<TextFile>& texts,
                   std::FILE* err) {
  RouteModel model;
  model.route_name = kRouteName;
  model.train_number = kTrainNumber;

  platform.show_window();

  // A second run started meanwhile (a double click) waits here until this
  // one has written, read and deleted its files.
  const LockOutcome locked = DirectoryLock::acquire(dir);
  if (!locked.lock) return unexpected(platform, err, locked.failure);

  const FileNames names = file_names(model.route_name, model.train_number);
  // The two source texts exist only while the run goes on: an interrupted
  // run removes them as it removes its temporaries.
  // They are registered the moment they are in place, and the directory is
  // flushed once the five texts are all there.
  std::vector<RemoveOnInterrupt> run_only;
  for (const TextFile& t : texts) {
    StageOutcome staged = stage_file(dir / t.name, t.bytes);
    if (!staged.staged) return unexpected(platform, err, staged.failure);
    // A source text takes its name and is registered as one step.
    const InterruptionsHeld held;
    if (auto failure = staged.staged->commit()) return unexpected(platform, err, *failure);
    if (t.name == names.line_source || t.name == names.train_source) run_only.emplace_back(dir / t.name);
  }
  sync_directory(dir);

  DiskSources sources(dir / names.line_source, dir / names.train_source, /*keep_files=*/false);
  DirectorySink sink(dir);
  CompileContext ctx{model, sources};
  const PercorsoResult result = memorizza_percorso(ctx, 1, sink);

  // The compiler deletes its temporary sources on every path it takes; this
  // makes sure none outlives a run that stopped before reaching them.
  sources.remove(SourceKind::kLine);
  sources.remove(SourceKind::kTrain);
  run_only.clear();
  // A source text that could not be deleted is reported; the files the run
  // wrote are complete all the same, so the status stays what it is.
  for (const std::string& failure : sources.removal_failures()) std::fprintf(err, "%s\n", failure.c_str());

  switch (result.end) {
    case PercorsoEnd::kFinalCheckFailed:
      errore(platform, std::to_string(result.failed_check));
      platform.close_window();
      return kExitFinalCheck;
    case PercorsoEnd::kNoGrid:
      return unexpected(platform, err,
                        describe_compile_error(model.ErrorCode, model.ErrorPosition) +
                            "; the track grid was never sized, so nothing was compiled or written");
    case PercorsoEnd::kWriteFailed:
      return unexpected(platform, err, result.failure);
    case PercorsoEnd::kDone:
      break;
  }
  platform.close_window();
  if (model.ErrorCode != 0) {
    std::fprintf(err, "%s\n", describe_compile_error(model.ErrorCode, model.ErrorPosition).c_str());
    return kExitCompileError;
  }
  return kExitClean;
}

}  // namespace scenario
