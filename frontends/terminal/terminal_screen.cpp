#include "terminal_screen.h"

#include <curses.h>
#include <poll.h>
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

extern "C" void OnEndingSignal(int signal_number, siginfo_t* info, void* /*context*/) {
  RestoreShellNow();
  // The signal's own handling from before the full screen takes over: the
  // default (ending the program) or, say, a sanitizer's report.
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    if (kEndingSignals[i] == signal_number) {
      sigaction(signal_number, &g_previous_actions[i], nullptr);
    }
  }
  // A fault comes again when the faulting instruction runs again; a signal
  // that was sent is raised once more.
  if (info == nullptr || info->si_code <= 0) raise(signal_number);
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
  action.sa_sigaction = OnEndingSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = static_cast<int>(SA_SIGINFO | SA_NODEFER);
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

struct KeyBinding {
  wint_t code;
  Action action;
};

// Control characters (what the terminal sends for Return, Escape and the
// Ctrl keys) and the keys ncurses decodes from escape sequences.
constexpr KeyBinding kControlCharacters[] = {
    {L'\r', Action::kAccept},
    {L'\n', Action::kAccept},
    {0x1B, Action::kQuit},            // Escape
    {0x04, Action::kQuit},            // Ctrl-D
    {0x03, Action::kQuit},            // Ctrl-C
    {0x7F, Action::kBackspace},       // Backspace (DEL)
    {0x08, Action::kBackspace},       // Ctrl-H
    {0x01, Action::kHome},            // Ctrl-A
    {0x05, Action::kEnd},             // Ctrl-E
    {0x02, Action::kLeft},            // Ctrl-B
    {0x06, Action::kRight},           // Ctrl-F
    {0x15, Action::kDeleteToStart},   // Ctrl-U
    {0x0B, Action::kDeleteToEnd},     // Ctrl-K
    {0x10, Action::kHistoryBack},     // Ctrl-P
    {0x0E, Action::kHistoryForward},  // Ctrl-N
    {0x0C, Action::kRedraw},          // Ctrl-L
    {0x1A, Action::kSuspend},         // Ctrl-Z
};
constexpr KeyBinding kKeyCodes[] = {
    {KEY_ENTER, Action::kAccept},
    {KEY_LEFT, Action::kLeft},
    {KEY_RIGHT, Action::kRight},
    {KEY_HOME, Action::kHome},
    {KEY_END, Action::kEnd},
    {KEY_BACKSPACE, Action::kBackspace},
    {KEY_DC, Action::kDelete},
    {KEY_UP, Action::kHistoryBack},
    {KEY_DOWN, Action::kHistoryForward},
    {KEY_PPAGE, Action::kPageUp},
    {KEY_NPAGE, Action::kPageDown},
    {KEY_RESIZE, Action::kRedraw},
};

template <std::size_t N>
std::optional<Action> Bound(const KeyBinding (&bindings)[N], wint_t code) {
  for (const KeyBinding& binding : bindings) {
    if (binding.code == code) return binding.action;
  }
  return std::nullopt;
}

KeyPress FromCharacter(wint_t c) {
  if (const std::optional<Action> action = Bound(kControlCharacters, c)) return {*action};
  const auto character = static_cast<wchar_t>(c);
  // Other control characters (C0 and C1), and what the character set cannot show.
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || DrawableCharacter(character) != character) {
    return {Action::kIgnore};
  }
  return {Action::kType, character};
}

// Reads and drops the input that is already there. After an Escape it is the
// rest of an escape sequence that the terminal's description does not know
// (Alt-x, Ctrl-Left on some terminals): such a key must not end the program.
bool DropPendingInput() {
  nodelay(stdscr, TRUE);
  bool dropped = false;
  wint_t ignored = 0;
  while (wget_wch(stdscr, &ignored) != ERR) dropped = true;
  nodelay(stdscr, FALSE);
  return dropped;
}

KeyPress FromKeyCode(wint_t code) {
  return {Bound(kKeyCodes, code).value_or(Action::kIgnore)};
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

std::optional<KeyPress> TerminalScreen::ReadKey(std::chrono::milliseconds wait) {
  while (screen_ != nullptr && !failure_) {
    // A key ncurses holds already (the rest of what one read brought) comes
    // first; without one, the wait is for the terminal. An end of input is
    // ready too and is told by the read below, which then fails: a timed
    // read of ncurses could not tell it from a key that did not come.
    nodelay(stdscr, TRUE);
    wint_t key = 0;
    int kind = wget_wch(stdscr, &key);
    nodelay(stdscr, FALSE);
    if (kind == ERR) {
      pollfd input{STDIN_FILENO, POLLIN, 0};
      const int ready = poll(&input, 1, static_cast<int>(wait.count()));
      if (ready == 0) return std::nullopt;
      if (ready < 0 && errno == EINTR) continue;
      errno = 0;
      kind = wget_wch(stdscr, &key);
    }
    if (kind == KEY_CODE_YES) return FromKeyCode(key);
    if (kind == OK) {
      if (key == 0x1B && DropPendingInput()) continue;
      const KeyPress press = FromCharacter(key);
      if (press.action == Action::kRedraw) clearok(curscr, TRUE);
      return press;
    }
    // A signal that does not end the program (the end of a Ctrl-Z stop).
    if (errno == EINTR) continue;
    failure_ = errno == 0 ? std::string("the terminal was closed")
                          : "the terminal cannot be read: " + std::string(std::strerror(errno));
  }
  return KeyPress{Action::kTerminalLost};
}

void TerminalScreen::DropTypedAhead() {
  if (screen_ != nullptr) flushinp();
}

void TerminalScreen::Suspend() {
  if (screen_ != nullptr) raise(SIGTSTP);
}

}  // namespace flyback
