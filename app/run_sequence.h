// The one-shot run: Form_Load sets the route name and the train number,
// shows the window, writes the five built-in texts, compiles them with
// memorizza_percorso(1) and reports how the run ended. The directory is a
// parameter so that tests run it anywhere; only main looks up the
// program's own directory.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/platform.h"
#include "scenario/builtin_texts.h"
#include "scenario/text_file.h"

namespace scenario {

// Exit statuses of corvale_mirbosco.
inline constexpr int kExitClean = 0;         // all files written, no compile error
inline constexpr int kExitCompileError = 1;  // a compile error was recorded; files still written
inline constexpr int kExitFinalCheck = 2;    // a final check failed; nothing binary written
inline constexpr int kExitUnexpected = 3;    // a file could not be written, or nothing to compile

inline constexpr const char* kRouteName = kBuiltinRouteName;
inline constexpr const char* kTrainNumber = kBuiltinTrainNumber;

// Runs the whole job in dir and returns the exit status. Diagnostics go to err.
int Form_Load(const std::filesystem::path& dir, Platform& platform, std::FILE* err = stderr);

// The five texts of the built-in scenario, in the order the run writes them:
// line source, train source, notes, slowdown order, timetable sheet.
std::vector<TextFile> builtin_run_texts(const std::string& route_name, const std::string& train_number);

// The body of Form_Load with the five texts given, in the same order: shows
// the window, writes the texts, compiles and writes the binary files, and
// returns the exit status. Form_Load passes the built-in texts; tests pass
// changed ones to run a broken scenario through the whole sequence.
int run_with_texts(const std::filesystem::path& dir, Platform& platform, const std::vector<TextFile>& texts,
                   std::FILE* err = stderr);

}  // namespace scenario
