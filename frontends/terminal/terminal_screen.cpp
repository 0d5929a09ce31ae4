#include "terminal_screen.h"

#include <curses.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "screen_text.h"
#include "terminal_check.h"

namespace flyback {

namespace {

// What ends the program while the terminal is in full-screen mode: the
// terminal is restored first, then the signal takes its usual course.
constexpr std::array<int, 9> kEndingSignals = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGSEGV,
                                               SIGBUS, SIGFPE, SIGILL,  SIGABRT};

// Kept ready for a signal handler, which may neither allocate nor call ncurses.
struct ShellState {
  std::array<char, 256> bytes{};  // leave the alternate screen, plain text, cursor shown
  std::size_t length = 0;
  termios modes{};  // the terminal's modes before the full screen
};
ShellState g_shell;
volatile std::sig_atomic_t g_full_screen = 0;
std::array<struct sigaction, kEndingSignals.size()> g_previous_actions{};
std::terminate_handler g_previous_terminate = nullptr;

// Safe inside a signal handler.
void RestoreShellNow() {
  if (g_full_screen == 0) return;
  g_full_screen = 0;
  const ssize_t ignored = write(STDOUT_FILENO, g_shell.bytes.data(), g_shell.length);
  static_cast<void>(ignored);
  tcsetattr(STDOUT_FILENO, TCSANOW, &g_shell.modes);
}

extern "C" void OnEndingSignal(int signal_number) {
  RestoreShellNow();
  // The handler was reset to the default on entry: the signal now ends the
  // program as it would have without the full screen.
  raise(signal_number);
}

[[noreturn]] void OnTerminate() {
  RestoreShellNow();
  if (g_previous_terminate != nullptr) g_previous_terminate();
  std::abort();
}

// A signal that was ignored when the program started stays ignored (as
// SIGHUP under nohup).
void CatchEndingSignals() {
  struct sigaction action {};
  action.sa_handler = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = static_cast<int>(SA_RESETHAND | SA_NODEFER);
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    sigaction(kEndingSignals[i], nullptr, &g_previous_actions[i]);
    if (g_previous_actions[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &action, nullptr);
  }
  g_previous_terminate = std::set_terminate(OnTerminate);
}

void ReleaseEndingSignals() {
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    sigaction(kEndingSignals[i], &g_previous_actions[i], nullptr);
  }
  std::set_terminate(g_previous_terminate);
}

// Appends a terminfo string capability, when the terminal has it.
void AppendCapability(const char* name) {
  const char* value = TerminalString(name);
  if (value == nullptr) return;
  const std::size_t length = std::strlen(value);
  if (g_shell.length + length > g_shell.bytes.size()) return;
  std::memcpy(g_shell.bytes.data() + g_shell.length, value, length);
  g_shell.length += length;
}

attr_t AttributesOf(TerminalScreen::Style style) {
  switch (style) {
    case TerminalScreen::Style::kPlain:
      break;
    case TerminalScreen::Style::kEmphasis:
      return A_BOLD;
    case TerminalScreen::Style::kBar:
      return A_REVERSE;
  }
  return A_NORMAL;
}

KeyPress FromCharacter(wint_t c) {
  switch (c) {
    case L'\r':
    case L'\n':
      return {Action::kAccept};
    case 0x1B:  // Escape
    case 0x04:  // Ctrl-D
    case 0x03:  // Ctrl-C
      return {Action::kQuit};
    case 0x7F:
    case 0x08:  // Ctrl-H
      return {Action::kBackspace};
    case 0x01:  // Ctrl-A
      return {Action::kHome};
    case 0x05:  // Ctrl-E
      return {Action::kEnd};
    case 0x02:  // Ctrl-B
      return {Action::kLeft};
    case 0x06:  // Ctrl-F
      return {Action::kRight};
    case 0x15:  // Ctrl-U
      return {Action::kDeleteToStart};
    case 0x0B:  // Ctrl-K
      return {Action::kDeleteToEnd};
    case 0x10:  // Ctrl-P
      return {Action::kHistoryBack};
    case 0x0E:  // Ctrl-N
      return {Action::kHistoryForward};
    case 0x0C:  // Ctrl-L
      return {Action::kRedraw};
    case 0x1A:  // Ctrl-Z
      return {Action::kSuspend};
    default:
      break;
  }
  const auto character = static_cast<wchar_t>(c);
  if (DrawableCharacter(character) != character || c < 0x20 || (c >= 0x7F && c < 0xA0)) {
    return {Action::kIgnore};
  }
  return {Action::kType, character};
}

