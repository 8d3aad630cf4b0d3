#pragma once
// An exact search for plans of few clicks that meet a need per cell (0..4) modulo 5.

#include <cstdint>
#include <optional>
#include <vector>

#include "stage_tool/click_model.h"

namespace kaleidra::stage_tool {

// Depth-first branch and bound. Each step takes the unmet cell with the fewest positions still
// undecided and decides them all, the last one so that the cell's need is met; a cell whose
// positions are all decided must have its need met already.
class FewClickSearch {
public:
    FewClickSearch(const ClickModel& model, const std::vector<std::uint8_t>& need, std::int64_t nodes);

    // The fewest clicks found below `limit`, or nothing. Once the search is exhausted, nothing
    // shorter exists.
    std::optional<std::vector<std::uint8_t>> search(std::int64_t limit);
    bool exhausted() const { return !outOfSteps_; }

private:
    void settleNext();
    void decide(const std::vector<std::size_t>& positions, std::size_t nth, std::size_t cell);
    bool click(std::size_t position, std::uint8_t times);
    void unclick(std::size_t position, std::uint8_t times);
    void buildPackings();

    const ClickModel& model_;
    std::vector<std::uint8_t> need_;
    std::int64_t nodes_;
    std::vector<std::uint8_t> times_;
    std::vector<bool> decided_;                        // per position
    std::vector<std::int32_t> undecided_;              // per cell, its positions not yet decided
    std::int64_t needSum_ = 0;
    std::vector<std::vector<std::size_t>> packingsOf_;  // per cell
    std::vector<std::int64_t> packingSums_;
    std::int64_t spent_ = 0;                           // clicks decided so far
    std::optional<std::vector<std::uint8_t>> found_;   // the best plan found
    std::int64_t fewest_ = 0;                          // its clicks, or the limit before one is found
    std::int64_t steps_ = 0;
    bool outOfSteps_ = false;
};

}  // namespace kaleidra::stage_tool
