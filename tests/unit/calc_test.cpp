// The settings calculation: branches, caps, floors and the DS cache steps.
#include "calc/calc.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace ravitol {
namespace {

struct Machine {
    std::uint32_t physMemory, nlmFootprint, nlmHighWater, uas, dsFootprint;
};
struct Settings {
    std::uint32_t fileCacheMax, minPages, desiredPages, lotsPages, dsCache;
};
struct CalcCase {
    const char* name;
    Machine in;
    Settings out;
};

MemoryFigures calculated(const Machine& m) {
    MemoryFigures figures;
    figures.physMemory = m.physMemory;
    figures.nlmFootprint = m.nlmFootprint;
    figures.nlmHighWater = m.nlmHighWater;
    figures.uas = m.uas;
    figures.dsFootprint = m.dsFootprint;
    calculateSettings(figures);
    return figures;
}

class Calculation : public testing::TestWithParam<CalcCase> {};

std::string caseName(const testing::TestParamInfo<CalcCase>& param) { return param.param.name; }

TEST_P(Calculation, DerivesTheSettings) {
    const CalcCase& c = GetParam();
    MemoryFigures f = calculated(c.in);
    EXPECT_EQ(f.fileCacheMax, c.out.fileCacheMax);
    EXPECT_EQ(f.minPages, c.out.minPages);
    EXPECT_EQ(f.desiredPages, c.out.desiredPages);
    EXPECT_EQ(f.lotsPages, c.out.lotsPages);
    EXPECT_EQ(f.dsFootprint, c.out.dsCache);
    EXPECT_EQ(f.physMemory, c.in.physMemory);
    EXPECT_EQ(f.uas, c.in.uas);
}

const CalcCase MACHINES[] = {
    {"worked_3gb_first_branch",
     {3221225472, 536870912, 805306368, 1073741824, 104857600},
     {2361393152, 511180, 524288, 524288, 117440512}},
    {"worked_3840mb_second_branch",
     {4026531840, 536870912, 805306368, 1073741824, 209715200},
     {2013265920, 425984, 524288, 524288, 218103808}},
    {"largest_memory_caps_min_pages",
     {4294967295, 0, 0, 0, 0},
     {3862953984, 655360, 655360, 655360, 16777216}},
    // Just under 3250 MB the UAS is not taken off; at 3250 MB it is.
    {"just_under_3250mb_ignores_uas",
     {3407871999, 0, 0, 1073741824, 0},
     {3066036224, 655360, 655360, 655360, 16777216}},
    {"at_3250mb_subtracts_uas",
     {3407872000, 0, 0, 1073741824, 0},
     {1992294400, 486656, 524288, 524288, 16777216}},
    // Negative differences are floored at zero rather than wrapped into the
    // largest cache.
    {"footprint_over_memory_gives_no_file_cache",
     {3221225472, 2899102925 + 1048576, 0, 0, 0},
     {0, 655360, 655360, 655360, 16777216}},
    {"high_water_over_memory_gives_no_pages",
     {3221225472, 0, 2899102925 + 4096, 0, 0},
     {2898264064, 0, 524288, 524288, 16777216}},
    {"just_under_a_page_short",
     {3221225472, 0, 2899102925 + 1, 0, 0},
     {2898264064, 0, 524288, 524288, 16777216}},
    {"uas_pushes_both_below_zero",
     {4294967295, 0, 0, 4294967295, 0},
     {0, 0, 524288, 524288, 16777216}},
};

INSTANTIATE_TEST_SUITE_P(Machines, Calculation, testing::ValuesIn(MACHINES), caseName);

TEST(DsCache, RoundsUpToTheNextSixteenMegabyteStep) {
    struct Step {
        std::uint32_t footprint, cache;
    };
    for (Step s :
         {Step{0, 16777216}, Step{1, 16777216}, Step{16777215, 16777216}, Step{16777216, 33554432},
          Step{805306367, 805306368}, Step{805306368, 805306368}, Step{4294967295, 805306368}}) {
        EXPECT_EQ(calculated({3221225472, 0, 0, 0, s.footprint}).dsFootprint, s.cache)
            << "footprint " << s.footprint;
    }
}

TEST(PoolPages, StayAtTheirFloorBelowIt) {
    MemoryFigures f = calculated({2147483649, 0, 1000000000, 0, 0});
    EXPECT_EQ(f.minPages, (2147483649u - 214748364u - 1000000000u) / 4096);
    EXPECT_LT(f.minPages, 524288u);
    EXPECT_EQ(f.desiredPages, 524288u);
    EXPECT_EQ(f.lotsPages, 524288u);
}

}  // namespace
}  // namespace ravitol
