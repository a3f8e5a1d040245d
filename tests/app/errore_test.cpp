// errore, the fatal message of the final checks: the literal and the number.
#include "app/errore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

class BoxPlatform : public Platform {
 public:
  void show_window() override {}
  void message_box(const std::string& text) override { boxes.push_back(text); }
  void close_window() override {}
  std::vector<std::string> boxes;
};

TEST(Errore, ShowsTheNumberAfterTheLiteralAndNothingElse) {
  EXPECT_EQ(errore_message("1251"), " Errore n. 1251");
  BoxPlatform platform;
  errore(platform, "1250");
  EXPECT_EQ(platform.boxes, std::vector<std::string>{" Errore n. 1250"});
}

}  // namespace
}  // namespace scenario
