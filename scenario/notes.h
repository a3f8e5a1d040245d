// The notes that come with the built-in scenario: what changed in this
// release, and a driver's guide to the run of train 731 from Corvale to
// Mirbosco, one paragraph per line so that any viewer can wrap it.
#pragma once

#include <cstddef>

namespace scenario {

inline constexpr size_t kNotesLines = 23;
// The longest paragraph a viewer of the notes takes on one line.
inline constexpr size_t kLongestParagraph = 732;

}  // namespace scenario
