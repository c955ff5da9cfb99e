// The number rules of the report scanner and of keyboard entry.
#include "acquire/acquire.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace ravitol {
namespace {

struct NumberCase {
    std::string_view line;
    bool taken;
    std::uint32_t value;
};

TEST(TakeNumber, TakesTheFirstDigitRunEndedByABlank) {
    for (NumberCase c : {
             NumberCase{"| NLM/VM Memory     :  1,048,576 bytes", true, 1048576},
             NumberCase{"12 | NLM/VM Memory     :  1,000 bytes", true, 12},
             NumberCase{"Original: 1.5 GB", true, 15},
             NumberCase{"x 7 ", true, 7},
             NumberCase{"size 2,000\t12 bytes", true, 200012},
             NumberCase{"99,999,999,999 bytes", true, 4294967295},
             NumberCase{"4294967295 ", true, 4294967295},
         }) {
        std::string_view line = c.line;
        std::uint32_t target = 0;
        EXPECT_EQ(takeNumber(line, target), c.taken) << c.line;
        EXPECT_EQ(target, c.value) << c.line;
        EXPECT_TRUE(line.starts_with(' ')) << c.line;
    }
}

TEST(TakeNumber, ANumberEndingTheLineDoesNotCountButIsKept) {
    std::string_view line = "| High Water Mark   :  2,000";
    std::uint32_t target = 5;
    EXPECT_FALSE(takeNumber(line, target));
    EXPECT_EQ(target, 2000u);
}

TEST(TakeNumber, ALineWithoutDigitsLeavesTheTargetAlone) {
    for (std::string_view text : {"", "| NLM/VM Memory     :", "no figures here "}) {
        std::string_view line = text;
        std::uint32_t target = 5;
        EXPECT_FALSE(takeNumber(line, target));
        EXPECT_EQ(target, 5u);
    }
}

TEST(DigitsToUnsigned, ReadsDecimalAndHoldsAtTheMaximum) {
    EXPECT_EQ(digitsToUnsigned(""), 0u);
    EXPECT_EQ(digitsToUnsigned("0"), 0u);
    EXPECT_EQ(digitsToUnsigned("000123"), 123u);
    EXPECT_EQ(digitsToUnsigned("4294967295"), 4294967295u);
    EXPECT_EQ(digitsToUnsigned("4294967296"), 4294967295u);
    EXPECT_EQ(digitsToUnsigned("99999999999999999999999"), 4294967295u);
}

}  // namespace
}  // namespace ravitol
