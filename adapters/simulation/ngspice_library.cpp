#include "ngspice_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>

namespace flyback {

namespace {

// The file name of the library's ABI version 0, as Debian installs it; the
// environment may name another build (FLYBACK_NGSPICE_LIBRARY).
constexpr const char* kLibraryName = "libngspice.so.0";
constexpr const char* kLibraryVariable = "FLYBACK_NGSPICE_LIBRARY";

template <typename Function>
bool Bind(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  return function != nullptr;
}

struct Opened {
  NgspiceLibrary library;
  std::string why;  // empty where the library opened
};

Opened Open() {
  Opened opened;
  const char* named = std::getenv(kLibraryVariable);
  const std::string name = named != nullptr && *named != '\0' ? named : kLibraryName;
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    opened.why =
        "ngspice's shared library " + name + " cannot be opened (Debian package libngspice0)";
    return opened;
  }
  NgspiceLibrary& l = opened.library;
  if (!Bind(handle, "ngSpice_Init", l.init) || !Bind(handle, "ngSpice_Command", l.command) ||
      !Bind(handle, "ngSpice_Circ", l.circuit) || !Bind(handle, "ngSpice_running", l.running) ||
      !Bind(handle, "ngSpice_CurPlot", l.current_plot) ||
      !Bind(handle, "ngGet_Vec_Info", l.vector)) {
    opened.why = name + " lacks a function of ngspice's shared interface";
  }
  return opened;
}

}  // namespace

const NgspiceLibrary* OpenNgspice(std::string& why) {
  static std::once_flag once;
  static Opened opened;
  std::call_once(once, [] { opened = Open(); });
  why = opened.why;
  return opened.why.empty() ? &opened.library : nullptr;
}

}  // namespace flyback
