// Microbenchmarks of the reader's hot paths: cutting lines, skipping lines
// that cannot hold a key, and the report's number rule.
#include "acquire/acquire.hpp"
#include "textio/textio.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// About 16 MiB of report lines without any key, made once.
const std::string& reportFile() {
    static const std::string name = [] {
        std::string path = (std::filesystem::temp_directory_path() / "ravitol-bench.txt").string();
        std::ofstream out(path, std::ios::binary);
        for (int n = 0; n < 250000; ++n) {
            out << "  Segment " << n << "  base 0x00A0" << n % 10000
                << "  Code   1,234,567 bytes  owner SERVER.NLM\r\n"
                << "| Allocated       :   " << n * 4099 << " bytes | Freed 12 bytes |\r\n";
        }
        return path;
    }();
    return name;
}

void readEveryLine(benchmark::State& state) {
    std::int64_t bytes = 0;
    for (auto _ : state) {
        ravitol::TextReader reader;
        reader.openFile(reportFile());
        std::size_t total = 0;
        while (!reader.atEnd()) {
            total += reader.readLine().size();
        }
        benchmark::DoNotOptimize(total);
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(reportFile()));
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(readEveryLine)->Unit(benchmark::kMillisecond);

void skipToAMissingKey(benchmark::State& state) {
    std::array keys{ravitol::LineKey("| NLM/VM Memory     :")};
    std::int64_t bytes = 0;
    for (auto _ : state) {
        ravitol::TextReader reader;
        reader.openFile(reportFile());
        while (!reader.atEnd()) {
            reader.skipLinesWithout(keys);
            benchmark::DoNotOptimize(reader.readLine());
        }
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(reportFile()));
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(skipToAMissingKey)->Unit(benchmark::kMillisecond);

void takeNumber(benchmark::State& state) {
    for (auto _ : state) {
        std::string_view line = "| NLM/VM Memory     :     612,368,384 bytes                   |";
        std::uint32_t target = 0;
        benchmark::DoNotOptimize(ravitol::takeNumber(line, target));
        benchmark::DoNotOptimize(target);
    }
}
BENCHMARK(takeNumber);

}  // namespace
