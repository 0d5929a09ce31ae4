#pragma once

// One .ac run of a netlist in the worker program flyback-ngspice (as
// ngspice_run.h runs a transient one): the complex vectors asked for, at
// every frequency of the sweep.

#include <complex>
#include <map>
#include <string>
#include <vector>

#include "ngspice_run.h"

namespace flyback {

struct AcRunResult {
  std::vector<double> f_Hz;  // Hz, the sweep's frequencies; empty where the run failed
  std::map<std::string, std::vector<std::complex<double>>> vectors;  // each as long as f_Hz
  std::string failure;                                               // why there are none: one line
  double run_s = 0;                                                  // s, wall time of the run
};

AcRunResult RunAcNetlist(const std::string& netlist, const std::vector<std::string>& vectors,
                         const RunControl& control);

}  // namespace flyback
