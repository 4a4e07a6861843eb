#include "superarray/SecondThread.h"
#include "superarray/SharedWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// How often work(begin, end) reached each index of 0..count-1.
template <typename Share>
std::vector<int> CallsPerIndex(std::size_t count, Share share) {
    std::vector<std::atomic<int>> calls(count);
    share(count, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            ++calls[i];
        }
    });
    return {calls.begin(), calls.end()};
}

bool EachOnce(const std::vector<int>& calls) {
    return std::all_of(calls.begin(), calls.end(), [](int n) { return n == 1; });
}

} // namespace

// Every index is worked on once, on one thread or two, in parts or halves, also when the work
// shares work of its own (it then finds the second thread busy and does it alone).
TEST(SharedWork, EveryIndexOnce) {
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, SharedFrom - 1, SharedFrom,
                                    SharedFrom + 1, std::size_t{50001}}) {
        SCOPED_TRACE(count);
        EXPECT_TRUE(
            EachOnce(CallsPerIndex(count, [](std::size_t n, auto work) { InParts(n, work); })));
        std::size_t half = 0;
        EXPECT_TRUE(EachOnce(
            CallsPerIndex(count, [&](std::size_t n, auto work) { half = InHalves(n, work); })));
        EXPECT_EQ(half, count < SharedFrom ? count : count / 2);
        std::atomic<bool> nestedOnce = true;
        InParts(count, [&](std::size_t, std::size_t) {
            nestedOnce =
                nestedOnce && EachOnce(CallsPerIndex(
                                  SharedFrom, [](std::size_t n, auto work) { InParts(n, work); }));
        });
        EXPECT_TRUE(nestedOnce);
    }
}

// The second thread really is another, also after it has gone to sleep, and takes one job at a
// time.
TEST(SharedWork, SecondThreadRunsBesideThisOne) {
    SecondThread& second = SecondThread::Get();
    for (const int idleMs : {0, 20}) {
        std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
        std::thread::id there;
        bool nestedHere = true;
        bool nestedThere = true;
        EXPECT_TRUE(second.RunBoth(
            [&] {
                there = std::this_thread::get_id();
                nestedThere = second.RunBoth([] {}, [] {});
            },
            [&] { nestedHere = second.RunBoth([] {}, [] {}); }));
        EXPECT_NE(there, std::this_thread::get_id());
        EXPECT_FALSE(nestedHere);
        EXPECT_FALSE(nestedThere);
    }
}

// What either side throws reaches the caller; when this side throws, the other is told to stop
// before it is waited for; the thread takes work again afterwards.
TEST(SharedWork, ThrownErrorsReachTheCaller) {
    SecondThread& second = SecondThread::Get();
    EXPECT_THROW(second.RunBoth([] { throw std::runtime_error("there"); }, [] {}),
                 std::runtime_error);
    std::atomic<bool> stopped = false;
    const auto waitForStop = [&] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!stopped && std::chrono::steady_clock::now() < until) {
            std::this_thread::yield();
        }
    };
    EXPECT_THROW(
        second.RunBoth(
            waitForStop, [] { throw std::runtime_error("here"); }, [&] { stopped = true; }),
        std::runtime_error);
    EXPECT_TRUE(stopped);
    EXPECT_THROW(InParts(SharedFrom * 2,
                         [](std::size_t begin, std::size_t) {
                             if (begin == 0) {
                                 throw std::runtime_error("first part");
                             }
                         }),
                 std::runtime_error);
    EXPECT_TRUE(
        EachOnce(CallsPerIndex(SharedFrom, [](std::size_t n, auto work) { InParts(n, work); })));
}
