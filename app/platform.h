// The platform under the run: the one window that says "Attendere" while
// the run works, and the modal message box of errore. A console version
// serves Linux and scripted runs; a Windows version shows a real window.
#pragma once

#include <memory>
#include <string>

namespace scenario {

class Platform {
 public:
  virtual ~Platform() = default;
  // Shows the window without blocking and paints it at once.
  virtual void show_window() = 0;
  // Shows a modal box with the text and a single OK button; returns when
  // the user closes it.
  virtual void message_box(const std::string& text) = 0;
  // Closes the window at the end of the run.
  virtual void close_window() = 0;
};

// Prints "Attendere" when the window is shown; the message box prints its
// text on stderr and waits for Enter only when stdin is a terminal, so that
// scripted runs never hang.
class ConsolePlatform : public Platform {
 public:
  void show_window() override;
  void message_box(const std::string& text) override;
  void close_window() override {}
};

// The platform of this build: the real window on Windows, the console elsewhere.
std::unique_ptr<Platform> make_platform();

}  // namespace scenario
