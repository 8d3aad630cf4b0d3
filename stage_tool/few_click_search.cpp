#include "stage_tool/few_click_search.h"

#include <algorithm>

namespace kaleidra::stage_tool {

namespace {

constexpr std::size_t packingCount = 12;  // lower bounds of the search

}  // namespace

FewClickSearch::FewClickSearch(const ClickModel& model, const std::vector<std::uint8_t>& need, std::int64_t nodes)
    : model_(model), need_(need), nodes_(nodes), times_(model.positions.size(), 0),
      decided_(model.positions.size(), false), undecided_(model.cells.size(), 0) {
    for (std::size_t cell = 0; cell < model.coveredBy.size(); ++cell)
        undecided_[cell] = static_cast<std::int32_t>(model.coveredBy[cell].size());
    for (const std::uint8_t n : need_) needSum_ += n;
    buildPackings();
}

std::optional<std::vector<std::uint8_t>> FewClickSearch::search(std::int64_t limit) {
    for (std::size_t cell = 0; cell < need_.size(); ++cell)
        if (need_[cell] != 0 && undecided_[cell] == 0) return std::nullopt;  // no position reaches it
    fewest_ = limit;
    settleNext();
    return found_;
}

// Takes the unmet cell with the fewest undecided positions and decides them. A plan found becomes
// the one to beat, and the search goes on; every click is taken back on the way out.
void FewClickSearch::settleNext() {
    if (needSum_ == 0) {  // the undecided positions stay unclicked
        found_ = times_;
        fewest_ = spent_;
        return;
    }
    std::size_t chosen = need_.size();
    for (std::size_t cell = 0; cell < need_.size(); ++cell)
        if (need_[cell] != 0 && (chosen == need_.size() || undecided_[cell] < undecided_[chosen])) chosen = cell;
    std::vector<std::size_t> positions;
    for (const std::size_t position : model_.coveredBy[chosen])
        if (!decided_[position]) positions.push_back(position);
    decide(positions, 0, chosen);
}

void FewClickSearch::decide(const std::vector<std::size_t>& positions, std::size_t nth, std::size_t cell) {
    const std::size_t position = positions[nth];
    if (nth + 1 == positions.size()) {
        const std::uint8_t times = need_[cell];  // the last one must meet the cell's need
        if (click(position, times)) settleNext();
        unclick(position, times);
        return;
    }
    for (std::uint8_t times = 0; times < 5 && !outOfSteps_; ++times) {
        if (click(position, times)) decide(positions, nth + 1, cell);
        unclick(position, times);
    }
}

// Decides a position's clicks and says whether a plan shorter than the best so far could still
// follow: every cell left with no undecided position must be met, and the lower bounds must hold.
bool FewClickSearch::click(std::size_t position, std::uint8_t times) {
    if (++steps_ > nodes_) outOfSteps_ = true;
    bool stranded = false;
    for (const std::int32_t covered : model_.covers[position]) {
        const auto cell = static_cast<std::size_t>(covered);
        std::uint8_t& need = need_[cell];
        const std::uint8_t before = need;
        need = static_cast<std::uint8_t>((need + 5 - times) % 5);
        needSum_ += need - before;
        for (const std::size_t packing : packingsOf_[cell]) packingSums_[packing] += need - before;
        if (--undecided_[cell] == 0 && need != 0) stranded = true;
    }
    decided_[position] = true;
    times_[position] = times;
    spent_ += times;
    const std::int64_t remaining = fewest_ - 1 - spent_;
    if (outOfSteps_ || stranded || remaining < 0 || needSum_ > remaining * model_.largestCover) return false;
    return std::all_of(packingSums_.begin(), packingSums_.end(), [&](std::int64_t sum) { return sum <= remaining; });
}

void FewClickSearch::unclick(std::size_t position, std::uint8_t times) {
    for (const std::int32_t covered : model_.covers[position]) {
        const auto cell = static_cast<std::size_t>(covered);
        std::uint8_t& need = need_[cell];
        const std::uint8_t before = need;
        need = static_cast<std::uint8_t>((need + times) % 5);
        needSum_ += need - before;
        for (const std::size_t packing : packingsOf_[cell]) packingSums_[packing] += need - before;
        ++undecided_[cell];
    }
    decided_[position] = false;
    times_[position] = 0;
    spent_ -= times;
}

// Sets of cells that no one position covers two of: the clicks still to come add up to at least
// the needs of such a set, since each cell takes its need or five more.
void FewClickSearch::buildPackings() {
    const std::size_t cells = need_.size();
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
            for (const std::size_t position : model_.coveredBy[cell])
                for (const std::int32_t other : model_.covers[position]) blocked[static_cast<std::size_t>(other)] = true;
        }
        packingSums_.push_back(sum);
    }
}

}  // namespace kaleidra::stage_tool
