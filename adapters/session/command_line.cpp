#include "command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iostream>

#include "base/console/answer_reading.h"
#include "flyback_version.h"
#include "session_failure.h"

namespace flyback {

namespace {

// The options of a session that name a file.
struct FileOption {
  const char* name;
  std::string CommandLine::*file;
};
constexpr std::array<FileOption, 8> kFileOptions = {{
    {"--resume", &CommandLine::resume_file},
    {"--record", &CommandLine::record_file},
    {"--export", &CommandLine::export_file},
    {"--bom", &CommandLine::bom_file},
    {"--netlist", &CommandLine::netlist_file},
    {"--core-data", &CommandLine::core_data_file},
    {"--design-report", &CommandLine::design_report_file},
    {"--efficiency-map", &CommandLine::efficiency_map_file},
}};

// The options of a session without a value.
struct SwitchOption {
  const char* name;
  bool CommandLine::*on;
};
constexpr std::array<SwitchOption, 5> kSessionSwitches = {{
    {"--simulate", &CommandLine::simulate},
    {"--without-load-points", &CommandLine::without_load_points},
    {"--advise", &CommandLine::advise},
    {"--overview", &CommandLine::overview},
    {"--external-power-supply", &CommandLine::external_power_supply},
}};

[[noreturn]] void BadCommandLine(const std::string& line) {
  throw SessionFailure(line, kUnusableStart);
}

// The option's value: the next argument (not an option: "--record
// --script" lacks its FILE), or the text after "=" in "--record=FILE";
// `what` names it where it is missing.
std::string TakeValue(const std::vector<std::string>& arguments, std::size_t& i,
                      const std::string& option, const std::string& what) {
  const std::string& argument = arguments[i];
  std::string value;
  if (argument.size() > option.size()) {
    value = argument.substr(option.size() + 1);
  } else if (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0) {
    value = arguments[++i];
  }
  if (value.empty()) BadCommandLine("the option " + option + " needs " + what);
  return value;
}

void TakeFile(const std::vector<std::string>& arguments, std::size_t& i, const std::string& option,
              std::string& file) {
  std::string value = TakeValue(arguments, i, option, "a FILE");
  if (!file.empty()) BadCommandLine("the option " + option + " is given twice");
  file = std::move(value);
}

constexpr const char* kLoopCrossover = "--loop-crossover";

// --loop-crossover HERTZ: a number from 0 (the default rule) to the highest
// crossover the loop is designed for, read as the dialogue reads numbers.
void TakeCrossover(const std::vector<std::string>& arguments, std::size_t& i,
                   std::optional<double>& crossover_Hz) {
  const std::string value = TakeValue(arguments, i, kLoopCrossover, "a frequency in Hz");
  const std::optional<double> f_Hz = ReadWholeAnswer(value);
  if (!f_Hz || !(*f_Hz >= 0 && *f_Hz <= kHighestLoopCrossover_Hz)) {
    BadCommandLine(std::string("the option ") + kLoopCrossover + " needs a frequency from 0 to " +
                   std::to_string(static_cast<long>(kHighestLoopCrossover_Hz)) + " Hz, not '" +
                   value + "'");
  }
  if (crossover_Hz) BadCommandLine(std::string("the option ") + kLoopCrossover + " is given twice");
  crossover_Hz = *f_Hz;
}

// `x` as the shortest text that reads back as the same number.
std::string ExactText(double x) {
  std::array<char, 32> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), x);
  return {text.data(), end};
}

bool IsOption(const std::string& argument, const std::string& option) {
  return argument == option || argument.rfind(option + "=", 0) == 0;
}

// The file option `argument` gives ("--record" or "--record=FILE"), if any.
const FileOption* FileOptionOf(const std::string& argument) {
  for (const FileOption& option : kFileOptions) {
    if (IsOption(argument, option.name)) return &option;
  }
  return nullptr;
}

const SwitchOption* SessionSwitchOf(const std::string& argument) {
  for (const SwitchOption& option : kSessionSwitches) {
    if (argument == option.name) return &option;
  }
  return nullptr;
}

// Reads the arguments (without the program name); `own_switches` are the
// program's options without a value. Throws SessionFailure (a bad command
// line) for an unknown option, a missing FILE, or an option given twice.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& own_switches) {
  CommandLine command_line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      command_line.help = true;
    } else if (argument == "--version") {
      command_line.version = true;
    } else if (const FileOption* option = FileOptionOf(argument)) {
      TakeFile(arguments, i, option->name, command_line.*option->file);
    } else if (IsOption(argument, kLoopCrossover)) {
      TakeCrossover(arguments, i, command_line.loop_crossover_Hz);
    } else if (const SwitchOption* session_switch = SessionSwitchOf(argument)) {
      command_line.*session_switch->on = true;
    } else if (std::find(own_switches.begin(), own_switches.end(), argument) !=
               own_switches.end()) {
      command_line.switches.push_back(argument);
    } else {
      BadCommandLine("unknown option '" + argument + "'");
    }
  }
  return command_line;
}

}  // namespace

std::vector<std::string> SessionArguments(const CommandLine& command_line) {
  std::vector<std::string> arguments;
  for (const FileOption& option : kFileOptions) {
    const std::string& file = command_line.*option.file;
    if (!file.empty()) arguments.insert(arguments.end(), {option.name, file});
  }
  if (command_line.loop_crossover_Hz) {
    arguments.insert(arguments.end(), {kLoopCrossover, ExactText(*command_line.loop_crossover_Hz)});
  }
  for (const SwitchOption& option : kSessionSwitches) {
    if (command_line.*option.on) arguments.emplace_back(option.name);
  }
  return arguments;
}

EvaluationRequest EvaluationRequestOf(const CommandLine& command_line,
                                      const UserCoreData* core_data) {
  EvaluationRequest request;
  request.core_data = core_data;
  request.alternatives = command_line.advise;
  request.external_power_supply = command_line.external_power_supply;
  request.loop_crossover_Hz = command_line.loop_crossover_Hz.value_or(0);
  return request;
}

std::optional<int> ReadCommandLine(const ProgramText& program, int argc, char** argv,
                                   const std::vector<std::string>& own_switches,
                                   CommandLine& command_line) {
  try {
    command_line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), own_switches);
  } catch (const SessionFailure& failure) {
    std::cerr << program.name << ": " << failure.what() << "\n\n" << HelpText(program.program);
    return failure.exit_status();
  }
  if (command_line.help) {
    std::cout << HelpText(program.program);
    return 0;
  }
  if (command_line.version) {
    std::cout << program.name << ' ' << kVersion << '\n';
    return 0;
  }
  return std::nullopt;
}

}  // namespace flyback
