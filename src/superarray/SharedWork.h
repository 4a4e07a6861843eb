#pragma once

#include "superarray/SecondThread.h"

#include <algorithm>
#include <atomic>
#include <cstddef>

// Work on a tall table's rows shared by this thread and the program's second thread. Handing
// over costs some tens of microseconds, the time of a few hundred rows' texts, leads or cells:
// shorter tables are done on this thread alone, as is all of the work when the second thread
// is busy (when the work itself runs on it, say).
inline constexpr std::size_t SharedFrom = 8192;

// Calls work(begin, end) for the two halves of 0..count-1, the second half on the second
// thread, or once for the whole. Returns where the second half begins (count when nothing was
// shared). The two calls must touch different data.
template <typename Work>
std::size_t InHalves(std::size_t count, Work work) {
    const std::size_t half = count / 2;
    if (count < SharedFrom ||
        !SecondThread::Get().RunBoth([&] { work(half, count); }, [&] { work(0, half); })) {
        work(0, count);
        return count;
    }
    return half;
}

// Calls work(begin, end) for parts of 0..count-1 that the two threads take in turn, each as it
// comes free, so that a thread that starts late or runs slower takes fewer of them; or once for
// the whole. This thread takes parts from the start and the second from the end: rows that a
// thread wrote are in its own processor's cache when the next work on the same rows is shared
// the same way (reading the other's rows made that thread three to five times slower). The
// calls must touch different data.
template <typename Work>
void InParts(std::size_t count, Work work) {
    constexpr std::size_t PartSize = 1024;
    const std::size_t parts = (count + PartSize - 1) / PartSize;
    std::atomic<std::size_t> taken{0};
    const auto takeParts = [&](bool fromEnd) {
        for (std::size_t mine = 0; taken.fetch_add(1) < parts; ++mine) {
            const std::size_t part = fromEnd ? parts - 1 - mine : mine;
            work(part * PartSize, std::min(part * PartSize + PartSize, count));
        }
    };
    if (count < SharedFrom ||
        !SecondThread::Get().RunBoth([&] { takeParts(true); }, [&] { takeParts(false); },
                                     [&] { taken = parts; })) {
        work(0, count);
    }
}
