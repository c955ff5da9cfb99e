// Keyboard entry of the five figures, on arbitrary bytes as standard input.
#include "acquire/acquire.hpp"
#include "harness.hpp"
#include "model.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::silenceStandardOutput();
    std::string_view bytes = harness::bytesOf(data, size);
    harness::setStandardInput(bytes);

    ravitol::MemoryFigures figures;
    ravitol::enterFiguresInteractively(figures);

    model::Keyboard keyboard{bytes};
    for (const ravitol::FigureLabel& entry : ravitol::FIGURE_LABELS) {
        std::uint32_t expected = 0;
        for (char c : keyboard.readLine()) {
            if (model::isDigit(c)) {
                expected = model::appendDigit(expected, c);
            }
        }
        if (figures.*entry.figure != expected) {
            std::abort();
        }
    }
    return 0;
}
