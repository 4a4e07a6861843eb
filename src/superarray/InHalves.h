#pragma once

#include <cstddef>
#include <future>
#include <system_error>

// Calls work(begin, end) for the two halves of 0..count-1, the second half on a second thread,
// when a tall table pays for the thread and one can be had; else once for the whole on this
// one. Returns where the second half begins (count when nothing was shared). The two calls
// must touch different data.
template <typename Work>
std::size_t InHalves(std::size_t count, Work work) {
    // A thread takes some tens of microseconds to start, the time of a few hundred rows'
    // texts, leads or cells; shorter tables are done fast enough on one.
    constexpr std::size_t SharedFrom = 8192;
    const std::size_t half = count / 2;
    std::future<void> second;
    if (count >= SharedFrom) {
        try {
            second = std::async(std::launch::async, [&work, half, count] { work(half, count); });
        } catch (const std::system_error&) {
            // No thread to spare: this one does it all.
        }
    }
    if (!second.valid()) {
        work(0, count);
        return count;
    }
    // Should this half throw, the future waits for the other before the work goes away.
    work(0, half);
    second.get();
    return half;
}
