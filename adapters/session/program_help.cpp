#include "program_help.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "exit_status.h"

namespace flyback {

namespace {

constexpr std::size_t kHelpWidth = 79;         // columns of a --help line
constexpr std::size_t kOptionColumn = 17;      // where an option's text begins
constexpr std::string_view kFile = "FILE";     // the argument as --help writes it
constexpr std::string_view kManFile = "file";  // and as the man page does

enum Programs : unsigned { kFlybackOnly = 1, kWindowOnly = 2, kBoth = 3 };

struct OptionText {
  std::string_view name;               // "--resume"
  std::string_view argument;           // "FILE", "HERTZ"; "": none
  std::string_view synopsis_argument;  // in the usage line: "FILE.json"
  Programs programs;
  bool in_synopsis;           // --help and --version stand in a line of their own
  std::string_view help;      // the --help text, also the man page's first sentence
  std::string_view man_more;  // what the man page adds (troff); "": nothing
};

constexpr auto kOptions = std::to_array<OptionText>({
    {"--script", "", "", kFlybackOnly, true,
     "answers from standard input, one line per question; the transcript goes to standard "
     "output (an empty line takes the default, the end of input ends the program)",
     "The transcript shows a cleared page as a line holding a form feed, each written line in\n"
     "fixed pitch, and each question as\n"
     ".IP\n.RS\n.EX\n?> title [default] {prompt} => answer\n.EE\n.RE\n.IP\n"
     "with\n.B <cancel>\nas the answer at the end of input."},
    {"--tty", "", "", kFlybackOnly, true, "the dialogue in this terminal",
     "It is drawn as a full-screen page (see\n.BR \"THE TERMINAL\" ).\n"
     "Standard input and output must be a terminal that can place the cursor;\n"
     "otherwise one line on standard error says why, and the exit status is 2."},
    {"--gui", "", "", kFlybackOnly, true, "the desktop window (flyback-gui)",
     "It fails (status 2) if\n.B flyback-gui\ncannot be started or cannot open its window."},
    {"--overview", "", "", kBoth, true,
     "open the window \"Design overview\" at once (F2 and the text area's menu open it later): "
     "key figures and checks, output windows, currents, the optimization's sweep",
     "It belongs to the window: with\n.B \\-\\-script\nor\n.B \\-\\-tty\nit is refused (status "
     "2)."},
    {"--resume", "FILE", "FILE", kBoth, true,
     "take the answers of FILE first, as 'flyback --script' reads them, then go on from the "
     "question where FILE ends (the window presses Start itself)",
     "In script mode the following answers come from standard input. The file is read\n"
     "completely before anything is written."},
    {"--record", "FILE", "FILE", kBoth, true,
     "write every answer taken to FILE, one per line, so that 'flyback --script < FILE' "
     "replays the session",
     "The file that standard input reads cannot be the record file (status 2); the resume\n"
     "file can."},
    {"--export", "FILE", "FILE.json", kBoth, true,
     "keep the design in FILE as JSON, rewritten after every calculation (with the design "
     "checks)",
     "It holds the inputs, the transformer (unrounded and as shown), the windings, the\n"
     "component list, the optimization's list and the findings of the design checks (an\n"
     "output outside its window, a limit exceeded, a result of 0 or less). It is rewritten\n"
     "whenever the design is shown after a calculation and whenever the component list is\n"
     "made, through a temporary file beside it, so a reader never sees half a file. The\n"
     "format is described in\n.I docs/export.md\nof the sources, with its JSON Schema."},
    {"--bom", "FILE", "FILE.csv", kBoth, true,
     "write the component list as a CSV parts list to FILE whenever the component list is "
     "made",
     "It is RFC 4180 CSV in UTF-8 (designator, value, unit, part, rating, remark). A design\n"
     "or parts-list file that cannot be written ends the program with status 1; neither may\n"
     "be the file the answers come from or are recorded to (status 2)."},
    {"--netlist", "FILE", "FILE.cir", kBoth, true,
     "keep the designed stage in FILE as an ngspice netlist, rewritten after every "
     "calculation; 'ngspice -b FILE' simulates it",
     "The netlist holds the bus at the lowest input voltage (a parameter switches it to the\n"
     "highest), the MOSFET as a switch, the RCD clamp, the transformer as coupled inductors,\n"
     "the outputs under full load and a behavioural controller; the run prints the settled\n"
     "output voltages, the peak drain current and voltage and the switching frequency. It is\n"
     "written like the design file; the model is described in\n.I docs/simulation.md\n"
     "of the sources."},
    {"--simulate", "", "", kBoth, true,
     "simulate the designed stage in ngspice after every calculation, at the lowest and the "
     "highest input voltage, and compare it with the calculation",
     "The comparison (every output voltage and its ripple, the peak drain current and voltage,\n"
     "the switching frequency and the efficiency, each with its tolerance) goes into the\n"
     "design file and its checks; in script mode it goes to standard error as a table, so the\n"
     "transcript stays as it is. It needs ngspice's shared library (Debian package\n"
     "libngspice0); where it is missing, or a run fails or exceeds its time limit, one line\n"
     "says so and the dialogue goes on. The model is described in\n.I docs/simulation.md\n"
     "of the sources."},
    {"--core-data", "FILE", "FILE.json", kBoth, true,
     "take the geometry and the ferrite of the core you wind from FILE (JSON), for the loss "
     "budget of every design",
     "It gives the effective length, volume and area, the winding window, the bobbin width,\n"
     "the mean turn length and the surface of the core, and either the name of a built-in\n"
     "ferrite grade or its own Steinmetz fit; the format is described in\n.I docs/losses.md\n"
     "of the sources. It counts for every transformer type, in place of the catalogue's figures\n"
     "or the estimate. A file that is not a regular one of at most 1 MB, cannot be read, is no\n"
     "JSON, lacks a figure, or holds text where a number belongs or a figure outside its range\n"
     "ends the program before the dialogue with one line naming the file and the problem\n"
     "(status 2)."},
    {"--design-report", "FILE", "FILE.html", kBoth, true,
     "keep a printable design report in FILE (HTML), rewritten after every calculation",
     "One HTML file without scripts or external resources that prints on A4: the inputs, the\n"
     "key figures with the checks, every figure of the result screen with its formula and\n"
     "values, the winding sheet, the output windows and currents, the loss budget, the parts\n"
     "list once made and the optimization once run. It is written like the design file; its\n"
     "contents are described in\n.I docs/design-report.md\nof the sources."},
    {"--advise", "", "", kBoth, true,
     "after every calculation rank every core of the catalogues (the layer cores at a series "
     "of airgaps) and the user's own transformer for the design: in the design file, in "
     "script mode as a table on standard error, in the overview's tab Alternatives",
     "Each candidate is calculated as the dialogue would calculate it, checked and its losses\n"
     "budgeted; one whose calculation stops is rejected with the reason the dialogue gives.\n"
     "The transcript does not change. The candidates and the score are described in\n"
     ".I docs/adviser.md\nof the sources."},
    {"--without-load-points", "", "", kBoth, false,
     "with --simulate or the overview's Simulate, run the two full-load operating points "
     "without the efficiency map's part loads, which take some three quarters of the runs' "
     "time",
     "The comparison, the design file and the overview's tab Efficiency then hold no\n"
     "simulated load points. The option is meant for runs that do not judge the efficiency\n"
     "map, such as the tests of varied designs."},
    {"--loop", "", "", kFlybackOnly, false,
     "in script mode, after every calculation of a design regulated through the opto-coupler, "
     "write its feedback loop as two tables on standard error: the margins at 12 corners "
     "with the component list's parts, then with a proposed compensator",
     "The corners are the lowest and the highest input voltage at 10, 50 and 100 % load with\n"
     "the opto-coupler's least and greatest current transfer ratio; each line gives the\n"
     "stage's mode and switching frequency, the crossover, the phase and gain margins and the\n"
     "warnings. The design file holds the same loop. The models are described in\n"
     ".I docs/loop.md\nof the sources."},
    {"--loop-crossover", "HERTZ", "HERTZ", kBoth, true,
     "design the proposed compensator of the feedback loop for a crossover at HERTZ (0, "
     "the default: a tenth of the lowest switching frequency, less where a right-half-plane "
     "zero asks for it)",
     "It counts for every design regulated through the opto-coupler, in the design file,\n"
     "the design report, the tables of\n.B \\-\\-loop\nand the overview's tab Loop, where it can "
     "be\n"
     "set again. A value that is not a number from 0 to 1000000 is a bad command line\n"
     "(status 2)."},
    {"--efficiency-map", "FILE", "FILE.csv", kBoth, true,
     "keep the efficiency over line and load in FILE as CSV, rewritten after every "
     "calculation",
     "A line per input voltage and load (10 to 100 % of the output power, and no load) with\n"
     "the input power, the efficiency, the controller's mode and every loss in W; in script\n"
     "mode a table of it goes to standard error. The models are described in\n"
     ".I docs/efficiency.md\nof the sources."},
    {"--external-power-supply", "", "", kBoth, true,
     "check the design against the rules for external power supplies (DoE Level VI, EU "
     "2019/1782, CoC Tier 2); without, their verdicts are a reference only",
     "The verdicts stand in the design file under efficiency_map.rules and, in script mode,\n"
     "in the table on standard error. The rules are cited in\n.I docs/efficiency.md\n"
     "of the sources."},
    {"--help", "", "", kBoth, false, "show this help", ""},
    {"--version", "", "", kBoth, false, "show the version", ""},
});

struct ExitStatusText {
  int status;
  std::string_view help;
  std::string_view man_more;  // troff
};

constexpr auto kExitStatuses = std::to_array<ExitStatusText>({
    {kEndedByUser, "the user ended the dialogue (an empty answer, Abbrechen, the end of input)",
     ""},
    {kInputOutputFailure,
     "an input or output failed (standard input, the transcript, the record file, the design "
     "file, the parts list, the netlist or the design report)",
     "For example a standard input that cannot be read (a folder, a closed or failing\n"
     "stream), a full disk, a closed standard output, a terminal that cannot be read any\n"
     "more, or a screenshot that cannot be saved. One line on standard error names the\n"
     "stream and the reason; report files already written keep their contents."},
    {kUnusableStart,
     "a bad command line, or an environment the program cannot run in (no display and no "
     "terminal, a file named on the command line that cannot be used)",
     "For example an unknown option, an option without its\n.IR file ,\n"
     "a terminal that cannot show a full-screen page, no display for\n.B \\-\\-gui\nor\n"
     ".BR flyback-gui ,\nor a resume, record or answer file that cannot be used."},
});

unsigned Bit(Program program) {
  return program == Program::kFlyback ? kFlybackOnly : kWindowOnly;
}

std::string_view NameOf(Program program) {
  return program == Program::kFlyback ? "flyback" : "flyback-gui";
}

// Appends `words` (each kept whole) separated by blanks, in lines of at most
// kHelpWidth columns: the first goes on after `used` columns already in
// `out`, the others are indented by `indent` blanks.
void AppendWords(std::string& out, std::size_t used, std::size_t indent,
                 const std::vector<std::string>& words) {
  std::size_t column = used;
  bool line_empty = true;
  for (const std::string& word : words) {
    if (!line_empty && column + 1 + word.size() > kHelpWidth) {
      out += '\n';
      out.append(indent, ' ');
      column = indent;
      line_empty = true;
    }
    if (!line_empty) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    line_empty = false;
  }
  out += '\n';
}

// The same with the words of a text, broken at its blanks.
void AppendWrapped(std::string& out, std::size_t used, std::size_t indent, std::string_view text) {
  std::vector<std::string> words;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find(' '), text.size());
    words.emplace_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  AppendWords(out, used, indent, words);
}

// The switches of one program only (the front-end to run) stand together as
// alternatives in the usage line; a switch of both programs stands on its
// own.
bool IsFrontEndChoice(const OptionText& option) {
  return option.argument.empty() && option.programs != kBoth;
}

std::string UsageLine(Program program) {
  std::string usage = "Usage: " + std::string(NameOf(program));
  std::string switches;
  std::vector<std::string> words;
  for (const OptionText& option : kOptions) {
    if ((option.programs & Bit(program)) == 0 || !option.in_synopsis) continue;
    if (IsFrontEndChoice(option)) {
      switches += (switches.empty() ? "" : " | ") + std::string(option.name);
    } else if (option.argument.empty()) {
      words.push_back("[" + std::string(option.name) + "]");
    } else {
      words.push_back("[" + std::string(option.name) + " " + std::string(option.synopsis_argument) +
                      "]");
    }
  }
  if (!switches.empty()) words.insert(words.begin(), "[" + switches + "]");
  usage += ' ';
  AppendWords(usage, usage.size(), usage.size(), words);
  return usage;
}

std::string OptionLines(Program program) {
  std::string lines;
  for (const OptionText& option : kOptions) {
    if ((option.programs & Bit(program)) == 0) continue;
    std::string head = "  " + std::string(option.name);
    if (!option.argument.empty()) head += " " + std::string(option.argument);
    // A head as wide as the column gets a line of its own.
    if (head.size() >= kOptionColumn) {
      lines += head + '\n';
      head.clear();
    }
    head.resize(kOptionColumn, ' ');
    lines += head;
    AppendWrapped(lines, head.size(), kOptionColumn, option.help);
  }
  return lines;
}

std::string ExitStatusLines() {
  std::string text = "Exit status:";
  std::string statuses;
  for (const ExitStatusText& exit : kExitStatuses) {
    if (!statuses.empty()) statuses += "; ";
    statuses += std::to_string(exit.status) + " " + std::string(exit.help);
  }
  text += ' ';
  AppendWrapped(text, text.size(), 0, statuses + ".");
  return text;
}

// Plain text as troff: a minus is "\-" (a hyphen otherwise), FILE the
// italic argument.
std::string Troff(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, kFile.size()) == kFile) {
      out += "\\fI" + std::string(kManFile) + "\\fP";
      i += kFile.size() - 1;
    } else if (text[i] == '-') {
      out += "\\-";
    } else if (text[i] == '\\') {
      out += "\\e";
    } else {
      out += text[i];
    }
  }
  return out;
}

