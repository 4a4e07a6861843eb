// Widget-free arithmetic: sharing a column's height and stacking panels into columns.
#include "easypanel/PanelAnimation.h"
#include "easypanel/PanelStack.h"
#include "easypanel/SizeSpec.h"

#include "util/TextParse.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(SizeSpec, DistributesByWeightMinimumAndMaximum) {
    const std::tuple<const char*, int32_t, const char*, const char*> cases[] = {
        {"equal weights, the remainder to the first", 100, "1,1,1", "34,33,33"},
        {"unreadable, negative and missing weights count as 0.1", 100, "x,-5,,1", "8,8,8,76"},
        {"a negative total truncates toward zero", -10, "1,1,1", "-3,-3,-3"},
        {"a minimum is raised and the deficit repaid", 100, "50|60,50", "60,40"},
        {"the deficit is repaid round-robin from item 1", 100, "1|41,1,1,1", "41,19,20,20"},
        {"minimums win over the total", 10, "1|20,1|20", "20,20"},
        {"an item without a minimum gives up pixels down to -1", 100, "1|60,1|60,1", "60,60,-1"},
        {"a maximum caps and the excess goes on", 100, "50||30,50", "30,70"},
        {"a receiving item stops at its own maximum", 100, "1||10,1||40,1", "10,40,50"},
        {"a minimum above the maximum raises the maximum", 100, "1|30|10,1", "30,70"},
        {"a huge deficit ends once every item is closed", 0, "1|2147483647,1,1",
         "2147483647,-1,-1"},
        {"sizes stay within 32 bits", INT32_MAX, "1|2147483647|,1||0", "2147483647,0"},
        {"a collapsed item keeps its height", 1000, "85|245,0.1|24|20,15|17|50", "926,24,50"}};
    for (const auto& [name, total, list, expected] : cases) {
        EXPECT_EQ(Distribute(total, list), expected) << name;
    }
    EXPECT_NO_THROW(Distribute(100, std::string(199, ','))); // 200 items
    EXPECT_THROW(Distribute(100, std::string(200, ',')), std::out_of_range);
    for (const char* list : {"1|x", "1||2.5", "1|2147483648", "1,2|3|-", "1| 5"}) {
        EXPECT_THROW(Distribute(100, list), ConversionError) << list;
    }
}

// A stack with a minimum height and a "weight|min|max" text for each code ("0:100:85|100 ...");
// every position starts at -999.
PanelStack MakeStack(const std::string& panels, int32_t columnWidth = 169) {
    PanelStack stack;
    stack.ColumnWidth = columnWidth;
    for (PanelGeometry& slot : stack.Geometry) {
        slot.Top = slot.Left = slot.Height = -999;
    }
    for (std::string rest = panels; !rest.empty();) {
        const std::string panel = rest.substr(0, rest.find(' '));
        rest.erase(0, panel.size() + 1);
        PanelGeometry& slot = stack.Geometry[static_cast<std::size_t>(panel[0] - '0')];
        slot.MinHeight = std::stoi(panel.substr(2));
        slot.StateSpec = panel.substr(panel.find(':', 2) + 1);
    }
    return stack;
}

// "code:top,left,height" for each code that was placed, joined by spaces.
std::string Placed(const PanelStack& stack, const std::string& codes) {
    std::ostringstream text;
    for (const char code : codes) {
        const PanelGeometry& at = stack.Geometry[static_cast<std::size_t>(code - '0')];
        if (at.Top != -999) {
            text << (text.tellp() > 0 ? " " : "") << code << ':' << at.Top << ',' << at.Left << ','
                 << at.Height;
        }
    }
    return text.str();
}

TEST(PanelStack, PacksLongestFirstIntoTheLowestColumnAndSortsByRank) {
    // Heights 100, 80, 60, 50; two columns of 169 fit into 362..538 pixels.
    const std::tuple<const char*, const char*, int32_t, const char*, int32_t> packs[] = {
        {"two columns", "3210", 400, "03.12.", 500 - 166},
        {"one column when none fits", "1302", 0, "0123.", 500 - 322},
        {"never more columns than codes", "12", 5000, "1.2.", 500 - 88},
        {"characters that are no codes are ignored", "2.x1", 400, "1.2.", 500 - 88}};
    for (const auto& [name, codes, width, expected, slack] : packs) {
        PanelStack stack = MakeStack("0:100: 1:80: 2:60: 3:50:");
        EXPECT_EQ(stack.PackColumns(codes, 500, width), expected) << name;
        EXPECT_EQ(stack.Slack, slack) << name;
    }
    PanelStack equal = MakeStack("4:50: 7:50:");
    EXPECT_EQ(equal.PackColumns("74", 500, 400), "7.4.") << "ties keep the given order";

    const std::tuple<const char*, const char*, const char*, const char*> sorts[] = {
        {"codes and columns by rank", "31.02.5.", "012345", "02.13.5."},
        {"rank is the position in the order", "13.20.", "301425", "31.02."},
        {"empty columns sort first", "5..21.", "012345", ".12.5."},
        {"a last '.' may be missing", "5.3", "012345", "3.5."},
        {"keep first: the first column stays in front", "53.1.0.", "012345", "35.0.1."},
        {"keep first: empty columns collapse", "10.3...2.", "012345", "01.2.3."}};
    for (const auto& [name, columns, order, expected] : sorts) {
        EXPECT_EQ(std::string(name).starts_with("keep first")
                      ? PanelStack::SortColumnsKeepFirst(columns, order)
                      : PanelStack::SortColumns(columns, order),
                  expected)
            << name;
    }
}

