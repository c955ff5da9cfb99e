// The run sequence and the one place where exit statuses are decided.
#include "run.hpp"

#include "acquire/acquire.hpp"
#include "calc/calc.hpp"
#include "figures/figures.hpp"
#include "report/report.hpp"
#include "textio/textio.hpp"

#include <array>
#include <exception>
#include <string_view>

namespace ravitol {

namespace {

constexpr int EXIT_DONE = 0;
constexpr int EXIT_SCAN_FAILED = 1;
constexpr int EXIT_INPUT_ERROR = 217;

constexpr std::size_t NAME_MAX_LENGTH = 255;

constexpr std::array<std::string_view, 9> USAGE{{
    "",
    "Usage:",
    "",
    "ravitol segfile | /i",
    "",
    "Where segfile is the path and file name of the segstats.txt file",
    "",
    "or use /i to enter the figure manually",
    "",
}};

// Only "/i" and "/I" select keyboard entry; the case folding is plain ASCII
// so that no locale can turn another argument into the switch.
bool isKeyboardSwitch(std::string_view argument) {
    if (argument.size() != 2) {
        return false;
    }
    char letter = argument[1];
    if (letter >= 'a' && letter <= 'z') {
        letter = static_cast<char>(letter - 'a' + 'A');
    }
    return argument[0] == '/' && letter == 'I';
}

}  // namespace

int runProgram(std::span<const std::string> arguments) {
    try {
        if (arguments.empty()) {
            for (std::string_view line : USAGE) {
                console().writeLine(line);
            }
            return EXIT_DONE;
        }
        MemoryFigures figures;
        figures.figuresOk = true;
        if (isKeyboardSwitch(arguments[0])) {
            enterFiguresInteractively(figures);
        } else {
            figures.figuresOk = scanReport(arguments[0].substr(0, NAME_MAX_LENGTH), figures);
        }
        // A failed scan has said what went wrong; a script must not take
        // the run for a success.
        if (!figures.figuresOk) {
            return EXIT_SCAN_FAILED;
        }
        showFigures(figures);
        calculateSettings(figures);
        printRecommendations(figures);
        return EXIT_DONE;
    } catch (const std::exception& error) {
        reportError(error.what());
        return EXIT_INPUT_ERROR;
    }
}

}  // namespace ravitol
