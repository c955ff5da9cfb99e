// Keyboard entry of the figures and the report scanner. The scanner makes one
// forward pass over the report: five searches in a fixed order, each picking
// up at the line after the one where the last succeeded.
#include "acquire.hpp"

#include "textio/textio.hpp"

#include <array>

namespace ravitol {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Figures hold at 4294967295 rather than wrapping: a wrapped figure would
// describe a far smaller server and the advice would be plainly wrong.
std::uint32_t appendDigit(std::uint32_t value, char digit) {
    std::uint64_t next = std::uint64_t{value} * 10 + static_cast<std::uint64_t>(digit - '0');
    return next > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(next);
}

std::string readFigure() {
    std::string_view line = keyboard().readLine();
    if (line.empty()) {
        return "0";
    }
    std::string digits;
    for (char c : line) {
        if (isDigit(c)) {
            digits += c;
        }
    }
    return digits;
}

constexpr std::string_view OPEN_FAILED = "Could not open inputfile: ";
constexpr std::string_view DS_PROMPT = "DS FootPrint : ";
constexpr std::string_view SUMMARY_KEY = "Logical Memory Summary Information";
constexpr std::string_view DS_KEY = " DS.NLM";

struct Search {
    std::string_view key;
    std::uint32_t MemoryFigures::*figure;
    std::string_view progress;
    bool progressWhenMissing;
    bool dsRule;  // the DS.NLM line or the keyboard, not the plain number rule
    std::string_view figureName;
};

// The keys must stand in the report in this order, each exactly as written.
constexpr std::array<Search, 5> SEARCHES{{
    {"| NLM/VM Memory     :", &MemoryFigures::nlmFootprint, " NLM Memory = ", true, false,
     "NLM footprint"},
    {"| High Water Mark   :", &MemoryFigures::nlmHighWater, " NLMHWM Memory = ", true, false,
     "NLM high water mark"},
    {DS_KEY, &MemoryFigures::dsFootprint, "DS Memory = ", true, true, "DS footprint"},
    {"Original:", &MemoryFigures::physMemory, "Phys Memory = ", false, false, "physical memory"},
    {"User Space High Water Mark", &MemoryFigures::uas, "UAS Memory = ", false, false,
     "user address space"},
}};

class ReportScanner {
public:
    explicit ReportScanner(const std::string& name) : name_(name) {}

    bool openReport() { return reader_.openFile(name_); }
    void closeReport() { reader_.close(); }
    const std::string& whyNotOpened() const { return reader_.whyNotOpened(); }

    bool findKeyValue(std::string_view key, std::uint32_t& target) {
        std::array keys{LineKey(key)};
        bool found = false;
        while (!found && !reader_.atEnd()) {
            reader_.skipLinesWithout(keys);
            std::string_view line = reader_.readLine();
            if (line.find(key) != std::string_view::npos) {
                found = takeNumber(line, target);
            }
        }
        return found;
    }

    bool findDsFootprint(std::uint32_t& target) {
        std::array keys{LineKey(SUMMARY_KEY), LineKey(DS_KEY)};
        bool found = false;
        while (!found && !reader_.atEnd()) {
            reader_.skipLinesWithout(keys);
            std::string_view line = reader_.readLine();
            if (line.find(SUMMARY_KEY) != std::string_view::npos) {
                // The report has reached its memory summary without a DS.NLM
                // line to read the footprint from: ask for it.
                console().write(DS_PROMPT);
                console().flush();
                target = keyboard().readUnsignedToken();
                found = true;
            } else if (line.find(DS_KEY) != std::string_view::npos) {
                found = takeDsNumber(line, target);
            }
        }
        return found;
    }

private:
    // The module's size is the number written just before the word ending
    // in "ytes" ("Bytes", "bytes"), not the first number of the line.
    static bool takeDsNumber(std::string_view line, std::uint32_t& target) {
        std::string_view text = line.substr(0, line.find('\0'));
        std::size_t y = text.find("ytes");
        if (y == std::string_view::npos) {
            return false;
        }
        std::size_t start = y;  // one past the character looked at
        while (start > 0 && !isDigit(line[start - 1])) {
            --start;
        }
        if (start == 0) {
            return false;
        }
        while (start > 0 && (isDigit(line[start - 1]) || line[start - 1] == ',')) {
            --start;
        }
        // The run may begin with commas; the number rule skips them and
        // takes the digits that follow.
        std::string_view run = line.substr(start);
        return takeNumber(run, target);
    }

    std::string name_;
    TextReader reader_;
};

std::string describeSearch(const Search& search) {
    std::string text = "no \"" + std::string(search.key) + "\" line with a number";
    if (search.dsRule) {
        text += " before \"ytes\", nor a \"" + std::string(SUMMARY_KEY) + "\" line";
    }
    return text + " (" + std::string(search.figureName) + ")";
}

}  // namespace

bool takeNumber(std::string_view& line, std::uint32_t& target) {
    while (!line.empty() && !isDigit(line.front())) {
        line.remove_prefix(1);
    }
    if (line.empty()) {
        return false;
    }
    target = static_cast<std::uint32_t>(line.front() - '0');
    for (;;) {
        line.remove_prefix(1);
        if (line.empty()) {
            // A number that runs to the end of its line may go on in a part
            // of the line that was cut off; it does not count.
            return false;
        }
        char c = line.front();
        // Only a blank ends a number, so thousands separators and even a
        // tab are passed over.
        if (c == ' ') {
            return true;
        }
        if (isDigit(c)) {
            target = appendDigit(target, c);
        }
    }
}

std::uint32_t digitsToUnsigned(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        value = appendDigit(value, c);
    }
    return value;
}

void enterFiguresInteractively(MemoryFigures& figures) {
    for (const FigureLabel& entry : FIGURE_LABELS) {
        console().write(entry.label);
        console().flush();
        figures.*entry.figure = digitsToUnsigned(readFigure());
    }
}

bool scanReport(const std::string& name, MemoryFigures& figures) {
    const std::string shownName = name.empty() ? "standard input" : name;
    ReportScanner scanner(name);
    if (!scanner.openReport()) {
        console().write(OPEN_FAILED);
        console().write(name);
        console().writeLine();
        reportError(shownName + ": cannot open: " + scanner.whyNotOpened());
        scanner.closeReport();
        return false;
    }
    bool allFound = true;
    for (const Search& search : SEARCHES) {
        std::uint32_t& target = figures.*search.figure;
        bool found = search.dsRule ? scanner.findDsFootprint(target)
                                   : scanner.findKeyValue(search.key, target);
        if (found || search.progressWhenMissing) {
            console().write(search.progress);
            console().writeUnsigned(target);
            console().writeLine();
        }
        if (!found) {
            reportError(shownName + ": " + describeSearch(search));
            allFound = false;
            break;
        }
    }
    scanner.closeReport();
    return allFound;
}

}  // namespace ravitol