KeyPress FromKeyCode(wint_t code) {
  switch (code) {
    case KEY_ENTER:
      return {Action::kAccept};
    case KEY_LEFT:
      return {Action::kLeft};
    case KEY_RIGHT:
      return {Action::kRight};
    case KEY_HOME:
      return {Action::kHome};
    case KEY_END:
      return {Action::kEnd};
    case KEY_BACKSPACE:
      return {Action::kBackspace};
    case KEY_DC:
      return {Action::kDelete};
    case KEY_UP:
      return {Action::kHistoryBack};
    case KEY_DOWN:
      return {Action::kHistoryForward};
    case KEY_PPAGE:
      return {Action::kPageUp};
    case KEY_NPAGE:
      return {Action::kPageDown};
    case KEY_RESIZE:
      return {Action::kRedraw};
    default:
      return {Action::kIgnore};
  }
}

}  // namespace

TerminalScreen::TerminalScreen() {
  UseTerminalCharacterSet();
  tcgetattr(STDOUT_FILENO, &g_shell.modes);
  // Caught before ncurses starts, so that it leaves SIGINT and SIGTERM to us;
  // it still handles SIGWINCH (a resized terminal) and SIGTSTP.
  CatchEndingSignals();
  // Escape ends the program: tell it from the start of a cursor key quickly.
  set_escdelay(25);
  screen_ = newterm(nullptr, stdout, stdin);
  if (screen_ == nullptr) {
    ReleaseEndingSignals();
    failure_ = "the terminal cannot be set up";
    return;
  }
  g_shell.length = 0;
  AppendCapability("sgr0");
  AppendCapability("cnorm");
  AppendCapability("rmkx");
  AppendCapability("rmcup");
  g_full_screen = 1;
  raw();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  curs_set(1);
}

TerminalScreen::~TerminalScreen() {
  Restore();
}

void TerminalScreen::Restore() {
  if (screen_ == nullptr) return;
  endwin();
  g_full_screen = 0;
  delscreen(screen_);
  screen_ = nullptr;
  ReleaseEndingSignals();
}

int TerminalScreen::rows() const {
  return screen_ != nullptr ? LINES : 0;
}

int TerminalScreen::columns() const {
  return screen_ != nullptr ? COLS : 0;
}

void TerminalScreen::Erase() {
  if (screen_ != nullptr) erase();
}

int TerminalScreen::Put(int row, int column, std::wstring_view text, Style style) {
  if (screen_ == nullptr || row < 0 || row >= rows() || column >= columns()) return column;
  const std::wstring drawn = CutToColumns(text, columns() - column);
  attr_set(AttributesOf(style), 0, nullptr);
  mvaddnwstr(row, column, drawn.c_str(), static_cast<int>(drawn.size()));
  attr_set(A_NORMAL, 0, nullptr);
  return column + TextColumns(drawn);
}

void TerminalScreen::Bar(int row) {
  if (screen_ == nullptr || row < 0 || row >= rows()) return;
  mvhline(row, 0, ' ' | A_REVERSE, columns());
}

void TerminalScreen::Show(int row, int column) {
  if (screen_ == nullptr) return;
  move(row, column);
  refresh();
}

KeyPress TerminalScreen::ReadKey() {
  while (screen_ != nullptr && !failure_) {
    wint_t key = 0;
    errno = 0;
    const int kind = wget_wch(stdscr, &key);
    if (kind == KEY_CODE_YES) return FromKeyCode(key);
    if (kind == OK) {
      const KeyPress press = FromCharacter(key);
      if (press.action == Action::kRedraw) clearok(curscr, TRUE);
      return press;
    }
    // A signal that does not end the program (the end of a Ctrl-Z stop).
    if (errno == EINTR) continue;
    failure_ = errno == 0 ? std::string("the terminal was closed")
                          : "the terminal cannot be read: " + std::string(std::strerror(errno));
  }
  return {Action::kTerminalLost};
}

void TerminalScreen::Suspend() {
  if (screen_ != nullptr) raise(SIGTSTP);
}

}  // namespace flyback
