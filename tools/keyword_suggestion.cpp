#include "tools/keyword_suggestion.h"

#include <algorithm>
#include <vector>

namespace scenario::tool {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// How far a word may be from a keyword and still count as a slip.
size_t reach(size_t length) { return length < 5 ? 0 : length < 7 ? 1 : 2; }

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) out.push_back(s.substr(start, i - start));
  }
  return out;
}

struct Candidate {
  std::string spelling;  // compared with the field
  std::string offered;   // what the suggestion names
};

std::vector<Candidate> candidates(std::span<const keywords::Row> rows) {
  std::vector<Candidate> out;
  for (const auto& row : rows) {
    if (row.first == "curva") {
      for (char side : {'d', 's'})
        for (char cls = '1'; cls <= '6'; ++cls) {
          std::string k = std::string("curva") + side + cls;
          out.push_back({k, k});
        }
      out.push_back({"curva", "curvad1 to curvad6 or curvas1 to curvas6"});
      continue;
    }
    out.push_back({std::string(row.written), std::string(row.written)});
    for (std::string_view w : {row.first, row.second})
      if (!w.empty() && w != row.written) out.push_back({std::string(w), std::string(row.written)});
  }
  return out;
}

}  // namespace

size_t edit_distance(std::string_view a, std::string_view b) {
  // Optimal string alignment distance, three rows.
  std::vector<size_t> prev2(b.size() + 1), prev(b.size() + 1), cur(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) prev[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    cur[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const bool same = lower(a[i - 1]) == lower(b[j - 1]);
      cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && lower(a[i - 1]) == lower(b[j - 2]) && lower(a[i - 2]) == lower(b[j - 1]))
        cur[j] = std::min(cur[j], prev2[j - 2] + 1);
    }
    std::swap(prev2, prev);
    std::swap(prev, cur);
  }
  return prev[b.size()];
}

std::optional<std::string> suggest_keyword(std::string_view field, std::span<const keywords::Row> rows) {
  const auto cands = candidates(rows);
  std::optional<std::string> best;
  size_t best_distance = SIZE_MAX;
  auto consider = [&](std::string_view text) {
    if (text.size() < 5) return;
    for (const auto& c : cands) {
      // Lengths too far apart cannot be within reach.
      const size_t gap =
          text.size() > c.spelling.size() ? text.size() - c.spelling.size() : c.spelling.size() - text.size();
      const size_t limit = reach(std::min(text.size(), c.spelling.size()));
      if (gap > limit) continue;
      const size_t d = edit_distance(text, c.spelling);
      if (d <= limit && d < best_distance) {
        best_distance = d;
        best = c.offered;
      }
    }
  };
  consider(field);
  for (std::string_view w : words(field)) consider(w);
  return best;
}

}  // namespace scenario::tool
