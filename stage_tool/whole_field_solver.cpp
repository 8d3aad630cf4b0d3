#include "stage_tool/whole_field_solver.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <random>

#include "stage_tool/click_model.h"
#include "stage_tool/mod5_system.h"

namespace kaleidra::stage_tool {

namespace {

constexpr std::size_t exhaustiveNullity = 8;             // at most 5^8 solutions are all tried
constexpr std::int64_t fewClickSearchNodes = 400'000;     // per pattern and colour
constexpr int descentKicks = 12;                          // restarts of the null-space descent

using Times = std::vector<std::uint8_t>;

struct SparseVector {
    std::vector<std::pair<std::size_t, std::uint8_t>> entries;
};

std::int64_t clickCount(const Times& times) {
    std::int64_t total = 0;
    for (const std::uint8_t t : times) total += t;
    return total;
}

std::vector<SparseVector> sparse(const std::vector<Mod5Vector>& basis) {
    std::vector<SparseVector> result;
    for (const Mod5Vector& vector : basis) {
        SparseVector entries;
        for (std::size_t i = 0; i < vector.size(); ++i)
            if (vector[i] != 0) entries.entries.push_back({i, vector[i]});
        result.push_back(std::move(entries));
    }
    return result;
}

// The change in clicks from adding `multiple` times a null-space vector.
std::int64_t clickChange(const Times& times, const SparseVector& move, std::uint8_t multiple) {
    std::int64_t change = 0;
    for (const auto& [index, value] : move.entries)
        change += (times[index] + multiple * value) % 5 - times[index];
    return change;
}

void addMove(Times& times, const SparseVector& move, std::uint8_t multiple) {
    for (const auto& [index, value] : move.entries)
        times[index] = static_cast<std::uint8_t>((times[index] + multiple * value) % 5);
}

// Every solution: an odometer over the basis multiples, one vector added per step.
Times fewestOverWholeSpace(Times times, const std::vector<SparseVector>& basis) {
    Times best = times;
    std::int64_t bestCount = clickCount(times);
    std::int64_t count = bestCount;
    std::vector<std::uint8_t> digits(basis.size(), 0);
    while (true) {
        std::size_t position = 0;
        while (position < digits.size()) {
            count += clickChange(times, basis[position], 1);
            addMove(times, basis[position], 1);
            digits[position] = static_cast<std::uint8_t>((digits[position] + 1) % 5);
            if (digits[position] != 0) break;
            ++position;
        }
        if (position == digits.size()) return best;
        if (count < bestCount) {
            bestCount = count;
            best = times;
        }
    }
}

// Steepest descent over single null-space moves, restarted from random kicks.
Times descendInSolutionSpace(Times times, const std::vector<SparseVector>& basis) {
    if (basis.empty()) return times;
    std::mt19937 random(14);
    auto descend = [&](Times& current) {
        while (true) {
            std::int64_t bestChange = 0;
            std::size_t bestMove = 0;
            std::uint8_t bestMultiple = 0;
            for (std::size_t move = 0; move < basis.size(); ++move) {
                for (std::uint8_t multiple = 1; multiple < 5; ++multiple) {
                    const std::int64_t change = clickChange(current, basis[move], multiple);
                    if (change < bestChange) {
                        bestChange = change;
                        bestMove = move;
                        bestMultiple = multiple;
                    }
                }
            }
            if (bestChange == 0) return;
            addMove(current, basis[bestMove], bestMultiple);
        }
    };
    descend(times);
    Times best = times;
    for (int kick = 0; kick < descentKicks; ++kick) {
        Times trial = best;
        for (int step = 0; step < 2; ++step) {
            const std::size_t move = random() % basis.size();
            addMove(trial, basis[move], static_cast<std::uint8_t>(1 + random() % 4));
        }
        descend(trial);
        if (clickCount(trial) <= clickCount(best)) best = std::move(trial);
    }
    return best;
}

// Exact search for plans of few clicks. Cells are settled in stage order: each position is decided
// at the first cell it covers, so once a cell's positions are all decided its need must be met.
class FewClickSearch {
public:
    FewClickSearch(const ClickModel& model, const std::vector<std::uint8_t>& need)
        : model_(model), need_(need), times_(model.positions.size(), 0), decidedAt_(model.cells.size()) {
        for (std::size_t position = 0; position < model.covers.size(); ++position)
            decidedAt_[static_cast<std::size_t>(model.covers[position].front())].push_back(position);
        for (const std::uint8_t n : need_) needSum_ += n;
    }

    // The fewest clicks below `limit`, or nothing when there is none or the search ran out of steps.
    std::optional<Times> search(std::int64_t limit) {
        const std::int64_t cover = std::max<std::int64_t>(1, model_.largestCover);
        for (std::int64_t clicks = (needSum_ + cover - 1) / cover; clicks < limit; ++clicks) {
            if (settle(0, clicks)) return times_;
            if (outOfSteps_) return std::nullopt;
        }
        return std::nullopt;
    }
    bool exhausted() const { return !outOfSteps_; }

private:
    bool settle(std::size_t cell, std::int64_t budget) {
        while (cell < need_.size() && need_[cell] == 0 && decidedAt_[cell].empty()) ++cell;
        if (cell == need_.size()) return true;
        if (decidedAt_[cell].empty()) return false;
        return decide(cell, 0, budget);
    }

