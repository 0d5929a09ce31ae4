#pragma once

// The terminal as one full screen, through ncurses. While it is open the
// terminal shows its alternate screen (the shell's screen comes back when it
// is closed, as with `less`) and takes every key at once. The shell's screen
// and the terminal's modes come back however the program ends: through
// Restore, the destructor, a signal that ends it (SIGHUP, SIGTERM, SIGINT,
// SIGQUIT, a crash) or an exception that nothing catches.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "key_press.h"

struct screen;  // ncurses' SCREEN

namespace flyback {

class TerminalScreen {
 public:
  enum class Style { kPlain, kEmphasis, kBar };

  TerminalScreen();
  TerminalScreen(const TerminalScreen&) = delete;
  TerminalScreen& operator=(const TerminalScreen&) = delete;
  ~TerminalScreen();

  // Back to the shell's screen and modes. Nothing is drawn after it.
  void Restore();

  int rows() const;
  int columns() const;

  // Starts the next picture of the screen: every cell blank.
  void Erase();
  // Draws `text` from `column` of `row`, cut at the right edge; returns the
  // column behind it.
  int Put(int row, int column, std::wstring_view text, Style style);
  // A whole row in the bar style, to be written over.
  void Bar(int row);
  // Shows the picture, with the cursor at `row`, `column`.
  void Show(int row, int column);

  // Waits for the next key, at most `wait`: nothing when none came.
  std::optional<KeyPress> ReadKey(std::chrono::milliseconds wait);
  // Drops what was typed and not read yet.
  void DropTypedAhead();
  // Ctrl-Z: stops the program as the shell's job control does, with the
  // shell's screen shown meanwhile; the caller draws again afterwards.
  void Suspend();

  // Why the terminal could not be set up or read any more, once that happened.
  const std::optional<std::string>& failure() const { return failure_; }

 private:
  ::screen* screen_ = nullptr;
  std::optional<std::string> failure_;
};

}  // namespace flyback
