// The heights a collapsing or expanding panel passes through.
#include "easypanel/PanelAnimation.h"

#include "util/Clamp32.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest height a widget can have; heights beyond it would only make the lists long.
constexpr int64_t MaxHeight = (1 << 24) - 1;

} // namespace

std::vector<int32_t> HeightSteps(int32_t from, const TAnimationPass& pass) {
    // Heights outside what a widget can have would only make the list long.
    const double target = static_cast<double>(std::clamp<int64_t>(pass.Target, 0, MaxHeight));
    double height = static_cast<double>(std::clamp<int64_t>(from, 0, MaxHeight));
    double step = pass.Step > 0 ? pass.Step : MinAnimationStep;
    const bool up = target > height;
    std::vector<int32_t> steps;
    while (up ? height < target : height > target) {
        height += up ? step : -step;
        if (up ? height > target : height < target) {
            height = target;
        }
        step *= pass.Factor;
        if (!(step >= MinAnimationStep)) {
            step = MinAnimationStep;
        }
        steps.push_back(static_cast<int32_t>(height));
    }
    return steps;
}

std::vector<TAnimationPass> CollapsePasses(int32_t current, int32_t target) {
    const int64_t c = current;
    const int64_t t = target;
    if (t >= c || c - t <= 20) {
        return {{target, 1.0, 1.0}};
    }
    // Falls, then bounces back a little ever less high.
    const int32_t bounce = Clamp32(std::max(t + 20, std::min(t + 40, (c - t) / 4)));
    std::vector<TAnimationPass> passes = {{target, 3.0, 1.098},
                                          {bounce, 3.0, 0.99},
                                          {target, 2.0, 1.098},
                                          {Clamp32(t + 5), 2.0, 0.99},
                                          {target, 1.0, 1.098}};
    if (c > 150) {
        passes.push_back({Clamp32(t + 2), 1.0, 0.99});
        passes.push_back({target, 1.0, 1.098});
    }
    return passes;
}

std::vector<TAnimationPass> ExpandPasses(int32_t current, int32_t target, int32_t collapsed) {
    const int64_t c = current;
    const int64_t t = target;
    if (t <= c || t - c <= 20) {
        return {{target, 1.0, 1.0}};
    }
    // Overshoots, falls back a little and settles.
    const auto fallBack = static_cast<int64_t>(std::trunc(static_cast<double>(t) / 100 * 80));
    return {{target, 3.0, 1.4},
            {Clamp32(std::max(t - collapsed, fallBack)), 3.0, 0.99},
            {target, 1.0, 1.098}};
}
