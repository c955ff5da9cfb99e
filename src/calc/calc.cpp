// The settings calculation.
#include "calc.hpp"

#include <algorithm>
#include <cstdint>

namespace ravitol {

namespace {

constexpr std::uint32_t LARGE_MACHINE = 3250 * MB;
constexpr std::uint32_t PAGE_SIZE = 4096;
constexpr std::uint32_t CACHE_STEP = 4 * MB;
constexpr std::uint32_t MAX_MIN_PAGES = 655360;
constexpr std::uint32_t DS_CACHE_CEILING = 768 * MB;

}  // namespace

void calculateSettings(MemoryFigures& figures) {
    const std::int64_t usable = figures.physMemory - figures.physMemory / 10;
    std::int64_t cacheBytes = usable - figures.nlmFootprint;
    std::int64_t poolBytes = usable - figures.nlmHighWater;
    // Only on machines of 3250 MB and more does the user address space
    // compete with the cache for what is left.
    if (figures.physMemory >= LARGE_MACHINE) {
        cacheBytes -= figures.uas;
        poolBytes -= figures.uas;
    }
    // When the modules already take more than is left there is nothing to
    // give the cache: the difference is floored at zero, not wrapped into
    // the largest possible cache.
    cacheBytes = std::max<std::int64_t>(cacheBytes, 0);
    poolBytes = std::max<std::int64_t>(poolBytes, 0);

    const auto fileCache = static_cast<std::uint32_t>(cacheBytes);
    figures.fileCacheMax = fileCache / CACHE_STEP * CACHE_STEP;
    figures.minPages = std::min(static_cast<std::uint32_t>(poolBytes / PAGE_SIZE), MAX_MIN_PAGES);
    figures.desiredPages = std::max(figures.desiredPages, figures.minPages);
    figures.lotsPages = std::max(figures.lotsPages, figures.minPages);

    // The DS cache is the footprint rounded up to the next 16 MB step
    // strictly above it, at most 768 MB.
    const std::uint32_t ds = std::min(figures.dsFootprint, DS_CACHE_CEILING - 1);
    figures.dsFootprint = (ds / SIXTEEN_MB + 1) * SIXTEEN_MB;
}

}  // namespace ravitol
