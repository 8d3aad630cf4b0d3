#include "stage_tool/whole_field_solver.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "stage_tool/click_model.h"
#include "stage_tool/mod5_system.h"
#include "stage_tool/sparse_plan_search.h"

namespace kaleidra::stage_tool {

namespace {

constexpr std::int64_t fewClickSearchLongest = 40;      // longer plans are beyond an exact search
constexpr std::size_t packingCount = 12;                // lower bounds of the exact search
constexpr std::size_t refinedChoices = 5;               // the best pattern and colour pairs refined

using Times = std::vector<std::uint8_t>;

std::int64_t clickCount(const Times& times) {
    std::int64_t total = 0;
    for (const std::uint8_t t : times) total += t;
    return total;
}

// Exact search for plans of few clicks. Cells are settled in stage order: each position is decided
// at the first cell it covers, so once a cell's positions are all decided its need must be met.
class FewClickSearch {
public:
    FewClickSearch(const ClickModel& model, const std::vector<std::uint8_t>& need, std::int64_t nodes)
        : model_(model), need_(need), nodes_(nodes), times_(model.positions.size(), 0), decidedAt_(model.cells.size()) {
        for (std::size_t position = 0; position < model.covers.size(); ++position)
            decidedAt_[static_cast<std::size_t>(model.covers[position].front())].push_back(position);
        for (const std::uint8_t n : need_) needSum_ += n;
        buildPackings();
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

    // Sets of cells that no one position covers two of: the clicks still to come add up to at
    // least the needs of such a set, since each cell takes its need or five more.
    void buildPackings() {
        const std::size_t cells = need_.size();
        std::vector<std::vector<std::size_t>> coveredBy(cells);
        for (std::size_t position = 0; position < model_.covers.size(); ++position)
            for (const std::int32_t cell : model_.covers[position]) coveredBy[static_cast<std::size_t>(cell)].push_back(position);
        packingsOf_.assign(cells, {});
        const std::size_t count = std::min(packingCount, cells);
        for (std::size_t packing = 0; packing < count; ++packing) {
            std::vector<bool> blocked(cells, false);
            std::int64_t sum = 0;
            for (std::size_t step = 0; step < cells; ++step) {
                const std::size_t cell = (packing * cells / count + step) % cells;
                if (blocked[cell]) continue;
                packingsOf_[cell].push_back(packing);
                sum += need_[cell];
                for (const std::size_t position : coveredBy[cell])
                    for (const std::int32_t other : model_.covers[position]) blocked[static_cast<std::size_t>(other)] = true;
            }
            packingSums_.push_back(sum);
        }
    }

    // Applies the clicks (five change nothing, so 5 - t more undo t) and says whether the rest
    // could still be met within `remaining` clicks.
    bool click(std::size_t position, std::uint8_t times, std::int64_t remaining) {
        if (++steps_ > nodes_) outOfSteps_ = true;
        for (const std::int32_t cell : model_.covers[position]) {
            std::uint8_t& need = need_[static_cast<std::size_t>(cell)];
            const std::uint8_t before = need;
            need = static_cast<std::uint8_t>((need + 5 - times) % 5);
            needSum_ += need - before;
            for (const std::size_t packing : packingsOf_[static_cast<std::size_t>(cell)])
                packingSums_[packing] += need - before;
        }
        times_[position] = static_cast<std::uint8_t>((times_[position] + times) % 5);
        if (outOfSteps_ || needSum_ > remaining * model_.largestCover) return false;
        return std::all_of(packingSums_.begin(), packingSums_.end(), [&](std::int64_t sum) { return sum <= remaining; });
    }

    const ClickModel& model_;
    std::vector<std::uint8_t> need_;
    std::int64_t nodes_;
    Times times_;
    std::vector<std::vector<std::size_t>> decidedAt_;
    std::int64_t needSum_ = 0;
    std::vector<std::vector<std::size_t>> packingsOf_;  // per cell
    std::vector<std::int64_t> packingSums_;
    std::int64_t steps_ = 0;
    bool outOfSteps_ = false;
};

// One pattern and colour that can be gathered, with the best clicks found for it.
struct Choice {
    std::size_t model = 0;  // index into the models of the solve
    std::int32_t colour = 0;
    std::vector<std::uint8_t> need;
    Times times;
};

SystemSummary summarise(const ClickModel& model, const std::vector<std::uint8_t>& colours) {
    Mod5System system(model.cells.size(), model.positions.size(), panelColourCount);
    for (std::size_t position = 0; position < model.covers.size(); ++position)
        for (const std::int32_t cell : model.covers[position]) system.setCoefficient(static_cast<std::size_t>(cell), position, 1);
    for (std::size_t cell = 0; cell < colours.size(); ++cell)
        for (std::size_t colour = 0; colour < panelColourCount; ++colour)
            system.setRightSide(cell, colour, static_cast<std::uint8_t>((colour + 5 - colours[cell]) % 5));
    system.reduce();
    SystemSummary summary{model.pattern, model.cells.size(), model.positions.size(), system.rank(), {}};
    for (std::size_t colour = 0; colour < panelColourCount; ++colour) summary.consistent[colour] = system.consistent(colour);
    return summary;
}

}  // namespace

SolveOutcome solveWholeField(const LoadedStage& stage, const PatternTable& table, const SolveChoices& choices,
                             const SolveEffort& effort) {
    SolveOutcome outcome;
    std::vector<ClickModel> models;
    std::vector<Choice> found;
    for (const PatternType pattern : choices.patterns) {
        models.push_back(buildClickModel(stage.settings, table, pattern));
        const ClickModel& model = models.back();
        const std::vector<std::uint8_t> colours = cellColours(model, stage);
        const SystemSummary summary = summarise(model, colours);
        outcome.systems.push_back(summary);
        for (const std::int32_t colour : choices.colours) {
            if (!summary.consistent[static_cast<std::size_t>(colour)]) continue;
            Choice choice{models.size() - 1, colour, std::vector<std::uint8_t>(colours.size()), {}};
            for (std::size_t cell = 0; cell < colours.size(); ++cell)
                choice.need[cell] = static_cast<std::uint8_t>((colour + 5 - colours[cell]) % 5);
            choice.times = solveWithPivotOrder(model, choice.need, positionsByPromise(model, choice.need));
            found.push_back(std::move(choice));
        }
    }
    outcome.impossible = found.empty();
    if (found.empty()) return outcome;

    // The most promising choices get the longer search.
    std::stable_sort(found.begin(), found.end(),
                     [](const Choice& a, const Choice& b) { return clickCount(a.times) < clickCount(b.times); });
    for (std::size_t i = 0; i < found.size() && i < refinedChoices; ++i) {
        Choice& choice = found[i];
        const auto seed = static_cast<std::uint32_t>(1 + 5 * models[choice.model].pattern + choice.colour);
        choice.times = reorderedSearch(models[choice.model], choice.need, choice.times, effort.refiningRounds, seed);
    }

    std::int64_t bestCount = std::numeric_limits<std::int64_t>::max();
    bool everyChoiceSettled = true;
    for (Choice& choice : found) {
        const ClickModel& model = models[choice.model];
        const std::int64_t limit = std::min(clickCount(choice.times), bestCount);
        bool settled = false;
        if (limit <= fewClickSearchLongest) {
            FewClickSearch search(model, choice.need, effort.exactSearchNodes);
            if (auto fewer = search.search(limit)) choice.times = *fewer;
            settled = search.exhausted();
        }
        everyChoiceSettled = everyChoiceSettled && settled;
        if (clickCount(choice.times) < bestCount) {
            bestCount = clickCount(choice.times);
            outcome.plan = planFromTimes(model, choice.colour, choice.times);
            outcome.planFound = true;
        }
    }
    // No plan is shorter than none, searched or not.
    outcome.proven = outcome.planFound && (everyChoiceSettled || outcome.plan.totalClicks() == 0);
    return outcome;
}

}  // namespace kaleidra::stage_tool
