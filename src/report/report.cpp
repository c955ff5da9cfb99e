// The figures summary and the recommendations, every text exactly as the
// administrator is to read it.
#include "report.hpp"

#include "textio/textio.hpp"

#include <array>
#include <string_view>

namespace ravitol {

namespace {

constexpr std::size_t GROUPED_WIDTH = 14;
constexpr std::uint32_t SMALL_UAS = 512 * MB;

constexpr std::string_view SUMMARY_HEADING = "Calculating settings based on following values:";
constexpr std::string_view NO_TUNING = "Physical memory is less than 2GB - no tuning recomended";

// A line of the recommendations: text, then optionally a figure and more text.
struct Line {
    constexpr Line(std::string_view lineText) : text(lineText) {}
    constexpr Line(std::string_view before, std::uint32_t MemoryFigures::*value,
                   std::string_view rest = {})
        : text(before), figure(value), after(rest) {}

    std::string_view text;
    std::uint32_t MemoryFigures::*figure = nullptr;
    std::string_view after;
};

constexpr std::array<Line, 21> RECOMMENDATIONS{{
    {""},
    {"Execute these commands on the console, then add them to the end of startup.ncf, and make "
     "sure they are not being set in autoexec.ncf."},
    {""},
    {"set auto tune server memory=off"},
    {"set file cache maximum size=", &MemoryFigures::fileCacheMax},
    {"set fs cache pool minimum pages=", &MemoryFigures::minPages},
    {"set fs cache pool desired pages=", &MemoryFigures::desiredPages},
    {"set fs cache pool lots of pages=", &MemoryFigures::lotsPages},
    {"set vm cache pool percentage=5"},
    {"set vm cache pool maximum pages percentage=5"},
    {""},
    {"Edit sys:_netware\\_ndsdb.ini - create if not existing and add these lines:"},
    {""},
    {"cache=", &MemoryFigures::dsFootprint},
    {"cacheadjustinterval=15"},
    {"cachecleanupinterval=15"},
    {"blockcachepercent=50"},
    {"preallocatecache=true"},
    {""},
    {"Edit c:\\autoexec.bat and add \"-u", &MemoryFigures::uas, "\" to the server line"},
    {""},
}};

// Printed as one line from three pieces; the double blanks are the
// program's own.
constexpr std::array<std::string_view, 3> SMALL_UAS_NOTE{{
    "Note that a -u setting less than 512MB (536870912) may cause problems starting  Java or "
    "Tomcat apps (eg iManager) at a later date.",
    " If you wish to use a larger  value for the -u setting, re-run ravtol interactively "
    "(ravitol /i) entering the figures above, but substituting ",
    "a larger value for the UAS.",
}};

}  // namespace

std::string formatGrouped(std::uint32_t n) {
    std::string digits;
    int inGroup = 0;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + n % 10));
        n /= 10;
        inGroup = (inGroup + 1) % 3;
        if (inGroup == 0 && n > 0) {
            digits.insert(digits.begin(), ',');
        }
    } while (n > 0);
    if (digits.size() < GROUPED_WIDTH) {
        digits.insert(0, GROUPED_WIDTH - digits.size(), ' ');
    }
    return digits;
}

void showFigures(const MemoryFigures& figures) {
    ConsoleWriter& out = console();
    out.writeLine();
    out.writeLine(SUMMARY_HEADING);
    out.writeLine();
    for (const FigureLabel& entry : FIGURE_LABELS) {
        out.write(entry.label);
        out.writeLine(formatGrouped(figures.*entry.figure));
    }
}

void printRecommendations(const MemoryFigures& figures) {
    ConsoleWriter& out = console();
    // Exactly 2 GB counts as too little to tune.
    if (figures.physMemory <= 2 * GB) {
        out.writeLine();
        out.writeLine(NO_TUNING);
        out.writeLine();
        return;
    }
    for (const Line& line : RECOMMENDATIONS) {
        out.write(line.text);
        if (line.figure != nullptr) {
            out.writeUnsigned(figures.*line.figure);
        }
        out.writeLine(line.after);
    }
    if (figures.uas < SMALL_UAS) {
        for (std::string_view piece : SMALL_UAS_NOTE) {
            out.write(piece);
        }
        out.writeLine();
    }
}

}  // namespace ravitol
