#pragma once

// ngspice's shared library (Debian package libngspice0), opened at run time
// by the worker program so that the programs run where it is missing: only
// a simulation then says that it cannot run. The library keeps one circuit
// state for the whole process, so there is one of it.

#include <ngspice/sharedspice.h>

#include <string>

namespace flyback {

struct NgspiceLibrary {
  decltype(&ngSpice_Init) init = nullptr;
  decltype(&ngSpice_Command) command = nullptr;
  decltype(&ngSpice_Circ) circuit = nullptr;
  decltype(&ngSpice_running) running = nullptr;
  decltype(&ngSpice_CurPlot) current_plot = nullptr;
  decltype(&ngGet_Vec_Info) vector = nullptr;
};

// The library with its functions, opened on the first call; null, with the
// reason in `why`, where it cannot be opened.
const NgspiceLibrary* OpenNgspice(std::string& why);

}  // namespace flyback
