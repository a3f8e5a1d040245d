// "Did you mean …?": the keyword closest to a field that matches no row of
// a keyword table, by edit distance, ignoring letter case. Short words are
// allowed one edit, longer ones two, so stray texts are not mistaken for
// keywords.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "compiler/keywords.h"

namespace scenario::tool {

// Edits (insertions, deletions, substitutions, swaps of two neighbours)
// that turn a into b, ignoring ASCII letter case.
size_t edit_distance(std::string_view a, std::string_view b);

// The keyword, as the built-in files write it, that lies within reach of
// the field or of one of the field's words; the nearest one when several do,
// and empty when none does. Curve keywords are offered as curvad1 to curvas6.
std::optional<std::string> suggest_keyword(std::string_view field, std::span<const keywords::Row> rows);

}  // namespace scenario::tool
