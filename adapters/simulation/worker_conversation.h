#pragma once

// One conversation with the worker program flyback-ngspice: started with
// its arguments, fed the netlist, its records read until the end record or
// a failure, with progress told and cancelling heeded on the way.

#include <map>
#include <string>
#include <vector>

#include "ngspice_run.h"

namespace flyback {

struct WorkerReply {
  std::map<std::string, std::vector<double>> vectors;  // by name
  std::string failure;                                 // empty where the worker ended well
};

WorkerReply ConverseWithWorker(const std::vector<std::string>& arguments,
                               const std::string& netlist, const RunControl& control);

}  // namespace flyback
