#include "tools/scenario_names.h"

#include <filesystem>
#include <string_view>

#include "compiler/file_names.h"
#include "tools/diagnostics.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

std::string file_name_of(const std::string& path) { return std::filesystem::path(path).filename().string(); }

bool ends_with_nocase(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    char a = s[s.size() - suffix.size() + i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (a != suffix[i]) return false;
  }
  return true;
}

// "ROUTE_TRAIN" of a train source file name, or empty.
std::optional<std::string> train_stem(const std::string& path) {
  const std::string name = file_name_of(path);
  if (!ends_with_nocase(name, kTrainSuffix) || name.size() == kTrainSuffix.size()) return std::nullopt;
  return name.substr(0, name.size() - kTrainSuffix.size());
}

std::string folded(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string in_quotes(const std::string& name) {
  std::string out = "\"";
  out += shown_text(name, ShownAs::kCommandLine);
  out += '"';
  return out;
}

}  // namespace

std::optional<std::string> route_from_line_file(const std::string& path) {
  const std::string name = file_name_of(path);
  if (!ends_with_nocase(name, kLineSuffix) || name.size() == kLineSuffix.size()) return std::nullopt;
  return name.substr(0, name.size() - kLineSuffix.size());
}

std::string name_problem(const std::string& name) {
  if (name.empty()) return "it is empty";
  if (name == "." || name == "..") return "it names a directory";
  if (name.front() == ' ' || name.back() == ' ') return "it begins or ends with a space";
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7E) return "it holds a character other than printable ASCII";
    if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return std::string("it holds the character '") + c + "', which file names cannot carry";
  }
  return {};
}

std::string file_name_clash(const std::string& route, const std::string& train) {
  const FileNames f = file_names(route, train);
  struct Named {
    const char* what;
    const std::string& name;
  };
  const Named all[] = {
      {"the line source", f.line_source},
      {"the train source", f.train_source},
      {"the timetable sheet", f.timetable_sheet},
      {"the slowdown order", f.slowdown_order},
      {"the notes", f.notes},
      {"the line profile file", f.line_profile},
      {"the scenario file", f.scenario_file},
      {"the track file", f.track_file},
  };
  for (size_t i = 0; i < std::size(all); ++i)
    for (size_t j = i + 1; j < std::size(all); ++j)
      if (folded(all[i].name) == folded(all[j].name))
        return std::string(all[j].what) + " " + shown_text(all[j].name, ShownAs::kCommandLine) + " and " + all[i].what +
               " " + shown_text(all[i].name, ShownAs::kCommandLine) +
               " would be one file (Windows does not tell capitals from small letters in file names)";
  return {};
}

ScenarioNames derive_names(const std::string& line_path, const std::string& train_path,
                           const std::optional<std::string>& route, const std::optional<std::string>& train) {
  ScenarioNames n;
  const auto stem = train_stem(train_path);
  if (route) {
    n.route = *route;
  } else if (auto r = route_from_line_file(line_path)) {
    n.route = *r;
  } else if (stem && stem->rfind('_') != std::string::npos && stem->rfind('_') > 0) {
    n.route = stem->substr(0, stem->rfind('_'));
  } else {
    n.error =
        "cannot tell the route name from the file names (expected ROUTE_linea.txt or ROUTE_TRAIN-.txt); "
        "give it with --route NAME";
    return n;
  }
  if (train) {
    n.train = *train;
  } else if (stem && stem->size() > n.route.size() + 1 && stem->compare(0, n.route.size() + 1, n.route + "_") == 0) {
    n.train = stem->substr(n.route.size() + 1);
  } else {
    n.error = "cannot tell the train number from the train source file name (expected " +
              shown_text(n.route, ShownAs::kCommandLine) + "_TRAIN-.txt); give it with --train NUMBER";
    return n;
  }
  if (auto p = name_problem(n.route); !p.empty()) {
    n.error = "the route name " + in_quotes(n.route) + " cannot be used: " + p;
  } else if (auto q = name_problem(n.train); !q.empty()) {
    n.error = "the train number " + in_quotes(n.train) + " cannot be used: " + q;
  } else if (auto r = file_name_clash(n.route, n.train); !r.empty()) {
    n.error = "the route name " + in_quotes(n.route) + " and the train number " + in_quotes(n.train) +
              " cannot be used together: " + r;
  }
  return n;
}

}  // namespace scenario::tool
