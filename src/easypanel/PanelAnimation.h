#pragma once

#include <cstdint>
#include <vector>

// The heights a panel passes through while it collapses or expands, free of widgets: the
// panel manager shows each for a moment.

// One pass of a height animation: towards Target, moving Step pixels first and multiplying
// the step by Factor after every move (never below MinAnimationStep).
struct TAnimationPass {
    int32_t Target = 0;
    double Step = 1.0;
    double Factor = 1.0;
};
inline constexpr double MinAnimationStep = 0.8;

// The heights of one pass from `from`, the last one the target.
std::vector<int32_t> HeightSteps(int32_t from, const TAnimationPass& pass);
// Collapsing: a fall that bounces back ever less high, or a slide for short ways.
std::vector<TAnimationPass> CollapsePasses(int32_t current, int32_t target);
// Expanding: an overshoot that falls back a little and settles, or a slide for short ways.
std::vector<TAnimationPass> ExpandPasses(int32_t current, int32_t target, int32_t collapsed);
