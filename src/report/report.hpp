// What the administrator reads: the summary of the figures and the settings
// to apply.
#pragma once

#include "figures/figures.hpp"

#include <cstdint>
#include <string>

namespace ravitol {

// Prints the five input figures under their labels, as acquired.
void showFigures(const MemoryFigures& figures);

// n grouped in thousands ("1,048,576"), right-aligned in 14 characters.
std::string formatGrouped(std::uint32_t n);

// Prints the settings to apply, or, on a machine of 2 GB or less, that no
// tuning is recommended.
void printRecommendations(const MemoryFigures& figures);

}  // namespace ravitol
