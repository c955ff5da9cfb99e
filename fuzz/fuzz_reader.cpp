// The line reader on arbitrary bytes, under the report and keyboard rules.
#include "harness.hpp"
#include "model.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = harness::bytesOf(data, size);
    const std::string& name = harness::scratchFile(bytes);

    ravitol::TextReader report;
    if (!report.openFile(name)) {
        std::abort();
    }
    for (const std::string& expected : model::reportLines(bytes)) {
        if (report.atEnd() || report.readLine() != expected) {
            std::abort();
        }
    }
    if (!report.atEnd() || !report.readLine().empty()) {
        std::abort();
    }
    report.close();

    ravitol::TextReader typed(ravitol::TextReader::Rules::keyboard);
    if (!typed.openFile(name)) {
        std::abort();
    }
    model::Keyboard keyboard{bytes};
    while (keyboard.i < bytes.size()) {
        if (typed.atEnd() || typed.readLine() != keyboard.readLine()) {
            std::abort();
        }
    }
    if (!typed.atEnd() || !typed.readLine().empty()) {
        std::abort();
    }
    return 0;
}
