#include "util/ScopedValue.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(ScopedValue, HoldsTheValueForTheScopeAndRestoresItAlsoOnAnException) {
    int calls = 0;
    std::function<void()> handler = [&calls] { ++calls; };
    bool busy = false;
    try {
        const ScopedValue pause(handler, nullptr);
        const ScopedValue raised(busy, true);
        EXPECT_FALSE(handler);
        {
            const ScopedValue nested(busy, true); // a nested job leaves the flag raised
        }
        EXPECT_TRUE(busy);
        throw std::runtime_error("leaves the scope");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(busy);
    handler();
    EXPECT_EQ(calls, 1);
}

} // namespace
