// The report scanner on arbitrary reports and arbitrary answers at its DS
// prompt. The first byte gives the length of the answers; the report follows
// them.
#include "acquire/acquire.hpp"
#include "harness.hpp"
#include "model.hpp"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    harness::silenceStandardOutput();
    std::string_view bytes = harness::bytesOf(data, size);
    std::size_t answerSize = bytes.empty() ? 0 : std::min<std::size_t>(data[0], size - 1);
    std::string_view answers = bytes.substr(bytes.empty() ? 0 : 1, answerSize);
    std::string_view report = bytes.substr(std::min<std::size_t>(size, 1 + answerSize));
    harness::setStandardInput(answers);

    ravitol::MemoryFigures figures;
    bool ok = false;
    bool inputError = false;
    try {
        ok = ravitol::scanReport(harness::scratchFile(report), figures);
    } catch (const ravitol::IoError&) {
        inputError = true;
    }

    model::Scan expected = model::scan(report, answers);
    const std::uint32_t got[5] = {figures.nlmFootprint, figures.nlmHighWater, figures.dsFootprint,
                                  figures.physMemory, figures.uas};
    if (inputError != expected.inputError || ok != expected.ok) {
        std::abort();
    }
    for (int i = 0; i < 5; ++i) {
        if (got[i] != expected.figures[i]) {
            std::abort();
        }
    }
    return 0;
}
