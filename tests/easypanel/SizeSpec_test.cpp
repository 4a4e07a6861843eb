#include "easypanel/SizeSpec.h"

#include "util/TextParse.h"

#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int32_t Int32Max = std::numeric_limits<int32_t>::max();

std::vector<int64_t> ReadSizes(std::string sizes) {
    std::vector<int64_t> result;
    while (!sizes.empty()) {
        result.push_back(std::stoll(CutComma(sizes)));
    }
    return result;
}

TEST(SizeSpec, DistributesByWeightMinimumAndMaximum) {
    struct Case {
        const char* Name;
        int32_t Total;
        std::string List;
        std::string Expected;
    };
    const Case cases[] = {
        {"equal weights, the remainder to the first", 100, "1,1,1", "34,33,33"},
        {"weights share proportionally", 100, "3,1", "75,25"},
        {"unreadable, negative and missing weights count as 0.1", 100, "x,-5,,1", "8,8,8,76"},
        {"an empty list is one item", 50, "", "50"},
        {"a negative total truncates toward zero", -10, "1,1,1", "-3,-3,-3"},
        {"a minimum is raised and the deficit repaid", 100, "50|60,50", "60,40"},
        {"the deficit is repaid round-robin from item 1", 100, "1|41,1,1,1", "41,19,20,20"},
        {"a minimum stops the repaying", 100, "1|70,1|40", "70,40"},
        {"minimums win over the total", 10, "1|20,1|20", "20,20"},
        {"an item without a minimum gives up pixels down to -1", 100, "1|60,1|60,1", "60,60,-1"},
        {"a maximum caps and the excess goes on", 100, "50||30,50", "30,70"},
        {"a receiving item stops at its own maximum", 100, "1||10,1||40,1", "10,40,50"},
        {"a minimum above the maximum raises the maximum", 100, "1|30|10,1", "30,70"},
        {"the whole total can move in bulk", Int32Max, "1|0|0,1", "0,2147483647"},
        {"a huge deficit ends once every item is closed", 0, "1|2147483647,1,1",
         "2147483647,-1,-1"},
        {"sizes stay within 32 bits", Int32Max, "1|2147483647|,1||0", "2147483647,0"},
        {"the program's panel column", 744,
         "85|267,0.1|120|120,0.1|100|100,0.1|150|150,0.1|22|20,15|17|50", "335,120,100,150,22,17"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Distribute(c.Total, c.List), c.Expected) << c.Name;
    }
}

// A collapsed panel's item has its maximum (the title bar) below its minimum (the collapsed
// height), which pins it whatever the column offers.
TEST(SizeSpec, CollapsedItemKeepsItsHeightForAnyTotal) {
    for (const int32_t total : {-50, 0, 24, 100, 1000, Int32Max}) {
        const std::vector<int64_t> sizes =
            ReadSizes(Distribute(total, "85|245,0.1|24|20,15|17|50"));
        ASSERT_EQ(sizes.size(), 3u) << total;
        EXPECT_EQ(sizes[1], 24) << total;
    }
}

TEST(SizeSpec, RejectsTooManyItemsAndNonIntegerLimits) {
    EXPECT_NO_THROW(Distribute(100, std::string(199, ','))); // 200 items
    EXPECT_THROW(Distribute(100, std::string(200, ',')), std::out_of_range);
    for (const char* list : {"1|x", "1||2.5", "1|99999999999", "1,2|3|-", "1| 5"}) {
        EXPECT_THROW(Distribute(100, list), ConversionError) << list;
    }
    EXPECT_EQ(Distribute(100, "1|+5|7|x"), "7") << "fields after the maximum are ignored";
}

// CutInt's reading of one limit field; an unreadable one marks the whole list.
int64_t ReadLimit(const std::string& field, bool& unreadable) {
    try {
        std::string copy = field;
        return CutInt(copy, '|');
    } catch (const ConversionError&) {
        unreadable = true;
        return -1;
    }
}

// Random items of odd weights and limits: the call must end, throw the documented errors
// exactly when they are due, keep every size within its limits and, without limits, share
// out exactly the total.
TEST(SizeSpec, RandomSpecificationsEndAndKeepTheirLimits) {
    std::mt19937 random(20240611);
    auto any = [&random](const std::vector<std::string>& texts) {
        return texts[random() % texts.size()];
    };
    const std::vector<std::string> weights = {"",
                                              "-2",
                                              "85",
                                              "0.1",
                                              "1e999",
                                              "1'234",
                                              "1.2.3",
                                              "abc",
                                              std::string(400, '9'),
                                              std::string(300, '9')};
    const std::vector<std::string> limits = {
        "", "", "", "-1", "0", "17", "245", "2147483647", "-2147483648", "2147483648", "x", "+5"};
    for (int round = 0; round < 4000; ++round) {
        const std::size_t count = random() % 10 == 0 ? 195 + random() % 10 : 1 + random() % 8;
        const int32_t total = random() % 4 == 0 ? (random() % 2 == 0 ? INT32_MIN : Int32Max)
                                                : static_cast<int32_t>(random() % 100000) - 1000;
        std::string list;
        std::vector<std::pair<int64_t, int64_t>> bounds;
        bool unreadable = false;
        for (std::size_t i = 0; i < count; ++i) {
            const std::string min = any(limits);
            const std::string max = any(limits);
            list += (i > 0 ? "," : "") + any(weights) + "|" + min + "|" + max;
            bounds.emplace_back(ReadLimit(min, unreadable), ReadLimit(max, unreadable));
        }
        const std::string context = std::to_string(total) + " over " + list.substr(0, 200);
        if (count > 200) {
            EXPECT_THROW(Distribute(total, list), std::out_of_range) << context;
            continue;
        }
        if (unreadable) {
            EXPECT_THROW(Distribute(total, list), ConversionError) << context;
            continue;
        }
        const std::vector<int64_t> sizes = ReadSizes(Distribute(total, list));
        ASSERT_EQ(sizes.size(), count) << context;
        bool limited = false;
        int64_t sum = 0;
        for (std::size_t i = 0; i < count; ++i) {
            auto [min, max] = bounds[i];
            max = min != -1 && max != -1 && min > max ? min : max;
            limited = limited || min >= 0 || max != -1;
            EXPECT_GE(sizes[i], min >= 0 ? min : INT32_MIN) << context << " item " << i;
            EXPECT_LE(sizes[i], max >= 0 ? max : Int32Max) << context << " item " << i;
            sum += sizes[i];
        }
        if (!limited && total >= 0) {
            EXPECT_EQ(sum, total) << context;
        }
    }
}

// Arbitrary bytes, separators included: only the two documented errors may come out.
TEST(SizeSpec, RandomTextsThrowOnlyDocumentedErrors) {
    std::mt19937 random(7);
    const std::string alphabet = "0123456789||,,.-+e x'\xe4";
    for (int round = 0; round < 20000; ++round) {
        std::string list(random() % 40, ' ');
        for (char& c : list) {
            c = alphabet[random() % alphabet.size()];
        }
        const auto total = static_cast<int32_t>(random());
        try {
            Distribute(total, list);
        } catch (const std::out_of_range&) {
        } catch (const ConversionError&) {
        }
    }
}

} // namespace
