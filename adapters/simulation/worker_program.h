#pragma once

// Where the simulation's worker program flyback-ngspice is: installed in
// libexec/flyback beside the programs' bin folder, or, in the build tree,
// where it was built.

#include <string>

namespace flyback {

// The path of the worker program; empty, with the reason in `why`, where
// there is none.
std::string WorkerProgram(std::string& why);

}  // namespace flyback
