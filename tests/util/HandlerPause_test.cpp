#include "util/HandlerPause.h"

#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(HandlerPause, SilencesTheHandlerForTheScopeAndRestoresItAlsoOnAnException) {
    int calls = 0;
    std::function<void()> handler = [&calls] { ++calls; };
    try {
        const HandlerPause pause(handler);
        EXPECT_FALSE(handler);
        throw std::runtime_error("leaves the scope");
    } catch (const std::runtime_error&) {
    }
    handler();
    EXPECT_EQ(calls, 1);
}

} // namespace