    bool decide(std::size_t cell, std::size_t nth, std::int64_t budget) {
        const std::vector<std::size_t>& positions = decidedAt_[cell];
        const std::size_t position = positions[nth];
        if (nth + 1 == positions.size()) {
            const std::uint8_t times = need_[cell];  // the last one must meet the cell's need
            if (times > budget) return false;
            if (click(position, times, budget - times) && settle(cell + 1, budget - times)) return true;
            click(position, static_cast<std::uint8_t>((5 - times) % 5), budget);
            return false;
        }
        for (std::uint8_t times = 0; times <= std::min<std::int64_t>(4, budget); ++times) {
            if (click(position, times, budget - times) && decide(cell, nth + 1, budget - times)) return true;
            click(position, static_cast<std::uint8_t>((5 - times) % 5), budget);
            if (outOfSteps_) return false;
        }
        return false;
    }

    // Applies the clicks (five change nothing, so 5 - t more undo t) and says whether the rest
    // could still be met within `remaining` clicks.
    bool click(std::size_t position, std::uint8_t times, std::int64_t remaining) {
        if (++steps_ > fewClickSearchNodes) outOfSteps_ = true;
        for (const std::int32_t cell : model_.covers[position]) {
            std::uint8_t& need = need_[static_cast<std::size_t>(cell)];
            needSum_ -= need;
            need = static_cast<std::uint8_t>((need + 5 - times) % 5);
            needSum_ += need;
        }
        times_[position] = static_cast<std::uint8_t>((times_[position] + times) % 5);
        return !outOfSteps_ && needSum_ <= remaining * model_.largestCover;
    }

    const ClickModel& model_;
    std::vector<std::uint8_t> need_;
    Times times_;
    std::vector<std::vector<std::size_t>> decidedAt_;
    std::int64_t needSum_ = 0;
    std::int64_t steps_ = 0;
    bool outOfSteps_ = false;
};

}  // namespace

SolveOutcome solveWholeField(const LoadedStage& stage, const PatternTable& table, const SolveChoices& choices) {
    SolveOutcome outcome;
    std::int64_t bestCount = std::numeric_limits<std::int64_t>::max();
    bool everyChoiceSettled = true;
    bool anyConsistent = false;
    for (const PatternType pattern : choices.patterns) {
        const ClickModel model = buildClickModel(stage.settings, table, pattern);
        const std::vector<std::uint8_t> colours = cellColours(model, stage);
        Mod5System system(model.cells.size(), model.positions.size(), panelColourCount);
        for (std::size_t position = 0; position < model.covers.size(); ++position)
            for (const std::int32_t cell : model.covers[position])
                system.setCoefficient(static_cast<std::size_t>(cell), position, 1);
        for (std::size_t cell = 0; cell < colours.size(); ++cell)
            for (std::size_t colour = 0; colour < panelColourCount; ++colour)
                system.setRightSide(cell, colour, static_cast<std::uint8_t>((colour + 5 - colours[cell]) % 5));
        system.reduce();

        SystemSummary summary{pattern, model.cells.size(), model.positions.size(), system.rank(), {}};
        for (std::size_t colour = 0; colour < panelColourCount; ++colour)
            summary.consistent[colour] = system.consistent(colour);
        outcome.systems.push_back(summary);

        const std::vector<SparseVector> basis = sparse(system.nullSpaceBasis());
        for (const std::int32_t colour : choices.colours) {
            const auto side = static_cast<std::size_t>(colour);
            if (!summary.consistent[side]) continue;
            anyConsistent = true;
            Times times = system.particularSolution(side);
            bool settled = basis.size() <= exhaustiveNullity;
            times = settled ? fewestOverWholeSpace(times, basis) : descendInSolutionSpace(times, basis);

            if (!settled) {
                std::vector<std::uint8_t> need(colours.size());
                for (std::size_t cell = 0; cell < colours.size(); ++cell)
                    need[cell] = static_cast<std::uint8_t>((colour + 5 - colours[cell]) % 5);
                FewClickSearch search(model, need);
                const std::int64_t limit = std::min(clickCount(times), bestCount);
                if (auto fewer = search.search(limit)) times = *fewer;
                settled = search.exhausted();
            }
            everyChoiceSettled = everyChoiceSettled && settled;
            if (clickCount(times) < bestCount) {
                bestCount = clickCount(times);
                outcome.plan = planFromTimes(model, colour, times);
                outcome.planFound = true;
            }
        }
    }
    outcome.impossible = !anyConsistent;
    // No plan is shorter than none, searched or not.
    outcome.proven = outcome.planFound && (everyChoiceSettled || outcome.plan.totalClicks() == 0);
    return outcome;
}

}  // namespace kaleidra::stage_tool