TEST(PanelStack, PlacesColumnsInThreeModes) {
    // AvailableHeight 300 with a tallest column of 200 (Slack 100); columns 100 wide.
    const std::pair<int, const char*> cases[] = {
        {1, "0:8,20,246 1:262,20,30 2:8,128,284"},     // full height from the top
        {2, "0:8,20,154 1:170,20,30 2:8,128,192"},     // tallest column from the top
        {3, "0:100,20,154 1:262,20,30 2:100,128,192"}, // tallest column at the bottom
    };
    for (const auto& [mode, expected] : cases) {
        PanelStack stack = MakeStack("0:50:1|50 1:30:0.1|30|30 2:40:1|40", 100);
        stack.AvailableHeight = 300;
        stack.Slack = 100;
        stack.PlaceColumns(".01..2.", mode, 20); // empty columns take no room
        EXPECT_EQ(Placed(stack, "012"), expected) << "mode " << mode;
    }
}

TEST(PanelStack, FitsTheFirstColumn) {
    // Name, height, width, result, Slack, FirstColumnSlack, positions.
    const std::tuple<const char*, int32_t, int32_t, const char*, int32_t, int32_t, const char*>
        cases[] = {
            {"all fit: one column and Slack stays the height", 800, 1024, "301425", 800, 68,
             "3:8,8,335 0:351,8,120 1:479,8,100 4:587,8,150 2:745,8,22 5:775,8,17"},
            {"one overflows to the bottom right, under the grid", 720, 800, "30142.5.", 695, 13,
             "3:8,8,280 0:296,8,120 1:424,8,100 4:532,8,150 2:690,8,22 5:695,185,17"},
            {"no choice leaves a positive slack: nothing placed", 100, 800, "", 0, 92, ""},
        };
    for (const auto& [name, height, width, expected, slack, firstSlack, positions] : cases) {
        // The program's six panels at start.
        PanelStack stack = MakeStack("0:120:0.1|120|120 1:100:0.1|100|100 2:22:0.1|22|20 "
                                     "3:267:85|267 4:150:0.1|150|150 5:17:15|17|50");
        EXPECT_EQ(stack.FitFirstColumn("301425", height, width), expected) << name;
        EXPECT_EQ(stack.Slack, slack) << name;
        EXPECT_EQ(stack.FirstColumnSlack, firstSlack) << name;
        EXPECT_EQ(Placed(stack, "301425"), positions) << name;
    }
    PanelStack equal = MakeStack("0:100:0.1|100|100 1:100:0.1|100|100 2:100:0.1|100|100");
    EXPECT_EQ(equal.FitFirstColumn("012", 230, 800), "01.2.") << "the larger mask wins a tie";
    EXPECT_EQ(equal.Slack, 122);
}

// Random stacks against the choice done the slow, literal way: every mask over the last 16
// codes, the overflow collected from the end and packed with PackColumns, the first best kept.
TEST(PanelStack, FirstColumnSearchMatchesTheLiteralRule) {
    std::mt19937 random(42);
    for (int trial = 0; trial < 20; ++trial) {
        PanelStack stack = MakeStack("");
        std::string order;
        for (std::size_t k = 0, n = trial == 0 ? 18 : 1 + random() % 9; k < n; ++k) {
            stack.Geometry[k].MinHeight = std::array{20, 40, 60, 100, 150}[random() % 5];
            stack.Geometry[k].StateSpec = "1|" + std::to_string(stack.Geometry[k].MinHeight);
            order += static_cast<char>('0' + k);
        }
        std::shuffle(order.begin(), order.end(), random);
        const auto height = static_cast<int32_t>(100 + random() % 500);
        const auto width = static_cast<int32_t>(200 + random() % 1000);
        int32_t slack = height;
        std::string expected = order;
        if (height - stack.TopMargin < stack.FirstColumnHeight(order)) {
            const std::size_t n = order.size();
            slack = 0;
            expected.clear();
            for (uint32_t mask = (1u << std::min<std::size_t>(n, 16)) - 1; mask >= 1; --mask) {
                std::string kept, overflow; // bit i stands for the code i places from the end
                for (std::size_t i = 0; i < n; ++i) {
                    (i < 16 && ((mask >> i) & 1) != 0 ? kept : overflow) += order[n - 1 - i];
                }
                std::reverse(kept.begin(), kept.end());
                const std::string packed = stack.PackColumns(
                    overflow, height, width - stack.LeftMargin - stack.ColumnWidth);
                if (height - stack.TopMargin >= stack.FirstColumnHeight(kept) &&
                    stack.Slack > slack) {
                    slack = stack.Slack;
                    expected = PanelStack::SortColumnsKeepFirst(kept + "." + packed, order);
                }
            }
        }
        EXPECT_EQ(stack.FitFirstColumn(order, height, width), expected) << order << " " << width;
        EXPECT_EQ(stack.Slack, slack) << order << " " << width;
    }
}

