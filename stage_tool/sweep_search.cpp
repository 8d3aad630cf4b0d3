#include "stage_tool/sweep_search.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace kaleidra::stage_tool {

namespace {

constexpr std::size_t packingsPerStep = 24;  // lower bounds of the clicks still to come
constexpr std::size_t notReached = std::numeric_limits<std::size_t>::max();

// A mask of `width` bits at every `every`-th bit.
constexpr std::uint64_t lanes(unsigned width, unsigned every) {
    std::uint64_t mask = 0;
    for (unsigned bit = 0; bit < 64; bit += every) mask |= ((std::uint64_t{1} << width) - 1) << bit;
    return mask;
}

// The sum of the 3-bit needs (each 0..4) packed in `needs`: neighbours are added in ever wider
// lanes, and the 12-bit lanes' sum is what is left modulo 4095, as 4096 is 1 modulo 4095.
std::int64_t sumOfNeeds(std::uint64_t needs) {
    const std::uint64_t pairs = (needs & lanes(3, 6)) + ((needs >> 3) & lanes(3, 6));
    const std::uint64_t quads = (pairs & lanes(6, 12)) + ((pairs >> 6) & lanes(6, 12));
    return static_cast<std::int64_t>(quads % 4095);
}

// Cells that no later position covers two of, open ones by their place in the state: the clicks
// still to come add up to at least their needs, since each cell takes its need or five more.
struct Packing {
    std::uint64_t openCells = 0;  // the bits of the open cells' needs
    std::int64_t unreachedNeed = 0;
};

struct SweepStep {
    std::size_t position = 0;
    std::vector<unsigned> shifts;   // where the needs of the cells it covers sit in the state
    std::vector<unsigned> closing;  // those of the cells no later position covers
    std::uint64_t opened = 0;       // the needs of the cells first reached here, in place
    std::vector<Packing> packings;  // over the cells still open after this step
};

// One state after a step: the needs of the open cells, and the cheapest way there.
struct SweepNode {
    std::uint64_t needs = 0;
    std::int32_t parent = -1;  // in the states before the step
    std::uint8_t times = 0;    // the clicks at the step's position
    std::int64_t clicks = 0;
    std::int64_t promise = 0;  // clicks plus a lower bound of the clicks still to come
};

std::uint8_t needAt(std::uint64_t needs, unsigned shift) { return static_cast<std::uint8_t>((needs >> shift) & 7); }

std::int64_t clicksStillToCome(std::uint64_t needs, const std::vector<Packing>& packings) {
    std::int64_t bound = 0;
    for (const Packing& packing : packings)
        bound = std::max(bound, packing.unreachedNeed + sumOfNeeds(needs & packing.openCells));
    return bound;
}

std::vector<Packing> packingsAfter(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                   const std::vector<std::size_t>& stepOf, std::size_t step,
                                   const std::vector<std::size_t>& firstStep, const std::vector<unsigned>& shiftOf) {
    const std::size_t cells = need.size();
    const std::size_t count = std::min(packingsPerStep, cells);
    const auto later = [&](std::size_t position) { return stepOf[position] > step; };
    std::vector<Packing> packings;
    for (std::size_t n = 0; n < count; ++n) {
        std::vector<bool> blocked(cells, false);
        Packing packing;
        for (std::size_t offset = 0; offset < cells; ++offset) {
            const std::size_t cell = (n * cells / count + offset) % cells;
            const std::vector<std::size_t>& coveredBy = model.coveredBy[cell];
            if (blocked[cell] || std::none_of(coveredBy.begin(), coveredBy.end(), later)) continue;
            if (firstStep[cell] <= step)
                packing.openCells |= std::uint64_t{7} << shiftOf[cell];
            else
                packing.unreachedNeed += need[cell];
            for (const std::size_t position : coveredBy)
                if (later(position))
                    for (const std::int32_t other : model.covers[position]) blocked[static_cast<std::size_t>(other)] = true;
        }
        packings.push_back(packing);
    }
    return packings;
}

// Gives each cell a place in the state from the step that first reaches it to the step after the
// last, so that places are shared by cells open at different times.
std::vector<SweepStep> sweepSteps(const ClickModel& model, const std::vector<std::uint8_t>& need,
                                  const std::vector<std::size_t>& order) {
    const std::size_t cells = need.size();
    std::vector<std::size_t> stepOf(model.positions.size());
    std::vector<std::size_t> firstStep(cells, notReached);
    std::vector<std::size_t> lastStep(cells, 0);
    for (std::size_t step = 0; step < order.size(); ++step) {
        stepOf[order[step]] = step;
        for (const std::int32_t covered : model.covers[order[step]]) {
            const auto cell = static_cast<std::size_t>(covered);
            firstStep[cell] = std::min(firstStep[cell], step);
            lastStep[cell] = step;
        }
    }

    std::vector<unsigned> freePlaces;
    for (unsigned place = widestSweepFront; place-- > 0;) freePlaces.push_back(place);
    std::vector<unsigned> shiftOf(cells, 0);
    std::vector<SweepStep> steps(order.size());
    for (std::size_t step = 0; step < order.size(); ++step) {
        SweepStep& s = steps[step];
        s.position = order[step];
        for (const std::int32_t covered : model.covers[s.position]) {
            const auto cell = static_cast<std::size_t>(covered);
            if (firstStep[cell] == step) {
                shiftOf[cell] = 3 * freePlaces.back();
                freePlaces.pop_back();
                s.opened |= std::uint64_t{need[cell]} << shiftOf[cell];
            }
            s.shifts.push_back(shiftOf[cell]);
            if (lastStep[cell] == step) s.closing.push_back(shiftOf[cell]);
        }
        for (const unsigned shift : s.closing) freePlaces.push_back(shift / 3);
        s.packings = packingsAfter(model, need, stepOf, step, firstStep, shiftOf);
    }
    return steps;
}

// Where each state of a step sits in its list, by open addressing over the needs.
class StateIndex {
public:
    void clear(std::size_t most) {
        slots_.assign(std::bit_ceil(2 * most + 2), -1);
        shift_ = 64 - static_cast<unsigned>(std::countr_zero(slots_.size()));
    }
    // The slot holding `needs`, or the free one where it belongs.
    std::int32_t& slotOf(std::uint64_t needs, const std::vector<SweepNode>& states) {
        std::size_t slot = static_cast<std::size_t>((needs * 0x9E37'79B9'7F4A'7C15) >> shift_);
        while (slots_[slot] >= 0 && states[static_cast<std::size_t>(slots_[slot])].needs != needs)
            slot = (slot + 1) & (slots_.size() - 1);
        return slots_[slot];
    }

private:
    std::vector<std::int32_t> slots_;
    unsigned shift_ = 64;
};

// The states after one step, with the fewest clicks to each, none promising `limit` clicks or more.
std::vector<SweepNode> statesAfter(const SweepStep& step, const std::vector<SweepNode>& before, std::int64_t limit,
                                   StateIndex& index) {
    std::vector<SweepNode> after;
    index.clear(5 * before.size());
    for (std::size_t parent = 0; parent < before.size(); ++parent) {
        const std::uint64_t reached = before[parent].needs | step.opened;
        // A cell passed here is met by this position's clicks or never.
        const std::uint8_t fewest = step.closing.empty() ? 0 : needAt(reached, step.closing.front());
        const std::uint8_t most = step.closing.empty() ? 4 : fewest;
        for (std::uint8_t times = fewest; times <= most; ++times) {
            const std::int64_t clicks = before[parent].clicks + times;
            if (clicks >= limit) break;
            std::uint64_t needs = reached;
            for (const unsigned shift : step.shifts) {
                const std::uint64_t was = needAt(needs, shift);
                needs ^= (was ^ ((was + 5 - times) % 5)) << shift;
            }
            if (std::any_of(step.closing.begin(), step.closing.end(), [&](unsigned shift) { return needAt(needs, shift) != 0; }))
                continue;
            std::int32_t& slot = index.slotOf(needs, after);
            if (slot < 0) {
                slot = static_cast<std::int32_t>(after.size());
                after.push_back({needs, static_cast<std::int32_t>(parent), times, clicks,
                                 clicks + clicksStillToCome(needs, step.packings)});
            } else if (SweepNode& known = after[static_cast<std::size_t>(slot)]; clicks < known.clicks) {
                known = {needs, static_cast<std::int32_t>(parent), times, clicks, known.promise - known.clicks + clicks};
            }
        }
    }
    std::erase_if(after, [&](const SweepNode& node) { return node.promise >= limit; });
    return after;
}

// Each next position opens the fewest new cells, given those already open, then passes the most.
std::vector<std::size_t> greedyOrder(const ClickModel& model) {
    std::vector<std::size_t> unswept(model.cells.size());  // per cell, positions not yet swept
    for (std::size_t cell = 0; cell < unswept.size(); ++cell) unswept[cell] = model.coveredBy[cell].size();
    std::vector<bool> swept(model.positions.size(), false);
    std::vector<std::size_t> order;
    while (order.size() < model.positions.size()) {
        std::size_t best = 0;
        std::int64_t bestScore = std::numeric_limits<std::int64_t>::max();
        for (std::size_t position = 0; position < model.positions.size(); ++position) {
            if (swept[position]) continue;
            std::int64_t score = 0;
            for (const std::int32_t covered : model.covers[position]) {
                const auto cell = static_cast<std::size_t>(covered);
                if (unswept[cell] == model.coveredBy[cell].size()) score += 64;
                if (unswept[cell] == 1) score -= 1;
            }
            if (score < bestScore) {
                bestScore = score;
                best = position;
            }
        }
        swept[best] = true;
        order.push_back(best);
        for (const std::int32_t cell : model.covers[best]) --unswept[static_cast<std::size_t>(cell)];
    }
    return order;
}

// Positions by where the middle of their cover lies along a direction (cells by row and column).
std::vector<std::size_t> orderAlong(const ClickModel& model, std::int32_t perRow, std::int32_t perColumn) {
    std::vector<std::int64_t> place(model.positions.size(), 0);
    for (std::size_t position = 0; position < model.positions.size(); ++position) {
        for (const std::int32_t cell : model.covers[position]) {
            const LatticePosition& at = model.cells[static_cast<std::size_t>(cell)];
            place[position] += perRow * at.row + perColumn * at.col;
        }
        // The mean over the cover, kept whole by a multiple of every cover size.
        place[position] = place[position] * 5040 / static_cast<std::int64_t>(std::max<std::size_t>(1, model.covers[position].size()));
    }
    std::vector<std::size_t> order(model.positions.size());
    for (std::size_t position = 0; position < order.size(); ++position) order[position] = position;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return place[a] < place[b]; });
    return order;
}

}  // namespace

