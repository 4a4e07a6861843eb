#include "easypanel/PanelStack.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Panel {
    char Code;
    int32_t MinHeight;
    std::string Spec;
};

struct Position {
    char Code;
    int32_t Top;
    int32_t Left;
    int32_t Height;
};

constexpr int32_t Untouched = -999;

PanelStack MakeStack(const std::vector<Panel>& panels, int32_t columnWidth = 169) {
    PanelStack stack;
    stack.ColumnWidth = columnWidth;
    for (PanelGeometry& slot : stack.Geometry) {
        slot.Top = slot.Left = slot.Height = Untouched;
    }
    for (const Panel& panel : panels) {
        PanelGeometry& slot = stack.Geometry[static_cast<std::size_t>(panel.Code - '0')];
        slot.MinHeight = panel.MinHeight;
        slot.StateSpec = panel.Spec;
    }
    return stack;
}

// The main window's six panels in their states at start: a weighted ratio panel, three fixed
// ones, a collapsed one and the link panel without title bar; order "301425".
PanelStack ProgramStack() {
    return MakeStack({{'0', 120, "0.1|120|120"},
                      {'1', 100, "0.1|100|100"},
                      {'2', 22, "0.1|22|20"},
                      {'3', 267, "85|267"},
                      {'4', 150, "0.1|150|150"},
                      {'5', 17, "15|17|50"}});
}

void ExpectPositions(const PanelStack& stack, const std::vector<Position>& expected,
                     const std::string& name) {
    for (const Position& p : expected) {
        const PanelGeometry& slot = stack.Geometry[static_cast<std::size_t>(p.Code - '0')];
        EXPECT_EQ(slot.Top, p.Top) << name << ": top of " << p.Code;
        EXPECT_EQ(slot.Left, p.Left) << name << ": left of " << p.Code;
        EXPECT_EQ(slot.Height, p.Height) << name << ": height of " << p.Code;
    }
}

TEST(PanelStack, MeasuresColumnStrings) {
    PanelStack stack = MakeStack({{'0', 50, ""}, {'1', 80, ""}, {'2', 80, ""}, {'3', 10, ""}});
    EXPECT_EQ(stack.FirstColumnHeight("01.23."), 146);
    EXPECT_EQ(stack.FirstColumnHeight("3"), 18);
    EXPECT_EQ(stack.FirstColumnHeight(".01"), 0);
    EXPECT_EQ(stack.TallestColumn("3.01..2"), 146);
    EXPECT_EQ(stack.TallestColumn(""), 0);
    EXPECT_EQ(stack.TallestPanel("0123"), '1') << "the first among equals";
    EXPECT_EQ(stack.TallestPanel("x.Z"), 0) << "characters that are no codes";
    stack.Geometry[1].MinHeight = std::numeric_limits<int32_t>::max();
    stack.Geometry[2].MinHeight = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(stack.TallestColumn("12"), std::numeric_limits<int32_t>::max()) << "saturates";
}

TEST(PanelStack, PacksLongestFirstIntoTheLowestColumn) {
    struct Case {
        const char* Name;
        std::string Codes;
        int32_t Width;
        std::string Expected;
        int32_t Slack;
    };
    // Heights 100, 80, 60, 50; two columns of 169 fit into 362..538 pixels.
    const Case cases[] = {
        {"two columns", "0123", 400, "03.12.", 500 - 166},
        {"the order of equal input does not matter", "3210", 400, "03.12.", 500 - 166},
        {"one column when none fits", "1302", 0, "0123.", 500 - 322},
        {"never more columns than codes", "12", 5000, "1.2.", 500 - 88},
        {"nothing to pack leaves an empty column", "", 400, ".", 500},
        {"characters that are no codes are ignored", "2.x1", 400, "1.2.", 500 - 88},
    };
    for (const Case& c : cases) {
        PanelStack stack = MakeStack({{'0', 100, ""}, {'1', 80, ""}, {'2', 60, ""}, {'3', 50, ""}});
        EXPECT_EQ(stack.PackColumns(c.Codes, 500, c.Width), c.Expected) << c.Name;
        EXPECT_EQ(stack.Slack, c.Slack) << c.Name;
        EXPECT_EQ(stack.AvailableHeight, 500) << c.Name;
    }
    PanelStack equal = MakeStack({{'4', 50, ""}, {'7', 50, ""}});
    EXPECT_EQ(equal.PackColumns("74", 500, 400), "7.4.") << "ties keep the given order";
}

