// Times solve on random default fields (9x16, any pattern, any colour) at 70, 85 and 100 %, with
// the plans' lengths.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/stage.h"
#include "stage_tool/field_rules.h"
#include "stage_tool/partial_solver.h"
#include "stage_tool/plan_replay.h"
#include "stage_tool/whole_field_solver.h"

namespace {

using namespace kaleidra;
using namespace kaleidra::stage_tool;

constexpr int stagesPerRun = 10;

void timeSolves(int percentage, const PatternTable& table) {
    const SolveChoices choices{{TypeA, TypeB, TypeC, TypeD, TypeE, TypeF, TypeG}, {Red, Yellow, Green, LightBlue, Purple}};
    std::vector<double> milliseconds;
    std::vector<std::int64_t> clicks;
    int proven = 0;
    int verified = 0;
    for (int seed = 1; seed <= stagesPerRun; ++seed) {
        LoadedStage stage;
        stage.settings = settingsFor(FieldSize{9, 16}, percentage);
        layoutCells(stage.field);
        StageRandom random(static_cast<std::uint32_t>(seed));
        generateRandomStage(stage.field, stage.state, stage.settings, random);

        const auto start = std::chrono::steady_clock::now();
        const SolveOutcome outcome = percentage == 100 ? solveWholeField(stage, table, choices)
                                                       : solveForTarget(stage, table, choices);
        const auto stop = std::chrono::steady_clock::now();
        milliseconds.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        if (!outcome.planFound) continue;
        clicks.push_back(outcome.plan.totalClicks());
        proven += outcome.proven;
        const ReplayResult replay = replayPlan(stage, table, outcome.plan);
        verified += replay.completed &&
                    replay.colourCounts[static_cast<std::size_t>(outcome.plan.colour)] >= stage.settings.clearTarget;
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::sort(clicks.begin(), clicks.end());
    std::printf("9x16, any pattern, %3d %%: %d random stages, solve time min %.1f ms, median %.1f ms, max %.1f ms; "
                "%zu plans, median %lld clicks, %d proven shortest, %d verified by replay\n",
                percentage, stagesPerRun, milliseconds.front(), milliseconds[milliseconds.size() / 2],
                milliseconds.back(), clicks.size(),
                clicks.empty() ? 0ll : static_cast<long long>(clicks[clicks.size() / 2]), proven, verified);
}

}  // namespace

int main() {
    PatternTable table{};
    initPatternTable(table);
    for (const int percentage : {70, 85, 100}) timeSolves(percentage, table);
    return 0;
}
