#include "view/digit_split.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kaleidra {
namespace {

constexpr std::int32_t _ = blankSlot;

struct SplitCase {
    std::int32_t value;
    DigitSlots slots;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.value; }

class DigitSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DigitSplitTest, LeadingSlotsBlankInnerZerosDrawn) {
    EXPECT_EQ(DigitSplit(GetParam().value), GetParam().slots);
}

INSTANTIATE_TEST_SUITE_P(Values, DigitSplitTest,
                         ::testing::Values(SplitCase{0, {_, _, _, 0}}, SplitCase{7, {_, _, _, 7}},
                                           SplitCase{10, {_, _, 1, 0}}, SplitCase{99, {_, _, 9, 9}},
                                           SplitCase{100, {_, 1, 0, 0}},
                                           SplitCase{105, {_, 1, 0, 5}},
                                           SplitCase{1000, {1, 0, 0, 0}},
                                           SplitCase{1005, {1, 0, 0, 5}},
                                           SplitCase{1050, {1, 0, 5, 0}},
                                           SplitCase{9999, {9, 9, 9, 9}},
                                           SplitCase{12345, {9, 9, 9, 9}},
                                           SplitCase{INT32_MAX, {9, 9, 9, 9}}));

TEST(DigitSplit, NegativeValueShowsNoDigit) {
    const DigitSlots slots = DigitSplit(-5);
    for (std::int32_t slot : slots) EXPECT_LT(slot, 0);
}

}  // namespace
}  // namespace kaleidra
