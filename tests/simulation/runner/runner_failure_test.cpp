// The ngspice runner's ways to fail, each on a small netlist written for it
// and run through the worker program as a design's netlist is: a netlist
// ngspice refuses, a run that cannot end within its processor time, an
// analysis that does not converge, and a run whose waveforms lack a vector
// the comparison needs. Each must end with its own one-line reason and no
// waveforms, and the runner must be ready for the next run. Skipped where
// ngspice's shared library is not installed.

#include <gtest/gtest.h>

#include <string>

#include "engine/simulation/stage_nodes.h"
#include "ngspice_library.h"
#include "ngspice_run.h"

namespace flyback {
namespace {

// A netlist of a source and a resistor at the drain node: it runs in
// milliseconds but gives none of the stage's other vectors.
const std::string kResistorAtDrain = std::string("resistor at the drain\nV1 ") + kDrainNode +
                                     " 0 DC 1\nR1 " + kDrainNode + " 0 1k\n.tran 1u 10u\n.end\n";

SpiceRun RunOf(std::string netlist, double stop_s) {
  SpiceRun run;
  run.netlist = std::move(netlist);
  run.U_bus_V = 1;
  run.stop_s = stop_s;
  run.period_s = stop_s;       // no pause to judge settling before the end
  run.loads = {{1, 10, 0.1}};  // one output: the worker judges settling by it
  return run;
}

struct FailureCase {
  const char* what;
  std::string netlist;
  double stop_s;  // s
  double time_limit_s;
  const char* reason;  // the start of the reason the run must give
};

TEST(RunnerFailures, EachEndsWithItsReasonAndNoWaveforms) {
  std::string why;
  if (OpenNgspice(why) == nullptr) GTEST_SKIP() << why;
  const FailureCase cases[] = {
      {"refused",
       "a call of a subcircuit that does not exist\nV1 a 0 DC 1\nXU1 a 0 nosuchsub\n"
       ".tran 1u 10u\n.end\n",
       10e-6, 60, "ngspice refused the netlist: "},
      // 1 s of analysis at steps of 1 ps: about 10^12 steps, millions of
      // seconds at its pace; judged after half a second.
      {"time limit", "a crawl\nV1 a 0 SIN(0 1 1meg)\nR1 a b 1k\nC1 b 0 1n\n.tran 1p 1 0 1p\n.end\n",
       1, 1, "the analysis cannot reach its end time: "},
      // An ideal switch opening under an inductor's current: the voltage
      // has nowhere to stop, and the step shrinks below the least one.
      {"no convergence",
       "an inductor's current cut\nV1 a 0 PULSE(0 1 1u 1p 1p 1u 2u)\nS1 b 0 a 0 SW\n"
       "L1 c b 1\nV2 c 0 DC 1000\n.model SW SW(Ron=1u Roff=1e30 Vt=0.5 Vh=0)\n"
       ".options itl4=2 reltol=1e-9 abstol=1e-18\n.tran 1n 10u\n.end\n",
       10e-6, 60, "the netlist did not converge: the analysis stopped at 1 us of 10 us"},
      {"incomplete waveforms", kResistorAtDrain, 10e-6, 60,
       "ngspice returned incomplete waveforms"},
  };
  for (const FailureCase& c : cases) {
    RunControl control;
    control.time_limit_s = c.time_limit_s;
    const RunResult result = RunNetlist(RunOf(c.netlist, c.stop_s), control);
    EXPECT_FALSE(result.waves) << c.what;
    EXPECT_EQ(result.failure.rfind(c.reason, 0), 0U) << c.what << ": " << result.failure;
    EXPECT_EQ(result.failure.find('\n'), std::string::npos) << c.what;
  }
}

}  // namespace
}  // namespace flyback
