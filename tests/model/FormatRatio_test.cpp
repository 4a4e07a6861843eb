#include "model/FormatRatio.h"

#include <gtest/gtest.h>

TEST(FormatRatio, TakesTheFirstParenthesisAsWholeTerms) {
    const struct {
        const char* Entry;
        RatioTerms Terms;
    } cases[] = {
        {"1.33:1 (4:3)", {"4", "3"}},
        {"DVD Widescreen American (1.85:1)", {"185", "100"}},
        {"Cinerama (3.00:1)", {"300", "100"}},
        {"Vistavision (1485:991) (1.5:1)", {"1485", "991"}},
        {"Super Panavision (2.2:1)", {"22", "10"}},
        {"Academy (1.37:1)", {"137", "100"}},
        {"VCD NTSC still picture (704x480)", {"704", "480"}},
        {"MPEG-2 NTSC=1/2 D1) (352:480)", {"352", "480"}},
        {"no ratio", {"", ""}},
        {"Odd (a.b:1)", {"a.b", "1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RatioOfFormat(c.Entry), c.Terms) << c.Entry;
    }
}