// The option's argument as the man page writes it, in small letters: "file".
std::string ManArgument(const OptionText& option) {
  std::string argument(option.argument);
  for (char& c : argument) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return argument;
}

// The help text as the man page's first sentence: a capital and a full stop.
std::string Sentence(std::string_view help) {
  std::string sentence = Troff(help);
  if (!sentence.empty() && sentence[0] >= 'a' && sentence[0] <= 'z') sentence[0] -= 'a' - 'A';
  return sentence + ".";
}

std::string ManSynopsisOf(Program program) {
  const std::string name(NameOf(program));
  std::string switches;
  std::string text = ".B " + name + "\n";
  for (const OptionText& option : kOptions) {
    if ((option.programs & Bit(program)) == 0 || !option.in_synopsis) continue;
    if (IsFrontEndChoice(option)) {
      if (!switches.empty()) switches += " \" | \" ";
      switches += Troff(option.name);
    } else if (option.argument.empty()) {
      text += ".RB [ " + Troff(option.name) + " ]\n";
    } else {
      std::string argument(option.synopsis_argument);
      argument.replace(0, option.argument.size(), ManArgument(option));
      text += ".RB [ " + Troff(option.name) + "\n.IR " + argument + " ]\n";
    }
  }
  if (!switches.empty()) text.insert(text.find('\n') + 1, ".RB [ " + switches + " ]\n");
  return text + ".br\n.B " + name + "\n.BR \\-\\-help \" | \" \\-\\-version\n";
}

}  // namespace

