#include "window_system.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace flyback {

namespace {

std::string_view Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

bool DisplayNamed() {
  return !Variable("DISPLAY").empty() || !Variable("WAYLAND_DISPLAY").empty();
}

std::string NoWindowReason() {
  // Qt takes the platform from QT_QPA_PLATFORM, or picks Wayland or X11 by
  // the variables below.
  const std::string_view platform = Variable("QT_QPA_PLATFORM");
  const bool any_platform = platform.empty();
  std::vector<std::string_view> displays;
  const std::string_view wayland = Variable("WAYLAND_DISPLAY");
  if (!wayland.empty() && (any_platform || platform.find("wayland") != std::string_view::npos)) {
    displays.push_back(wayland);
  }
  const std::string_view x11 = Variable("DISPLAY");
  if (!x11.empty() && (any_platform || platform.find("xcb") != std::string_view::npos)) {
    displays.push_back(x11);
  }
  if (displays.empty()) {
    if (!any_platform)
      return "cannot open a window on the platform \"" + std::string(platform) + '"';
    return "cannot open a window: no display is set (DISPLAY, WAYLAND_DISPLAY)";
  }
  std::string reason = "cannot open the display \"" + std::string(displays.front()) + '"';
  if (displays.size() > 1) reason += " or \"" + std::string(displays.back()) + '"';
  return reason;
}

}  // namespace flyback
