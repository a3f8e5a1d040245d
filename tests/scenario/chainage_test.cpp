// Kilometre readings of the line as the driver documents print them, and
// their agreement with the kilometre reference of the built-in line text.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "compiler/field_reader.h"
#include "scenario/builtin_texts.h"
#include "scenario/chainage.h"

namespace scenario {
namespace {

TEST(Chainage, CountsUpToTheJunctionThenDownTheMainLine) {
  const std::pair<int32_t, std::string> cases[] = {
      {0, "0.000"},       {2000, "2.000"},   {23449, "23.449"}, {23450, "194.950"}, {53750, "164.650"},
      {158400, "60.000"}, {218350, "0.050"}, {218400, "0.000"}, {220000, "-1.600"},
  };
  for (const auto& [position, text] : cases) {
    EXPECT_EQ(kilometres_text(chainage_metres(position)), text) << position;
  }
  EXPECT_FALSE(counts_down(23449));
  EXPECT_TRUE(counts_down(23450));
}

TEST(Chainage, AgreesWithTheLineTextsKilometreReference) {
  // "progressiva chilometrica uno, position, kilometre, 1": from the position
  // on, the reading is the kilometre plus 100 m minus the position.
  bool found = false;
  for (std::string_view line : builtin_line_text()) {
    FieldReader r(line);
    auto keyword = r.text();
    if (!keyword || keyword->text != "progressiva chilometrica uno") continue;
    auto next = [&r]() -> std::optional<int64_t> {
      auto f = r.number();
      return f ? parse_number(f->text) : std::nullopt;
    };
    const auto position = next();
    const auto kilometre = next();
    const auto add_100 = next();
    ASSERT_TRUE(position && kilometre && add_100) << line;
    EXPECT_EQ(*position, builtin_junction().position);
    EXPECT_EQ(*kilometre + (*add_100 == 1 ? 100 : 0), builtin_junction().main_line_origin);
    found = true;
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace scenario
