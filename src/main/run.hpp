// The run sequence: command line, acquisition, summary, calculation and
// recommendations, and the exit status of the run.
#pragma once

#include <span>
#include <string>

namespace ravitol {

// arguments: the command line after the program name. Returns the exit status.
int runProgram(std::span<const std::string> arguments);

}  // namespace ravitol
