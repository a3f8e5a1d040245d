// The route name and train number of a compile: given on the command line
// or read from the source file names when they follow the one-shot run's
// naming (ROUTE_linea.txt and ROUTE_TRAIN-.txt).
#pragma once

#include <optional>
#include <string>

namespace scenario::tool {

struct ScenarioNames {
  std::string route;
  std::string train;
  std::string error;  // a usage error; empty when both names are known
};

// The route name in a line source file name "ROUTE_linea.txt"; empty when
// the name does not follow that form. Only the file name counts, not its
// directory.
std::optional<std::string> route_from_line_file(const std::string& path);

// Derives both names. Names given on the command line win; otherwise the
// route comes from the line file name, or from the train file name split at
// its last "_", and the train number from the train file name
// "ROUTE_TRAIN-.txt". Names that cannot be used, alone or together
// (name_problem, file_name_clash), are a usage error; the error quotes them
// as shown_text shows a command line, so no byte of them reaches the
// terminal raw.
ScenarioNames derive_names(const std::string& line_path, const std::string& train_path,
                           const std::optional<std::string>& route, const std::optional<std::string>& train);

// Why these two names cannot be used together, or empty when they can: two
// of the files a compile with them would read or write (compiler/file_names:
// the two sources, the three documents, the line profile, the scenario and
// the track file) would be one file on Windows, which does not tell capitals
// from small letters. Train number "linea" gives the track file the name of
// the line profile file, for example.
[[nodiscard]] std::string file_name_clash(const std::string& route, const std::string& train);

// Why a name cannot be used in file names and scenario records, or empty
// when it can: printable ASCII, no path separator or character Windows
// refuses in file names, no leading or trailing space.
std::string name_problem(const std::string& name);

}  // namespace scenario::tool
