#pragma once

// What flyback and flyback-gui say about themselves: their options and exit
// statuses, kept in one table from which both --help texts and the man page's
// sections are written, so that the three never tell different stories.

#include <string>

namespace flyback {

enum class Program {
  kFlyback,  // the launcher with the terminal and script front-ends
  kWindow,   // flyback-gui
};

// The --help text of the program, in lines of at most 79 characters.
std::string HelpText(Program program);

// The man page's SYNOPSIS, OPTIONS and EXIT STATUS sections (troff, with
// their .SH lines).
std::string ManPageSynopsis();
std::string ManPageOptions();
std::string ManPageExitStatus();

}  // namespace flyback
