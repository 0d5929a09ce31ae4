#pragma once

// The command line of flyback and flyback-gui: the options of a session that
// both take, --help and --version, and the program's own switches.

#include <optional>
#include <string>
#include <vector>

#include "engine/evaluation/design_evaluation.h"
#include "program_help.h"

namespace flyback {

struct CommandLine {
  std::vector<std::string> switches;  // the program's own, in the order given
  std::string record_file;            // --record FILE; empty: none
  std::string resume_file;            // --resume FILE; empty: none
  std::string export_file;            // --export FILE (the design as JSON); empty: none
  std::string bom_file;               // --bom FILE (the parts list as CSV); empty: none
  std::string netlist_file;         // --netlist FILE (the stage as an ngspice netlist); empty: none
  std::string core_data_file;       // --core-data FILE (a core for the loss budget); empty: none
  std::string design_report_file;   // --design-report FILE (printable HTML); empty: none
  std::string efficiency_map_file;  // --efficiency-map FILE (the map as CSV); empty: none
  // --loop-crossover HERTZ: the crossover the loop's proposal is designed
  // for; none: the default rule
  std::optional<double> loop_crossover_Hz;
  bool simulate = false;  // --simulate (the stage in ngspice after every calculation)
  // --without-load-points: the simulation leaves the efficiency map's part
  // loads out
  bool without_load_points = false;
  bool advise = false;    // --advise: rank the alternative cores after every calculation
  bool overview = false;  // --overview: the window opens its design overview at once
  // --external-power-supply: the rules for external power supplies bind
  bool external_power_supply = false;
  bool help = false;
  bool version = false;
};

// The options of `command_line` that name a file, and the session's
// switches, as arguments for another
// program that runs the session (the window program started by flyback).
std::vector<std::string> SessionArguments(const CommandLine& command_line);

// What the command line asks of every design's evaluation: the user's core
// (`core_data`, or null), the ranking (--advise), the rules
// (--external-power-supply) and the loop's crossover (--loop-crossover).
EvaluationRequest EvaluationRequestOf(const CommandLine& command_line,
                                      const UserCoreData* core_data);

struct ProgramText {
  const char* name;  // "flyback"
  Program program;   // whose --help text
};

// Reads the command line of main(); answers --help (the usage on standard
// output), --version and a bad command line (the line and the usage on
// standard error). Returns the exit status when the program ends there.
std::optional<int> ReadCommandLine(const ProgramText& program, int argc, char** argv,
                                   const std::vector<std::string>& own_switches,
                                   CommandLine& command_line);

}  // namespace flyback