std::vector<std::size_t> sweepOrder(const ClickModel& model) {
    std::vector<std::size_t> best = greedyOrder(model);
    std::size_t bestFront = sweepFront(model, best);
    // Rows, columns and the two diagonals, each broken by the other coordinate.
    for (const auto& [perRow, perColumn] : {std::pair{64, 1}, std::pair{1, 64}, std::pair{64, 65}, std::pair{64, -63}}) {
        std::vector<std::size_t> order = orderAlong(model, perRow, perColumn);
        const std::size_t front = sweepFront(model, order);
        if (front < bestFront) {
            best = std::move(order);
            bestFront = front;
        }
    }
    return best;
}

std::size_t sweepFront(const ClickModel& model, const std::vector<std::size_t>& order) {
    std::vector<std::size_t> unswept(model.cells.size());
    for (std::size_t cell = 0; cell < unswept.size(); ++cell) unswept[cell] = model.coveredBy[cell].size();
    std::vector<bool> reached(model.cells.size(), false);
    std::size_t open = 0;
    std::size_t widest = 0;
    for (const std::size_t position : order) {
        for (const std::int32_t cell : model.covers[position])
            if (!reached[static_cast<std::size_t>(cell)]) {
                reached[static_cast<std::size_t>(cell)] = true;
                ++open;
            }
        widest = std::max(widest, open);
        for (const std::int32_t cell : model.covers[position])
            if (--unswept[static_cast<std::size_t>(cell)] == 0) --open;
    }
    return widest;
}

