#include "stage_tool/sparse_plan_search.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <random>

#include "stage_tool/click_beliefs.h"
#include "stage_tool/mod5_system.h"

namespace kaleidra::stage_tool {

namespace {

using Times = std::vector<std::uint8_t>;

constexpr int beliefStarts = 20;      // solves from the order of belief, shaken
constexpr double beliefNoise = 0.3;  // how far a shaken belief may move

// How well a position's covered cells agree on one nonzero step, bigger covers breaking ties.
double shapeAgreement(const std::vector<std::int32_t>& cover, const std::vector<std::uint8_t>& need) {
    std::int32_t bySteps[5] = {};
    for (const std::int32_t cell : cover) ++bySteps[need[static_cast<std::size_t>(cell)]];
    const std::int32_t most = *std::max_element(bySteps + 1, bySteps + 5);
    return static_cast<double>(most) / static_cast<double>(cover.size()) + 0.01 * static_cast<double>(cover.size());
}

std::vector<std::size_t> sortedBy(const std::vector<double>& key) {
    std::vector<std::size_t> order(key.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key[a] > key[b]; });
    return order;
}

using Move = std::vector<std::pair<std::size_t, std::uint8_t>>;  // (unknown, value) of a null-space vector

// Steepest descent: the single move of this basis that saves most clicks, while one does.
void descend(Times& ordered, const std::vector<Move>& moves) {
    while (true) {
        std::int64_t bestChange = 0;
        std::size_t bestMove = 0;
        std::uint8_t bestMultiple = 0;
        for (std::size_t move = 0; move < moves.size(); ++move) {
            for (std::uint8_t multiple = 1; multiple < 5; ++multiple) {
                std::int64_t change = 0;
                for (const auto& [j, value] : moves[move]) change += (ordered[j] + multiple * value) % 5 - ordered[j];
                if (change < bestChange) {
                    bestChange = change;
                    bestMove = move;
                    bestMultiple = multiple;
                }
            }
        }
        if (bestChange == 0) break;
        for (const auto& [j, value] : moves[bestMove])
            ordered[j] = static_cast<std::uint8_t>((ordered[j] + bestMultiple * value) % 5);
    }
}

// Makes the first pair of moves that saves clicks together, where neither alone does; false when
// no pair saves any.
bool pairDescent(Times& ordered, const std::vector<Move>& moves) {
    Times afterFirst = ordered;
    for (std::size_t first = 0; first < moves.size(); ++first) {
        for (std::uint8_t firstMultiple = 1; firstMultiple < 5; ++firstMultiple) {
            std::int64_t firstChange = 0;
            for (const auto& [j, value] : moves[first]) {
                afterFirst[j] = static_cast<std::uint8_t>((ordered[j] + firstMultiple * value) % 5);
                firstChange += afterFirst[j] - ordered[j];
            }
            for (std::size_t second = first + 1; second < moves.size(); ++second) {
                for (std::uint8_t multiple = 1; multiple < 5; ++multiple) {
                    std::int64_t change = firstChange;
                    for (const auto& [j, value] : moves[second]) change += (afterFirst[j] + multiple * value) % 5 - afterFirst[j];
                    if (change >= 0) continue;
                    for (const auto& [j, value] : moves[second])
                        afterFirst[j] = static_cast<std::uint8_t>((afterFirst[j] + multiple * value) % 5);
                    ordered = afterFirst;
                    return true;
                }
            }
            for (const auto& [j, value] : moves[first]) afterFirst[j] = ordered[j];
        }
    }
    return false;
}

}  // namespace

std::vector<std::size_t> positionsByPromise(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                           std::uint32_t seed) {
    const std::size_t positions = model.positions.size();
    std::vector<double> promise(positions);
    for (std::size_t position = 0; position < positions; ++position)
        promise[position] = shapeAgreement(model.covers[position], need);

    // Peeling: the click that leaves most cells at their need, again and again while one helps;
    // the earlier taken, the more trusted. A click changes the gains of the positions that share
    // a cell with it only.
    std::vector<std::uint8_t> left = need;
    const auto gainOf = [&](std::size_t position, std::uint8_t times) {
        std::int32_t gain = 0;
        for (const std::int32_t cell : model.covers[position]) {
            const std::uint8_t now = left[static_cast<std::size_t>(cell)];
            gain += (now != 0) - ((now + 5 - times) % 5 != 0);
        }
        return gain;
    };
    std::vector<std::array<std::int32_t, 5>> gains(positions);
    for (std::size_t position = 0; position < positions; ++position)
        for (std::uint8_t times = 1; times < 5; ++times) gains[position][times] = gainOf(position, times);

    std::mt19937 random(seed);
    double rank = static_cast<double>(positions) + 2;
    std::vector<bool> taken(positions, false);
    while (true) {
        std::int32_t bestGain = 0;
        std::size_t bestPosition = 0;
        std::uint8_t bestTimes = 0;
        for (std::size_t position = 0; position < positions; ++position) {
            for (std::uint8_t times = 1; times < 5; ++times) {
                const std::int32_t gain = gains[position][times];
                // With a seed, an equal gain sometimes wins, so that each seed peels its own way.
                const bool tieTaken = seed != 0 && gain == bestGain && gain > 0 && random() % 3 == 0;
                if (gain > bestGain || tieTaken) {
                    bestGain = gain;
                    bestPosition = position;
                    bestTimes = times;
                }
            }
        }
        if (bestGain == 0) break;
        for (const std::int32_t cell : model.covers[bestPosition]) {
            std::uint8_t& now = left[static_cast<std::size_t>(cell)];
            now = static_cast<std::uint8_t>((now + 5 - bestTimes) % 5);
        }
        for (const std::int32_t cell : model.covers[bestPosition])
            for (const std::size_t neighbour : model.coveredBy[static_cast<std::size_t>(cell)])
                for (std::uint8_t times = 1; times < 5; ++times) gains[neighbour][times] = gainOf(neighbour, times);
        if (!taken[bestPosition]) promise[bestPosition] += rank--;
        taken[bestPosition] = true;
    }
    return sortedBy(promise);
}

