#include "stage_tool/click_beliefs.h"

#include <array>
#include <cstddef>

namespace kaleidra::stage_tool {

namespace {

using Odds = std::array<double, 5>;  // over the clicks 0..4 of one position

// Most positions of a sparse plan are not clicked; the prior says so and nothing more.
constexpr double unclickedPrior = 0.85;
// Each new cell message keeps this much of the old one, which calms the many short loops of a lattice.
constexpr double damping = 0.3;

void normalise(Odds& odds) {
    double sum = 0;
    for (const double value : odds) sum += value;
    for (double& value : odds) value /= sum;
}

// The odds of the sum modulo 5 of two independent counts.
Odds sumOf(const Odds& a, const Odds& b) {
    Odds sum{};
    for (std::size_t i = 0; i < 5; ++i)
        for (std::size_t j = 0; j < 5; ++j) sum[(i + j) % 5] += a[i] * b[j];
    return sum;
}

}  // namespace

std::vector<double> clickBeliefs(const ClickModel& model, const std::vector<std::uint8_t>& need, int rounds) {
    // One edge per covered cell of each position; messages travel both ways along it.
    std::vector<std::vector<std::size_t>> edgesOfPosition(model.positions.size());
    std::vector<std::vector<std::size_t>> edgesOfCell(model.cells.size());
    std::size_t edges = 0;
    for (std::size_t position = 0; position < model.covers.size(); ++position) {
        for (const std::int32_t cell : model.covers[position]) {
            edgesOfPosition[position].push_back(edges);
            edgesOfCell[static_cast<std::size_t>(cell)].push_back(edges);
            ++edges;
        }
    }
    Odds prior;
    prior.fill((1 - unclickedPrior) / 4);
    prior[0] = unclickedPrior;
    std::vector<Odds> toCell(edges);
    std::vector<Odds> toPosition(edges, Odds{0.2, 0.2, 0.2, 0.2, 0.2});

    // Messages are normalised and at least 1e-12, so products of a position's dozen stay in range.
    const auto product = [](const Odds& a, const Odds& b) {
        Odds odds;
        for (std::size_t clicks = 0; clicks < 5; ++clicks) odds[clicks] = a[clicks] * b[clicks];
        return odds;
    };
    std::vector<Odds> before;
    std::vector<Odds> after;
    for (int round = 0; round < rounds; ++round) {
        // A position tells each cell the prior and what the other cells said, by products from both ends.
        for (const std::vector<std::size_t>& positionEdges : edgesOfPosition) {
            const std::size_t count = positionEdges.size();
            before.assign(count + 1, prior);
            after.assign(count + 1, Odds{1, 1, 1, 1, 1});
            for (std::size_t i = 0; i < count; ++i) before[i + 1] = product(before[i], toPosition[positionEdges[i]]);
            for (std::size_t i = count; i-- > 0;) after[i] = product(after[i + 1], toPosition[positionEdges[i]]);
            for (std::size_t i = 0; i < count; ++i) {
                toCell[positionEdges[i]] = product(before[i], after[i + 1]);
                normalise(toCell[positionEdges[i]]);
            }
        }
        // A cell tells each position what the others' sum leaves for it, by sums from both ends.
        for (std::size_t cell = 0; cell < edgesOfCell.size(); ++cell) {
            const std::vector<std::size_t>& cellEdges = edgesOfCell[cell];
            const std::size_t count = cellEdges.size();
            before.assign(count + 1, Odds{1, 0, 0, 0, 0});
            after.assign(count + 1, Odds{1, 0, 0, 0, 0});
            for (std::size_t i = 0; i < count; ++i) before[i + 1] = sumOf(before[i], toCell[cellEdges[i]]);
            for (std::size_t i = count; i-- > 0;) after[i] = sumOf(after[i + 1], toCell[cellEdges[i]]);
            for (std::size_t i = 0; i < count; ++i) {
                const Odds others = sumOf(before[i], after[i + 1]);
                Odds message;
                for (std::size_t clicks = 0; clicks < 5; ++clicks)
                    message[clicks] = others[(need[cell] + 5 - clicks) % 5] + 1e-12;
                normalise(message);
                Odds& old = toPosition[cellEdges[i]];
                for (std::size_t clicks = 0; clicks < 5; ++clicks)
                    old[clicks] = damping * old[clicks] + (1 - damping) * message[clicks];
            }
        }
    }
    std::vector<double> beliefs(model.positions.size());
    for (std::size_t position = 0; position < beliefs.size(); ++position) {
        Odds odds = prior;
        for (const std::size_t edge : edgesOfPosition[position]) odds = product(odds, toPosition[edge]);
        normalise(odds);
        beliefs[position] = 1 - odds[0];
    }
    return beliefs;
}

}  // namespace kaleidra::stage_tool
