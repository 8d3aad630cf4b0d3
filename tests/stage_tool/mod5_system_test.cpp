#include "stage_tool/mod5_system.h"

#include <gtest/gtest.h>

#include <vector>

namespace kaleidra::stage_tool {
namespace {

using Rows = std::vector<std::vector<int>>;

Mod5System systemOf(const Rows& coefficients, const std::vector<int>& rightSide) {
    Mod5System system(coefficients.size(), coefficients.front().size(), 1);
    for (std::size_t row = 0; row < coefficients.size(); ++row) {
        for (std::size_t column = 0; column < coefficients[row].size(); ++column)
            system.setCoefficient(row, column, static_cast<std::uint8_t>(coefficients[row][column]));
        system.setRightSide(row, 0, static_cast<std::uint8_t>(rightSide[row]));
    }
    system.reduce();
    return system;
}

// A x modulo 5.
std::vector<int> times(const Rows& coefficients, const Mod5Vector& x) {
    std::vector<int> result;
    for (const auto& row : coefficients) {
        int sum = 0;
        for (std::size_t column = 0; column < row.size(); ++column) sum += row[column] * x[column];
        result.push_back(sum % 5);
    }
    return result;
}

TEST(Mod5System, SolvesAndDescribesTheSolutionSpace) {
    const struct {
        const char* label;
        Rows coefficients;
        std::vector<int> rightSide;
        bool consistent;
        std::size_t rank;
    } cases[] = {
        {"regular, needs the inverses of 2 and 4", {{2, 1}, {1, 4}}, {4, 1}, true, 2},
        {"a row that is twice another, consistent", {{1, 2, 0}, {2, 4, 0}, {0, 1, 1}}, {3, 1, 2}, true, 2},
        {"a row that is twice another, inconsistent", {{1, 2, 0}, {2, 4, 0}, {0, 1, 1}}, {3, 2, 2}, false, 2},
        {"more unknowns than equations", {{1, 1, 1, 1}}, {3}, true, 1},
        {"a zero column needs a row swap later", {{0, 1}, {0, 1}, {1, 0}}, {2, 2, 4}, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Mod5System system = systemOf(c.coefficients, c.rightSide);
        EXPECT_EQ(system.rank(), c.rank);
        EXPECT_EQ(system.consistent(0), c.consistent);
        const auto basis = system.nullSpaceBasis();
        EXPECT_EQ(basis.size(), system.unknowns() - system.rank());
        for (const Mod5Vector& vector : basis)
            EXPECT_EQ(times(c.coefficients, vector), std::vector<int>(c.coefficients.size(), 0));
        if (c.consistent) {
            EXPECT_EQ(times(c.coefficients, system.particularSolution(0)), c.rightSide);
        }
    }
}

}  // namespace
}  // namespace kaleidra::stage_tool