std::string HelpText(Program program) {
  std::string text = UsageLine(program);
  text += program == Program::kFlyback
              ? "Design calculator for flyback switched-mode power supplies.\n\n"
              : "Design calculator for flyback switched-mode power supplies, desktop window.\n\n";
  text += OptionLines(program);
  text += '\n';
  if (program == Program::kFlyback) {
    AppendWrapped(text, 0, 0,
                  "Without an option the window opens when a display is available, and the "
                  "dialogue runs in the terminal otherwise. The window and the terminal keep "
                  "the answers of the running session in last-session.txt (and those of the "
                  "session before in previous-session.txt) in $XDG_STATE_HOME/flyback, by "
                  "default ~/.local/state/flyback. Report files are written under the names "
                  "typed, relative to the working directory.");
  } else {
    AppendWrapped(text, 0, 0,
                  "The answers of the running session are kept in last-session.txt (and those "
                  "of the session before in previous-session.txt) in $XDG_STATE_HOME/flyback, "
                  "by default ~/.local/state/flyback.");
  }
  text += '\n' + ExitStatusLines();
  if (program == Program::kWindow) {
    text +=
        "\n"
        "For automated runs and screenshots:\n"
        "  FLYBACK_GUI_ANSWERS=FILE     press Start and answer the questions from\n"
        "                               FILE as 'flyback --script' reads them (an\n"
        "                               empty line takes the default, the end of\n"
        "                               the file cancels); existing report files\n"
        "                               are replaced without asking\n"
        "  FLYBACK_GUI_SCREENSHOT=PNG   save the screen as PNG at the question that\n"
        "                               cancels\n";
  }
  return text;
}

