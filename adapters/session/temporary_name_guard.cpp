#include "temporary_name_guard.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>

namespace flyback {

namespace {

constexpr std::array<int, 3> kEndingSignals = {SIGHUP, SIGINT, SIGTERM};

// Kept ready for the handler, which may not allocate.
constexpr std::size_t kNameSize = 64;  // bytes, with the closing NUL
int g_folder = -1;
std::array<char, kNameSize> g_name{};
volatile std::sig_atomic_t g_named = 0;
std::array<struct sigaction, kEndingSignals.size()> g_previous_actions{};

extern "C" void RemoveTemporaryName(int signal_number) {
  if (g_named != 0) {
    g_named = 0;
    unlinkat(g_folder, g_name.data(), 0);
  }
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    if (kEndingSignals[i] == signal_number) {
      sigaction(signal_number, &g_previous_actions[i], nullptr);
    }
  }
  // Blocked until this handler returns, then handled as before the guard.
  raise(signal_number);
}

}  // namespace

TemporaryNameGuard::TemporaryNameGuard(int folder, const std::string& name) {
  g_folder = folder;
  g_name.fill('\0');
  name.copy(g_name.data(), kNameSize - 1);
  g_named = 1;
  struct sigaction action {};
  action.sa_handler = RemoveTemporaryName;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : kEndingSignals) sigaddset(&action.sa_mask, signal_number);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    sigaction(kEndingSignals[i], nullptr, &g_previous_actions[i]);
    if (g_previous_actions[i].sa_handler != SIG_IGN) sigaction(kEndingSignals[i], &action, nullptr);
  }
}

TemporaryNameGuard::~TemporaryNameGuard() {
  g_named = 0;
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    sigaction(kEndingSignals[i], &g_previous_actions[i], nullptr);
  }
}

void TemporaryNameGuard::Release() {
  g_named = 0;
}

}  // namespace flyback
