// The bands of a gradient strip: how many, where each starts and which colour it takes.
#include "GPanel/GradientBands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

std::vector<TGradientBand> GradientBands(const QColor& from, const QColor& to, int length) {
    std::vector<TGradientBand> bands;
    if (length < 1) {
        return bands;
    }
    const QColor a = from.toRgb();
    const QColor z = to.toRgb();
    const std::array<int64_t, 3> start{a.red(), a.green(), a.blue()};
    const std::array<int64_t, 3> delta{z.red() - start[0], z.green() - start[1],
                                       z.blue() - start[2]};
    const int64_t steps = std::max({std::abs(delta[0]), std::abs(delta[1]), std::abs(delta[2])});
    const int64_t total = length;
    int64_t size = 1;
    if (steps == 0) {
        // Equal components: every band would have the start colour, so one band suffices
        // (and the band size below would divide by zero).
        size = total;
    } else if (steps < total) {
        size = (steps + total - 1) / steps;
    }
    const int64_t count = total / size;
    const int64_t divisor = std::max<int64_t>(count, 1);
    bands.reserve(static_cast<std::size_t>(count) + 1);
    for (int64_t i = 0; i <= count; ++i) {
        std::array<int, 3> component{};
        for (std::size_t c = 0; c < 3; ++c) {
            const int64_t value = start[c] + ((delta[c] * 100 / divisor) * i) / 100;
            component[c] = static_cast<int>(((value % 256) + 256) % 256);
        }
        const int64_t bandStart = size * i;
        const int64_t bandLength = std::min(size, total - bandStart);
        bands.push_back({static_cast<int>(bandStart), static_cast<int>(bandLength),
                         QColor(component[0], component[1], component[2])});
    }
    return bands;
}
