#pragma once

// What a key press asks for, named apart from the terminal library's key codes
// so that editing and paging can be tested without a terminal.

namespace flyback {

enum class Action {
  kType,            // a printable character, in KeyPress::character
  kAccept,          // Return
  kQuit,            // Escape, Ctrl-D, Ctrl-C: the empty answer, which ends the program
  kLeft,            // left arrow, Ctrl-B
  kRight,           // right arrow, Ctrl-F
  kHome,            // Home, Ctrl-A
  kEnd,             // End, Ctrl-E
  kBackspace,       // Backspace: the character before the cursor
  kDelete,          // Delete: the character under the cursor
  kDeleteToStart,   // Ctrl-U
  kDeleteToEnd,     // Ctrl-K
  kHistoryBack,     // up arrow, Ctrl-P: the answer given before
  kHistoryForward,  // down arrow, Ctrl-N
  kPageUp,          // shows earlier lines of a page taller than the screen
  kPageDown,        // back towards the newest lines
  kRedraw,          // the terminal was resized, or Ctrl-L
  kSuspend,         // Ctrl-Z
  kIgnore,          // any other key
  kTerminalLost,    // the terminal cannot be read any more
};

struct KeyPress {
  Action action = Action::kIgnore;
  wchar_t character = 0;  // for kType: a Unicode code point
};

}  // namespace flyback
