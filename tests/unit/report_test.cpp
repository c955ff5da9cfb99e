// The grouped number form of the figures summary.
#include "report/report.hpp"

#include <gtest/gtest.h>

namespace ravitol {
namespace {

TEST(FormatGrouped, GroupsThousandsRightAlignedInFourteen) {
    struct Row {
        std::uint32_t n;
        const char* text;
    };
    for (Row row : {Row{0, "             0"}, Row{999, "           999"},
                    Row{1000, "         1,000"}, Row{1048576, "     1,048,576"},
                    Row{100000, "       100,000"}, Row{4294967295, " 4,294,967,295"}}) {
        EXPECT_EQ(formatGrouped(row.n), row.text);
    }
}

}  // namespace
}  // namespace ravitol