SweepOutcome sweepSearch(const ClickModel& model, const std::vector<std::uint8_t>& need,
                         const std::vector<std::size_t>& order, std::int64_t limit, std::size_t statesKept) {
    for (std::size_t cell = 0; cell < need.size(); ++cell)
        if (need[cell] != 0 && model.coveredBy[cell].empty()) return {std::nullopt, true};  // no click reaches it

    if (sweepFront(model, order) > widestSweepFront) return {std::nullopt, false};

    const std::vector<SweepStep> steps = sweepSteps(model, need, order);
    std::vector<std::vector<SweepNode>> layers{{SweepNode{}}};
    StateIndex index;
    bool dropped = false;
    for (const SweepStep& step : steps) {
        std::vector<SweepNode> after = statesAfter(step, layers.back(), limit, index);
        if (after.empty()) return {std::nullopt, !dropped};
        if (after.size() > statesKept) {
            dropped = true;
            const auto kept = after.begin() + static_cast<std::ptrdiff_t>(statesKept);
            std::nth_element(after.begin(), kept, after.end(), [](const SweepNode& a, const SweepNode& b) {
                return a.promise != b.promise ? a.promise < b.promise : a.needs < b.needs;
            });
            after.erase(kept, after.end());
        }
        layers.push_back(std::move(after));
    }
    // Every cell has been passed, so the one state left needs nothing more.
    std::vector<std::uint8_t> times(model.positions.size(), 0);
    std::int32_t node = 0;
    for (std::size_t step = steps.size(); step-- > 0;) {
        const SweepNode& at = layers[step + 1][static_cast<std::size_t>(node)];
        times[steps[step].position] = at.times;
        node = at.parent;
    }
    return {std::move(times), !dropped};
}

}  // namespace kaleidra::stage_tool