TEST(PanelStack, SortsColumnsByRank) {
    struct Case {
        const char* Name;
        std::string Columns;
        std::string Order;
        bool KeepFirst;
        std::string Expected;
    };
    const Case cases[] = {
        {"codes and columns by rank", "31.02.5.", "012345", false, "02.13.5."},
        {"rank is the position in the order", "13.20.", "301425", false, "31.02."},
        {"empty columns sort first", "5..21.", "012345", false, ".12.5."},
        {"a last '.' may be missing", "5.3", "012345", false, "3.5."},
        {"keep first: the first column stays in front", "53.1.0.", "012345", true, "35.0.1."},
        {"keep first: empty columns collapse", "10.3...2.", "012345", true, "01.2.3."},
        {"keep first: nothing stays nothing", "", "012345", true, ""},
    };
    for (const Case& c : cases) {
        const std::string sorted = c.KeepFirst
                                       ? PanelStack::SortColumnsKeepFirst(c.Columns, c.Order)
                                       : PanelStack::SortColumns(c.Columns, c.Order);
        EXPECT_EQ(sorted, c.Expected) << c.Name;
    }
}

TEST(PanelStack, PlacesColumnsInThreeModes) {
    struct Case {
        const char* Name;
        int Mode;
        std::vector<Position> Expected;
    };
    // AvailableHeight 300 with a tallest column of 200 (Slack 100); columns 100 wide.
    const Case cases[] = {
        {"1: full height from the top",
         1,
         {{'0', 8, 20, 246}, {'1', 262, 20, 30}, {'2', 8, 128, 284}}},
        {"2: tallest column from the top",
         2,
         {{'0', 8, 20, 154}, {'1', 170, 20, 30}, {'2', 8, 128, 192}}},
        {"3: tallest column at the bottom",
         3,
         {{'0', 100, 20, 154}, {'1', 262, 20, 30}, {'2', 100, 128, 192}}},
    };
    for (const Case& c : cases) {
        PanelStack stack =
            MakeStack({{'0', 50, "1|50"}, {'1', 30, "0.1|30|30"}, {'2', 40, "1|40"}}, 100);
        stack.AvailableHeight = 300;
        stack.Slack = 100;
        stack.PlaceColumns(".01..2.", c.Mode, 20); // empty columns take no room
        ExpectPositions(stack, c.Expected, c.Name);
    }
}

TEST(PanelStack, ArrangesColumnsFromTheTop) {
    PanelStack stack =
        MakeStack({{'0', 30, "0.1|30|30"}, {'1', 80, "1|80"}, {'2', 50, "0.1|50|50"}});
    EXPECT_EQ(stack.ArrangeColumns("012", 400, 400), "1.20.");
    EXPECT_EQ(stack.Slack, 400 - 96);
    ExpectPositions(stack, {{'0', 8, 8, 30}, {'2', 46, 8, 50}, {'1', 8, 185, 88}}, "arranged");
}

TEST(PanelStack, FitsTheFirstColumn) {
    struct Case {
        const char* Name;
        int32_t Height;
        int32_t Width;
        std::string Expected;
        int32_t Slack;
        int32_t FirstColumnSlack;
        std::vector<Position> Positions;
    };
    const Case cases[] = {
        {"all fit: one column and Slack stays the height",
         800,
         1024,
         "301425",
         800,
         68,
         {{'3', 8, 8, 335},
          {'0', 351, 8, 120},
          {'1', 479, 8, 100},
          {'4', 587, 8, 150},
          {'2', 745, 8, 22},
          {'5', 775, 8, 17}}},
        {"one overflows to the bottom right, under the grid",
         720,
         800,
         "30142.5.",
         695,
         13,
         {{'3', 8, 8, 280},
          {'0', 296, 8, 120},
          {'1', 424, 8, 100},
          {'4', 532, 8, 150},
          {'2', 690, 8, 22},
          {'5', 695, 185, 17}}},
        {"no choice leaves a positive slack",
         100,
         800,
         "",
         0,
         92,
         {{'3', Untouched, Untouched, Untouched}, {'5', Untouched, Untouched, Untouched}}},
    };
    for (const Case& c : cases) {
        PanelStack stack = ProgramStack();
        EXPECT_EQ(stack.FitFirstColumn("301425", c.Height, c.Width), c.Expected) << c.Name;
        EXPECT_EQ(stack.Slack, c.Slack) << c.Name;
        EXPECT_EQ(stack.FirstColumnSlack, c.FirstColumnSlack) << c.Name;
        EXPECT_EQ(stack.AvailableHeight, c.Height) << c.Name;
        ExpectPositions(stack, c.Positions, c.Name);
    }

    PanelStack equal = MakeStack(
        {{'0', 100, "0.1|100|100"}, {'1', 100, "0.1|100|100"}, {'2', 100, "0.1|100|100"}});
    EXPECT_EQ(equal.FitFirstColumn("012", 230, 800), "01.2.") << "the larger mask wins a tie";
    EXPECT_EQ(equal.Slack, 122);
    EXPECT_EQ(equal.FitFirstColumn("", 230, 800), "");
    EXPECT_EQ(equal.Slack, 230);

    PanelStack twins = MakeStack({{'0', 300, "0.1|300|300"},
                                  {'1', 100, "0.1|100|100"},
                                  {'2', 100, "0.1|100|100"},
                                  {'3', 60, "0.1|60|60"}});
    EXPECT_EQ(twins.FitFirstColumn("0123", 330, 600), "0.1.23.")
        << "the overflow is collected from the end, so the later twin is packed first";
    EXPECT_EQ(twins.Slack, 154);
    ExpectPositions(
        twins, {{'0', 8, 8, 300}, {'1', 222, 185, 100}, {'2', 154, 362, 100}, {'3', 262, 362, 60}},
        "twins");
}

