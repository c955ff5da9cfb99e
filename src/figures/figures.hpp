// The one record of the server's figures that every stage of a run reads and
// writes, with the size constants and the labels the figures go by.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace ravitol {

inline constexpr std::uint32_t MB = 1048576;
inline constexpr std::uint32_t SIXTEEN_MB = 16777216;
inline constexpr std::uint32_t GB = 1073741824;

struct MemoryFigures {
    // Acquired from the report or the keyboard, in bytes.
    std::uint32_t physMemory = 0;
    std::uint32_t nlmFootprint = 0;
    std::uint32_t nlmHighWater = 0;
    std::uint32_t uas = 0;
    std::uint32_t dsFootprint = 0;  // after the calculation: the DS cache size

    // Derived by the calculation. The page counts are in 4096-byte pages and
    // the desired and lots counts start at their floor.
    std::uint32_t fileCacheMax = 0;
    std::uint32_t minPages = 0;
    std::uint32_t desiredPages = 524288;
    std::uint32_t lotsPages = 524288;

    bool figuresOk = false;
};

// An input figure with the label it is prompted for and shown under. Each
// label is 26 characters, so the values that follow it line up.
struct FigureLabel {
    std::string_view label;
    std::uint32_t MemoryFigures::*figure;
};

inline constexpr std::array<FigureLabel, 5> FIGURE_LABELS{{
    {"Physical memory (Bytes) : ", &MemoryFigures::physMemory},
    {"NLM Footprint   (Bytes) : ", &MemoryFigures::nlmFootprint},
    {"NLM High Water  (Bytes) : ", &MemoryFigures::nlmHighWater},
    {"UAS             (Bytes) : ", &MemoryFigures::uas},
    {"DS Foot print   (Bytes) : ", &MemoryFigures::dsFootprint},
}};

}  // namespace ravitol
