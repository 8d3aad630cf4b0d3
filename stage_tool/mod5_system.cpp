#include "stage_tool/mod5_system.h"

#include <array>
#include <utility>

namespace kaleidra::stage_tool {

namespace {

constexpr std::array<std::uint8_t, 5> inverse{0, 1, 3, 2, 4};

std::uint8_t negated(std::uint8_t value) { return static_cast<std::uint8_t>((5 - value) % 5); }

}  // namespace

Mod5System::Mod5System(std::size_t equations, std::size_t unknowns, std::size_t rightSides)
    : equations_(equations),
      unknowns_(unknowns),
      width_(unknowns + rightSides),
      entries_(equations * (unknowns + rightSides), 0) {}

void Mod5System::setCoefficient(std::size_t equation, std::size_t unknown, std::uint8_t value) {
    at(equation, unknown) = static_cast<std::uint8_t>(value % 5);
}

void Mod5System::setRightSide(std::size_t equation, std::size_t side, std::uint8_t value) {
    at(equation, unknowns_ + side) = static_cast<std::uint8_t>(value % 5);
}

void Mod5System::reduce() {
    pivots_.clear();
    std::size_t row = 0;
    for (std::size_t column = 0; column < unknowns_ && row < equations_; ++column) {
        std::size_t found = row;
        while (found < equations_ && at(found, column) == 0) ++found;
        if (found == equations_) continue;
        if (found != row)
            for (std::size_t c = 0; c < width_; ++c) std::swap(at(found, c), at(row, c));
        const std::uint8_t scale = inverse[at(row, column)];
        for (std::size_t c = column; c < width_; ++c) at(row, c) = static_cast<std::uint8_t>(at(row, c) * scale % 5);
        for (std::size_t other = 0; other < equations_; ++other) {
            const std::uint8_t factor = at(other, column);
            if (other == row || factor == 0) continue;
            const std::uint8_t minus = negated(factor);
            for (std::size_t c = column; c < width_; ++c)
                at(other, c) = static_cast<std::uint8_t>((at(other, c) + minus * at(row, c)) % 5);
        }
        pivots_.push_back(column);
        ++row;
    }
}

bool Mod5System::consistent(std::size_t side) const {
    for (std::size_t row = pivots_.size(); row < equations_; ++row)
        if (at(row, unknowns_ + side) != 0) return false;
    return true;
}

Mod5Vector Mod5System::particularSolution(std::size_t side) const {
    Mod5Vector solution(unknowns_, 0);
    for (std::size_t row = 0; row < pivots_.size(); ++row) solution[pivots_[row]] = at(row, unknowns_ + side);
    return solution;
}

std::vector<Mod5Vector> Mod5System::nullSpaceBasis() const {
    std::vector<bool> isPivot(unknowns_, false);
    for (const std::size_t pivot : pivots_) isPivot[pivot] = true;
    std::vector<Mod5Vector> basis;
    for (std::size_t free = 0; free < unknowns_; ++free) {
        if (isPivot[free]) continue;
        Mod5Vector vector(unknowns_, 0);
        vector[free] = 1;
        for (std::size_t row = 0; row < pivots_.size(); ++row) vector[pivots_[row]] = negated(at(row, free));
        basis.push_back(std::move(vector));
    }
    return basis;
}

}  // namespace kaleidra::stage_tool