std::vector<std::uint8_t> solveWithPivotOrder(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                              const std::vector<std::size_t>& order, Descent descent) {
    const std::size_t positions = model.positions.size();
    // Unknown j is position order[j], so elimination takes pivots in that order.
    Mod5System system(model.cells.size(), positions, 1);
    for (std::size_t j = 0; j < positions; ++j)
        for (const std::int32_t cell : model.covers[order[j]]) system.setCoefficient(static_cast<std::size_t>(cell), j, 1);
    for (std::size_t cell = 0; cell < need.size(); ++cell) system.setRightSide(cell, 0, need[cell]);
    system.reduce();
    if (!system.consistent(0)) return {};

    Times ordered = system.particularSolution(0);
    std::vector<Move> moves;
    for (const Mod5Vector& vector : system.nullSpaceBasis()) {
        Move entries;
        for (std::size_t j = 0; j < vector.size(); ++j)
            if (vector[j] != 0) entries.push_back({j, vector[j]});
        moves.push_back(std::move(entries));
    }
    descend(ordered, moves);
    if (descent == Descent::pairsToo)
        while (pairDescent(ordered, moves)) descend(ordered, moves);
    Times times(positions, 0);
    for (std::size_t j = 0; j < positions; ++j) times[order[j]] = ordered[j];
    return times;
}

std::vector<std::uint8_t> refinedSolution(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                          std::vector<std::uint8_t> times, const RefiningEffort& effort,
                                          std::uint32_t seed) {
    // Another start must be shorter to be taken; a trusted re-solve may also move sideways.
    const auto keepIfShorter = [&](Times trial) {
        if (!trial.empty() && clickCount(trial) < clickCount(times)) times = std::move(trial);
    };
    const auto keepIfNoLonger = [&](Times trial) {
        if (!trial.empty() && clickCount(trial) <= clickCount(times)) times = std::move(trial);
    };

    // How much each position looks like a click: by belief propagation, which reads overlapping
    // clicks better than the peeling does, or else by how well its shape fits.
    std::vector<double> likeness(model.positions.size());
    if (effort.beliefRounds > 0) {
        likeness = clickBeliefs(model, need, effort.beliefRounds);
        keepIfShorter(solveWithPivotOrder(model, need, sortedBy(likeness), Descent::singleMoves));
        // Where the beliefs are unsure, slightly different orders leave other positions unclicked.
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> noise(0.0, beliefNoise);
        for (int start = 0; start < beliefStarts; ++start) {
            std::vector<double> shaken = likeness;
            for (double& belief : shaken) belief += noise(random);
            keepIfShorter(solveWithPivotOrder(model, need, sortedBy(shaken), Descent::singleMoves));
        }
    } else {
        for (std::size_t position = 0; position < likeness.size(); ++position)
            likeness[position] = shapeAgreement(model.covers[position], need);
    }
    for (int peeling = 1; peeling <= effort.peelings; ++peeling) {
        const auto peelingSeed = static_cast<std::uint32_t>(seed * 1000 + static_cast<std::uint32_t>(peeling));
        keepIfShorter(solveWithPivotOrder(model, need, positionsByPromise(model, need, peelingSeed), Descent::singleMoves));
    }

    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(0.0, 0.6);
    // The clicked positions first, then those most like clicks, give or take `noiseScale`.
    const auto trustOrder = [&](double noiseScale) {
        std::vector<double> trust(likeness.size());
        for (std::size_t position = 0; position < trust.size(); ++position)
            trust[position] = (times[position] != 0 ? 1.0 : 0.0) + 0.5 * likeness[position] + noiseScale * noise(random);
        return sortedBy(trust);
    };
    for (int round = 0; round < effort.rounds; ++round)
        keepIfNoLonger(solveWithPivotOrder(model, need, trustOrder(1.0), Descent::singleMoves));
    // Pairs of moves once, in the basis of the clicks found last.
    keepIfNoLonger(solveWithPivotOrder(model, need, trustOrder(0.0), Descent::pairsToo));
    return times;
}

}  // namespace kaleidra::stage_tool