std::string ManPageSynopsis() {
  return ".SH SYNOPSIS\n" + ManSynopsisOf(Program::kFlyback) + ".br\n" +
         ManSynopsisOf(Program::kWindow);
}

std::string ManPageOptions() {
  std::string text = ".SH OPTIONS\n";
  for (const OptionText& option : kOptions) {
    text += ".TP\n";
    text += option.argument.empty()
                ? ".B " + Troff(option.name) + "\n"
                : ".BI " + Troff(option.name) + " \" " + ManArgument(option) + "\"\n";
    if (option.programs != kBoth) {
      text += "(" +
              std::string(
                  NameOf(option.programs == kFlybackOnly ? Program::kFlyback : Program::kWindow)) +
              " only) ";
    }
    text += Sentence(option.help) + "\n";
    if (!option.man_more.empty()) text += std::string(option.man_more) + "\n";
  }
  return text;
}

std::string ManPageExitStatus() {
  std::string text = ".SH EXIT STATUS\n";
  for (const ExitStatusText& exit : kExitStatuses) {
    text += ".TP\n.B " + std::to_string(exit.status) + "\n" + Sentence(exit.help) + "\n";
    if (!exit.man_more.empty()) text += std::string(exit.man_more) + "\n";
  }
  return text;
}

}  // namespace flyback
