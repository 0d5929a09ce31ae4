#pragma once

// Reads a file of answers as script mode reads standard input: one answer a
// line, a CR before the line end dropped (files written on Windows), an empty
// line standing for Return on the default.

#include <istream>
#include <string>
#include <vector>

namespace flyback {

// The next answer of `answers` into `answer`; false at the end of the input
// or when it cannot be read.
bool ReadAnswerLine(std::istream& answers, std::string& answer);

// The whole file, read at once. Throws SessionFailure (a bad command line)
// when it cannot be read; `what` names the file in that line ("the resume
// file").
std::vector<std::string> ReadAnswerFile(const std::string& path, const std::string& what);

}  // namespace flyback
