#include "stage_tool/partial_solver.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <optional>
#include <random>

#include "stage_tool/click_model.h"
#include "stage_tool/whole_field_solver.h"

namespace kaleidra::stage_tool {

namespace {

constexpr int greedyStarts = 6;
constexpr std::int64_t exactSearchNodes = 50'000;  // per pattern and colour
constexpr std::int64_t tradeTrials = 200'000;      // per shortening
// The whole-field plan is only a start here.
constexpr SolveEffort wholeFieldEffort{
    .peelings = 0, .refiningRounds = 4, .beliefRounds = 0, .exactSearchNodes = 50'000, .sweepStates = 0};

using Times = std::vector<std::uint8_t>;

// A field under trial clicks, counting the cells of the colour being gathered.
class TrialField {
public:
    TrialField(const ClickModel& model, const std::vector<std::uint8_t>& colours, std::int32_t gathered)
        : model_(model), colours_(colours), times_(model.positions.size(), 0), gathered_(gathered) {
        count_ = std::count(colours_.begin(), colours_.end(), static_cast<std::uint8_t>(gathered));
    }

    // `times` more clicks at a position, 0..4; 5 - t more undo t.
    void click(std::size_t position, std::uint8_t times) {
        for (const std::int32_t cell : model_.covers[position]) {
            std::uint8_t& colour = colours_[static_cast<std::size_t>(cell)];
            count_ -= colour == gathered_;
            colour = static_cast<std::uint8_t>((colour + times) % 5);
            count_ += colour == gathered_;
        }
        times_[position] = static_cast<std::uint8_t>((times_[position] + times) % 5);
    }
    void undo(std::size_t position, std::uint8_t times) { click(position, static_cast<std::uint8_t>((5 - times) % 5)); }

    // How one more click at a position changes the count, and (second) how much closer it brings
    // the covered cells to the colour, nearer ones weighing more.
    std::pair<std::int64_t, std::int64_t> gain(std::size_t position) const {
        static constexpr std::int64_t closeness[5] = {0, 8, 4, 2, 1};  // by steps still to go
        std::int64_t countGain = 0;
        std::int64_t closenessGain = 0;
        for (const std::int32_t cell : model_.covers[position]) {
            const std::uint8_t colour = colours_[static_cast<std::size_t>(cell)];
            const auto stepsNow = static_cast<std::size_t>((gathered_ + 5 - colour) % 5);
            const std::size_t stepsAfter = (stepsNow + 4) % 5;
            countGain += (stepsAfter == 0) - (stepsNow == 0);
            closenessGain += closeness[stepsAfter] - closeness[stepsNow];
        }
        return {countGain, closenessGain};
    }

    std::int64_t count() const { return count_; }
    const Times& times() const { return times_; }
    std::int64_t clicks() const { return clickCount(times_); }

private:
    const ClickModel& model_;
    std::vector<std::uint8_t> colours_;
    Times times_;
    std::int32_t gathered_;
    std::int64_t count_ = 0;
};

// Adds the click that gains most until the target is met; ties go to a random one. It gives up at
// `clickLimit` clicks, where it could no longer beat a plan in hand.
bool greedyFill(TrialField& field, std::int64_t target, std::size_t positionCount, std::int64_t clickLimit,
                std::mt19937& random) {
    std::vector<std::size_t> order(positionCount);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const std::size_t stepLimit =
        std::min<std::size_t>(4 * positionCount + 16, static_cast<std::size_t>(std::max<std::int64_t>(0, clickLimit)));
    for (std::size_t step = 0; step < stepLimit && field.count() < target; ++step) {
        std::shuffle(order.begin(), order.end(), random);
        std::size_t best = order.front();
        auto bestGain = field.gain(best);
        for (const std::size_t position : order) {
            const auto gain = field.gain(position);
            if (gain > bestGain) {
                best = position;
                bestGain = gain;
            }
        }
        field.click(best, 1);
    }
    return field.count() >= target;
}

// Drops single clicks, then trades two clicks for one, while the target stays met. Trades are
// tried a limited number of times: on a plan of hundreds of clicks they would take seconds.
void shorten(TrialField& field, std::int64_t target, std::size_t positionCount) {
    std::int64_t tradesLeft = tradeTrials;
    bool changed = true;
    while (changed) {
        changed = false;
        for (std::size_t position = 0; position < positionCount; ++position) {
            while (field.times()[position] > 0) {
                field.undo(position, 1);
                if (field.count() >= target) {
                    changed = true;
                    continue;
                }
                field.click(position, 1);
                break;
            }
        }
        for (std::size_t first = 0; first < positionCount && !changed && tradesLeft > 0; ++first) {
            for (std::size_t second = first; second < positionCount && !changed; ++second) {
                if (field.times()[first] == 0 || field.times()[second] == 0) continue;
                if (first == second && field.times()[first] < 2) continue;
                field.undo(first, 1);
                field.undo(second, 1);
                for (std::size_t added = 0; added < positionCount && !changed && tradesLeft > 0; ++added) {
                    if (added == first || added == second) continue;
                    --tradesLeft;
                    field.click(added, 1);
                    if (field.count() >= target) changed = true;
                    else field.undo(added, 1);
                }
                if (!changed) {
                    field.click(first, 1);
                    field.click(second, 1);
                }
            }
        }
    }
}

// Every plan of exactly `clicks` clicks, as positions in rising order, until one meets the target.
class ExactSearch {
public:
    ExactSearch(TrialField& field, const ClickModel& model, std::int64_t target)
        : field_(field), model_(model), target_(target) {}

    bool search(std::size_t from, std::int64_t clicks) {
        if (field_.count() >= target_) return true;
        if (clicks == 0 || field_.count() + clicks * model_.largestCover < target_) return false;
        for (std::size_t position = from; position < model_.positions.size(); ++position) {
            if (++steps_ > exactSearchNodes) {
                outOfSteps_ = true;
                return false;
            }
            if (field_.times()[position] == 4) continue;
            field_.click(position, 1);
            if (search(position, clicks - 1)) return true;
            field_.undo(position, 1);
            if (outOfSteps_) return false;
        }
        return false;
    }
    bool outOfSteps() const { return outOfSteps_; }

private:
    TrialField& field_;
    const ClickModel& model_;
    std::int64_t target_;
    std::int64_t steps_ = 0;
    bool outOfSteps_ = false;
};

// The whole-field plan of one pattern and colour as clicks per model position, if there is one.
std::optional<Times> wholeFieldTimes(const LoadedStage& stage, const PatternTable& table, const ClickModel& model,
                                     std::int32_t colour) {
    const SolveOutcome whole = solveWholeField(stage, table, SolveChoices{{model.pattern}, {colour}}, wholeFieldEffort);
    if (!whole.planFound) return std::nullopt;
    Times times(model.positions.size(), 0);
    for (const Click& click : whole.plan.clicks) {
        const auto found = std::find_if(model.positions.begin(), model.positions.end(), [&](const LatticePosition& p) {
            return p.col == click.cursor.col && p.row == click.cursor.row;
        });
        if (found == model.positions.end()) return std::nullopt;
        times[static_cast<std::size_t>(found - model.positions.begin())] = static_cast<std::uint8_t>(click.times);
    }
    return times;
}

}  // namespace

SolveOutcome solveForTarget(const LoadedStage& stage, const PatternTable& table, const SolveChoices& choices) {
    SolveOutcome outcome;
    const std::int64_t target = stage.settings.clearTarget;
    if (choices.patterns.empty()) return outcome;
    for (const std::int32_t colour : choices.colours) {
        if (stage.state.colourCounts[static_cast<std::size_t>(colour)] >= target) {
            outcome.planFound = outcome.proven = true;
            outcome.plan = ClickPlan{choices.patterns.front(), colour, {}};
            return outcome;
        }
    }

    std::int64_t bestCount = std::numeric_limits<std::int64_t>::max();
    bool everyChoiceSettled = true;
    for (const PatternType pattern : choices.patterns) {
        const ClickModel model = buildClickModel(stage.settings, table, pattern);
        const std::vector<std::uint8_t> colours = cellColours(model, stage);
        for (const std::int32_t colour : choices.colours) {
            std::mt19937 random(static_cast<std::uint32_t>(7 * pattern + colour));
            Times best;
            // Every panel in one colour meets any lower target, so the whole-field plan, less the
            // clicks the target can spare, is a plan whenever the equations are consistent.
            if (const auto whole = wholeFieldTimes(stage, table, model, colour)) {
                TrialField field(model, colours, colour);
                for (std::size_t position = 0; position < whole->size(); ++position)
                    field.click(position, (*whole)[position]);
                if (field.count() >= target) {
                    shorten(field, target, model.positions.size());
                    best = field.times();
                }
            }
            for (int start = 0; start < greedyStarts; ++start) {
                TrialField field(model, colours, colour);
                std::int64_t clickLimit = bestCount;
                if (!best.empty()) clickLimit = std::min(clickLimit, clickCount(best));
                if (!greedyFill(field, target, model.positions.size(), clickLimit, random)) continue;
                shorten(field, target, model.positions.size());
                if (best.empty() || field.clicks() < clickCount(best))
                    best = field.times();
            }
            std::int64_t limit = bestCount;
            if (!best.empty()) limit = std::min(limit, clickCount(best));

            TrialField field(model, colours, colour);
            ExactSearch exact(field, model, target);
            const std::int64_t cover = std::max<std::int64_t>(1, model.largestCover);
            for (std::int64_t clicks = (target - field.count() + cover - 1) / cover; clicks < limit; ++clicks) {
                if (exact.search(0, clicks)) {
                    best = field.times();
                    break;
                }
                if (exact.outOfSteps()) break;
            }
            everyChoiceSettled = everyChoiceSettled && !exact.outOfSteps();
            if (best.empty()) continue;
            const std::int64_t clicks = clickCount(best);
            if (clicks < bestCount) {
                bestCount = clicks;
                outcome.plan = planFromTimes(model, colour, best);
                outcome.planFound = true;
            }
        }
    }
    // The thorough whole-field plan meets every lower target too, so no plan here is longer.
    const SolveOutcome whole = solveWholeField(stage, table, choices);
    if (whole.planFound && (!outcome.planFound || whole.plan.totalClicks() < outcome.plan.totalClicks())) {
        outcome.plan = whole.plan;
        outcome.planFound = true;
    }
    outcome.proven = outcome.planFound && everyChoiceSettled;
    return outcome;
}

}  // namespace kaleidra::stage_tool