// The targets of the passes, each checked to end where it aims.
std::string Targets(int32_t height, const std::vector<TAnimationPass>& passes) {
    std::string targets;
    for (const TAnimationPass& pass : passes) {
        targets += (targets.empty() ? "" : ",") + std::to_string(pass.Target);
        const std::vector<int32_t> steps = HeightSteps(height, pass);
        height = steps.empty() ? height : steps.back();
        EXPECT_EQ(height, pass.Target) << targets;
    }
    return targets;
}

TEST(PanelAnimation, PassesSlideOrBounceIntoTheTarget) {
    EXPECT_EQ(HeightSteps(30, {26, 1.0, 1.0}), (std::vector<int32_t>{29, 28, 27, 26}));
    EXPECT_EQ(HeightSteps(26, {28, 0.0, NAN}).size(), 3U) << "steps of 0.8";
    EXPECT_EQ(HeightSteps(INT32_MIN, {INT32_MAX, INFINITY, NAN}).size(), 1U);
    // Collapsing to 26 px from a height: a slide, or a fall that bounces back ever less high.
    const std::pair<int32_t, const char*> collapses[] = {
        {46, "26"}, {20, "26"}, {120, "26,46,26,31,26"}, {151, "26,46,26,31,26,28,26"}};
    for (const auto& [from, expected] : collapses) {
        EXPECT_EQ(Targets(from, CollapsePasses(from, 26)), expected) << from;
    }
    EXPECT_EQ(Targets(26, ExpandPasses(26, 300, 26)), "300,274,300")
        << "rises, falls back, settles";
    EXPECT_EQ(Targets(26, ExpandPasses(26, 40, 26)), "40");
}

// "weight|min|max" as a panel stores it, the min defaulting to the panel's height, or
// refused; and the fields a title bar grows.
TEST(SizeSpec, PanelSpecificationsNormaliseAndGrow) {
    const std::tuple<const char*, const char*, int32_t> cases[] = {
        {"85", "85|90", 90},      {"", "0.1|90|90", 90},
        {"5||60", "5|90|60", 90}, {"1,5|20", "15|20", 20},
        {"|7", "0.1|7", 7},       {"85|x", nullptr, 0},
        {"85|10|y", nullptr, 0},  {"85|99999999999", nullptr, 0}};
    for (const auto& [spec, normal, minHeight] : cases) {
        if (normal == nullptr) {
            EXPECT_THROW(NormaliseSpec(spec, 90), ConversionError) << spec;
        } else {
            EXPECT_EQ(NormaliseSpec(spec, 90).Spec, normal) << spec;
            EXPECT_EQ(NormaliseSpec(spec, 90).MinHeight, minHeight) << spec;
        }
    }
    const std::pair<const char*, const char*> grown[] = {
        {"20", "44"}, {"", ""}, {"-1", "-1"}, {"x", "x"}, {"2147483640", "2147483647"}};
    for (const auto& [field, result] : grown) {
        EXPECT_EQ(GrowSpecField(field, 24), result) << field;
    }
}

TEST(PanelStack, OrderCodesMatchNamesAndPrefixes) {
    const std::array<std::string, PanelSlots> names = {"PanelDividable",    "PanelFromTo",
                                                       "PanelRotatedRatio", "PanelRatio",
                                                       "PanelOptions",      "PanelURL"};
    const std::pair<const char*, const char*> cases[] = {
        {"PanelRatio,PanelDividable,PanelFromTo,PanelOptions,PanelRotatedratio,PanelURL", "301425"},
        {"Panel*", "012345"},
        {"panelr*,nope*", "23"},
        {"PanelURL,Nope,panelratio", "53"},
        {"PanelRatio,Panel*", "301245"},
        {"", ""}};
    for (const auto& [list, codes] : cases) {
        EXPECT_EQ(OrderCodes(list, names), codes) << list;
    }
}

} // namespace
