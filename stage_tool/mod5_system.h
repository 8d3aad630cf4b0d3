#pragma once
// Linear equations over the integers modulo 5, reduced once for several right-hand sides.

#include <cstdint>
#include <vector>

namespace kaleidra::stage_tool {

using Mod5Vector = std::vector<std::uint8_t>;  // entries 0..4

class Mod5System {
public:
    Mod5System(std::size_t equations, std::size_t unknowns, std::size_t rightSides);

    void setCoefficient(std::size_t equation, std::size_t unknown, std::uint8_t value);
    void setRightSide(std::size_t equation, std::size_t side, std::uint8_t value);

    // Gaussian elimination to reduced row echelon form, pivots taken in unknown order.
    void reduce();

    std::size_t rank() const { return pivots_.size(); }
    std::size_t unknowns() const { return unknowns_; }
    // Whether right side `side` has a solution: no equation reduced to 0 = nonzero.
    bool consistent(std::size_t side) const;
    // The solution with every free unknown 0 (only for a consistent side).
    Mod5Vector particularSolution(std::size_t side) const;
    // One vector per free unknown: 1 there, and what the pivots must do to keep every equation.
    std::vector<Mod5Vector> nullSpaceBasis() const;

private:
    std::uint8_t& at(std::size_t row, std::size_t column) { return entries_[row * width_ + column]; }
    std::uint8_t at(std::size_t row, std::size_t column) const { return entries_[row * width_ + column]; }

    std::size_t equations_;
    std::size_t unknowns_;
    std::size_t width_;
    std::vector<std::uint8_t> entries_;
    std::vector<std::size_t> pivots_;  // the pivot unknown of each reduced row
};

}  // namespace kaleidra::stage_tool
