// Filling the five input figures: typed at the keyboard, or scanned from the
// server's segment statistics report.
#pragma once

#include "figures/figures.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace ravitol {

// Prompts for the five figures in label order. Never fails: whatever is
// typed yields a number.
void enterFiguresInteractively(MemoryFigures& figures);

// Reads the five figures from the report (the empty name: standard input),
// printing a progress line per figure. True only if all five were found.
bool scanReport(const std::string& name, MemoryFigures& figures);

// The number rule of the report: takes the first digit run of the line into
// target, commas, dots and the like skipped, ended only by a blank. False
// when the line has no digit or the number runs to the end of the line.
// Consumes the line up to where it stopped.
bool takeNumber(std::string_view& line, std::uint32_t& target);

// The decimal value of a string of digits, held at 4294967295.
std::uint32_t digitsToUnsigned(std::string_view digits);

}  // namespace ravitol
