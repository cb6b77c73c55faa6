#include <gtest/gtest.h>

#include "report/Rounding.h"

namespace ostrelin::report {
namespace {

TEST(Round, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        int expected;
    } cases[] = {{0.5, 0},     {1.5, 2},       {2.5, 2},  {3.5, 4},  {-0.5, 0},
                 {-1.5, -2},   {-2.5, -2},     {2.49, 2}, {2.51, 3}, {-2.51, -3},
                 {793.7, 794}, {1122.5, 1122}, {0.0, 0},  {-0.0, 0}, {1e6 + 0.5, 1000000}};
    for (const auto& c : cases) {
        EXPECT_EQ(Round(c.value), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace ostrelin::report
