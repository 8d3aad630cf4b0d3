#include "stage_tool/whole_field_solver.h"

#include <algorithm>
#include <limits>

#include "stage_tool/click_model.h"
#include "stage_tool/few_click_search.h"
#include "stage_tool/mod5_system.h"
#include "stage_tool/sparse_plan_search.h"
#include "stage_tool/sweep_search.h"

namespace kaleidra::stage_tool {

namespace {

constexpr std::int64_t fewClickSearchLongest = 40;      // longer plans are beyond an exact search
constexpr std::size_t refinedChoices = 5;               // the best pattern and colour pairs refined

using Times = std::vector<std::uint8_t>;

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

// Sweeps the positions in `order` and back for fewer clicks than `limit`, and says whether a sweep
// kept every state, which proves that nothing shorter exists.
bool sweepForFewerClicks(const ClickModel& model, std::vector<std::size_t> order, Choice& choice, std::int64_t limit,
                         std::int64_t states) {
    const auto statesKept = static_cast<std::size_t>(states) / model.positions.size();
    for (int direction = 0; direction < 2; ++direction) {
        SweepOutcome outcome = sweepSearch(model, choice.need, order, limit, statesKept);
        if (outcome.times) {
            choice.times = std::move(*outcome.times);
            limit = clickCount(choice.times);
        }
        if (outcome.exhaustive) return true;
        std::reverse(order.begin(), order.end());
    }
    return false;
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
            choice.times = solveWithPivotOrder(model, choice.need, positionsByPromise(model, choice.need), Descent::singleMoves);
            found.push_back(std::move(choice));
        }
    }
    outcome.impossible = found.empty();
    if (found.empty()) return outcome;

    // The most promising choices get the longer search.
    const auto byClicks = [](const Choice& a, const Choice& b) { return clickCount(a.times) < clickCount(b.times); };
    std::stable_sort(found.begin(), found.end(), byClicks);
    for (std::size_t i = 0; i < found.size() && i < refinedChoices; ++i) {
        Choice& choice = found[i];
        const auto seed = static_cast<std::uint32_t>(1 + 5 * models[choice.model].pattern + choice.colour);
        choice.times = refinedSolution(models[choice.model], choice.need, choice.times,
                                       {effort.peelings, effort.refiningRounds, effort.beliefRounds}, seed);
    }
    std::stable_sort(found.begin(), found.end(), byClicks);

    std::int64_t bestCount = std::numeric_limits<std::int64_t>::max();
    bool everyChoiceSettled = true;
    std::vector<std::vector<std::size_t>> sweepOrders(models.size());  // per model, once one is needed
    for (std::size_t i = 0; i < found.size(); ++i) {
        Choice& choice = found[i];
        const ClickModel& model = models[choice.model];
        bool settled = false;
        if (std::min(clickCount(choice.times), bestCount) <= fewClickSearchLongest) {
            if (i < refinedChoices && effort.sweepStates > 0) {
                std::vector<std::size_t>& order = sweepOrders[choice.model];
                if (order.empty()) order = sweepOrder(model);
                settled = sweepForFewerClicks(model, order, choice, std::min(clickCount(choice.times), bestCount),
                                              effort.sweepStates);
            }
            if (!settled) {
                FewClickSearch search(model, choice.need, effort.exactSearchNodes);
                if (auto fewer = search.search(std::min(clickCount(choice.times), bestCount))) choice.times = *fewer;
                settled = search.exhausted();
            }
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