// The choice done the slow, literal way: every mask over the last 16 codes, the overflow
// collected from the end and packed with PackColumns, the first best kept.
std::string ReferenceChoice(PanelStack stack, const std::string& order, int32_t height,
                            int32_t width, int32_t& slack) {
    const std::size_t n = order.size();
    const std::size_t bits = std::min<std::size_t>(n, 16);
    std::string best;
    slack = 0;
    for (uint32_t mask = (1u << bits) - 1; mask >= 1; --mask) {
        std::string kept;
        std::string overflow;
        for (std::size_t p = 0; p < n; ++p) {
            const std::size_t fromEnd = n - 1 - p;
            if (fromEnd < 16 && ((mask >> fromEnd) & 1) != 0) {
                kept += order[p];
            }
        }
        for (std::size_t p = n; p-- > 0;) {
            if (kept.find(order[p]) == std::string::npos) {
                overflow += order[p];
            }
        }
        if (height - stack.TopMargin < stack.FirstColumnHeight(kept)) {
            continue;
        }
        const std::string packed =
            stack.PackColumns(overflow, height, width - stack.LeftMargin - stack.ColumnWidth);
        if (stack.Slack > slack) {
            slack = stack.Slack;
            best = kept + "." + packed;
        }
    }
    return PanelStack::SortColumnsKeepFirst(best, order);
}

TEST(PanelStack, FirstColumnSearchMatchesTheLiteralRule) {
    std::mt19937 random(42);
    const int32_t heights[] = {20, 40, 60, 100, 150};
    for (int trial = 0; trial < 40; ++trial) {
        const std::size_t n = trial == 0 ? 18 : 1 + random() % 10;
        PanelStack stack = MakeStack({});
        std::string order;
        for (std::size_t k = 0; k < n; ++k) {
            stack.Geometry[k].MinHeight = heights[random() % 5];
            stack.Geometry[k].StateSpec = "1|" + std::to_string(stack.Geometry[k].MinHeight);
            order += static_cast<char>('0' + k);
        }
        std::shuffle(order.begin(), order.end(), random);
        const auto height = static_cast<int32_t>(100 + random() % 500);
        const auto width = static_cast<int32_t>(200 + random() % 1000);
        const std::string context =
            order + " in " + std::to_string(width) + "x" + std::to_string(height);

        int32_t slack = height;
        std::string expected = order;
        if (height - stack.TopMargin < stack.FirstColumnHeight(order)) {
            expected = ReferenceChoice(stack, order, height, width, slack);
        }
        EXPECT_EQ(stack.FitFirstColumn(order, height, width), expected) << context;
        EXPECT_EQ(stack.Slack, slack) << context;
    }
}

// Extreme margins, heights and garbage codes: every call must end without undefined
// behaviour, and no slack may exceed the height it was given (or 0, the slack of no choice).
TEST(PanelStack, SurvivesExtremeValues) {
    std::mt19937 random(99);
    const int32_t values[] = {std::numeric_limits<int32_t>::min(), -5, 0, 30,
                              std::numeric_limits<int32_t>::max()};
    auto value = [&] { return values[random() % 5]; };
    const std::string alphabet = "0123456789:;<=>?@ABCDEF..x\xff";
    for (int round = 0; round < 300; ++round) {
        PanelStack stack;
        stack.LeftMargin = value();
        stack.TopMargin = value();
        stack.Gap = value();
        stack.ColumnWidth = value();
        for (PanelGeometry& slot : stack.Geometry) {
            slot.MinHeight = value();
            slot.StateSpec = "1|" + std::to_string(value());
        }
        std::string codes(random() % 14, ' ');
        for (char& c : codes) {
            c = alphabet[random() % alphabet.size()];
        }
        const int32_t height = value();
        const int32_t width = value();
        stack.FitFirstColumn(codes, height, width);
        EXPECT_LE(stack.Slack, std::max(height, 0)) << codes;
        stack.ArrangeColumns(codes, height, width);
        EXPECT_LE(stack.Slack, height) << codes;
        stack.TallestColumn(PanelStack::SortColumns(codes, codes));
    }
}

} // namespace
