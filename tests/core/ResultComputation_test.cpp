#include "core/ResultComputation.h"

#include "core/Divisibility.h"
#include "superarray/superarray.h"
#include "util/NumberFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

class ResultComputationTest : public ::testing::Test {
protected:
    void SetUp() override { Table.Init(); }

    ResultEchoes Run(const ResultInputs& inputs) {
        return ComputeResults(inputs, Table, Reference);
    }

    std::vector<std::string> Row(int32_t row) const {
        std::vector<std::string> cells;
        for (int32_t column = WidthColumn; column <= LetterboxColumn; ++column) {
            cells.push_back(Table.GetCell(row, column));
        }
        return cells;
    }

    std::vector<int32_t> Widths() const {
        std::vector<int32_t> widths;
        for (int32_t row = 1; row <= Table.Count(); ++row) {
            widths.push_back(std::stoi(Table.GetCell(row, WidthColumn)));
        }
        return widths;
    }

    superarray Table;
    ReferencePair Reference;
};

TEST_F(ResultComputationTest, DefaultsGiveTheFortyEightRows) {
    const ResultEchoes echoes = Run({});
    EXPECT_EQ(echoes.ReducedX, 4);
    EXPECT_EQ(echoes.ReducedY, 3);
    EXPECT_EQ(echoes.ReducedProduct, 12);
    EXPECT_EQ(echoes.EchoHeight, ": 3");
    EXPECT_EQ(echoes.EchoWidth, "4:");

    ASSERT_EQ(Table.Count(), 48);
    EXPECT_EQ(Row(1), (std::vector<std::string>{"16", "12", "100", "192", "0 / 0", "2,3,4,6",
                                                "2,4,8", "16:16 (+0:+4)"}));
    EXPECT_EQ(Row(2), (std::vector<std::string>{"32", "24", "400", "768", "16 / 12", "2,3,4,6,8,12",
                                                "2,4,8,16", "32:32 (+0:+8)"}));
    EXPECT_EQ(Table.GetCell(48, WidthColumn), "768");
    EXPECT_EQ(Table.GetCell(48, HeightColumn), "576");
    EXPECT_EQ(Reference.Width, 16);
    EXPECT_EQ(Reference.Height, 12);
    EXPECT_TRUE(Table.Columns[AreaPercentColumn].GroupDigits);
    EXPECT_TRUE(Table.Columns[AreaColumn].GroupDigits);
}

TEST_F(ResultComputationTest, ReferencePairIsKeptAcrossRuns) {
    Run({});
    ResultInputs wide;
    wide.RatioX = 16;
    wide.RatioY = 9;
    wide.WidthDiv.clear();
    wide.HeightDiv.clear();
    Run(wide);
    // 16 x 9 against the kept 16 x 12.
    EXPECT_EQ(Table.GetCell(1, WidthColumn), "16");
    EXPECT_EQ(Table.GetCell(1, AreaPercentColumn), "75");
    EXPECT_EQ(Table.GetCell(1, PixelDifColumn), "0 / -3");

    Reference = {640, 480};
    Run({});
    EXPECT_EQ(Table.GetCell(20, WidthColumn), "320");
    EXPECT_EQ(Table.GetCell(20, AreaPercentColumn), "25");
    EXPECT_EQ(Table.GetCell(20, PixelDifColumn), "-320 / -240");
}

TEST_F(ResultComputationTest, RangesRatiosAndFilters) {
    struct Case {
        const char* name;
        ResultInputs inputs;
        std::vector<int32_t> widths;
    };
    ResultInputs notThree;
    notThree.To = 40;
    notThree.WidthDiv.clear();
    notThree.HeightDiv.clear();
    notThree.WidthNotDiv = "3";
    ResultInputs reducible = notThree;
    reducible.WidthNotDiv.clear();
    reducible.RatioX = 8;
    reducible.RatioY = 6;
    ResultInputs sloppyLists = reducible;
    sloppyLists.WidthDiv = " 1 2, ,-4, 0, 2.9x"; // 12 and 2; the rest are no divisors
    sloppyLists.HeightNotDiv = ",,9,";
    ResultInputs backwards = reducible;
    backwards.From = 40;
    backwards.To = 20;
    ResultInputs belowOne = reducible;
    belowOne.From = -7;
    belowOne.To = 8;
    ResultInputs zeroTerm = reducible;
    zeroTerm.RatioY = 0;
    ResultInputs negativeTerm = reducible;
    negativeTerm.RatioX = -4;
    ResultInputs capped = reducible;
    capped.From = 32761;
    capped.To = 900000;

    const Case cases[] = {
        {"not dividable by 3", notThree, {4, 8, 16, 20, 28, 32, 40}},
        {"8:6 lists as 4:3", reducible, {4, 8, 12, 16, 20, 24, 28, 32, 36, 40}},
        {"lists with blanks, fractions, negatives, empty entries",
         sloppyLists,
         {4, 8, 16, 20, 28, 32, 40}},
        {"To below From", backwards, {}},
        {"widths below 1 are never listed", belowOne, {4, 8}},
        {"zero ratio term", zeroTerm, {}},
        {"negative ratio term", negativeTerm, {}},
        {"widths end at 32768", capped, {32764, 32768}},
    };
    for (const Case& c : cases) {
        Run(c.inputs);
        EXPECT_EQ(Widths(), c.widths) << c.name;
    }
}

TEST_F(ResultComputationTest, LetterboxCell) {
    struct Case {
        const char* name;
        int32_t w, h, sx, sy, px, py;
        bool rotated;
        const char* text;
    };
    const Case cases[] = {
        {"bars at the sides", 1920, 1080, 16, 9, 4, 3, false, "2560:1080 (+640:+0)"},
        {"rotated", 640, 480, 4, 3, 16, 9, true, "640:1138 (+0:+658)"},
        {"zero screen term", 640, 480, 0, 3, 16, 9, false, "640:480 (+0:+0)"},
    };
    for (const Case& c : cases) {
        ResultInputs in;
        in.From = in.To = c.w;
        in.RatioX = c.w;
        in.RatioY = c.h;
        in.WidthDiv.clear();
        in.HeightDiv.clear();
        in.SX = c.sx;
        in.SY = c.sy;
        in.PX = c.px;
        in.PY = c.py;
        in.Rotated = c.rotated;
        Run(in);
        ASSERT_EQ(Table.Count(), 1) << c.name;
        EXPECT_EQ(Table.GetCell(1, LetterboxColumn), c.text) << c.name;
    }
}

TEST_F(ResultComputationTest, ExtremeRatiosStayExact) {
    ResultInputs tall;
    tall.From = 1;
    tall.To = 32768;
    tall.RatioX = 1;
    tall.RatioY = 9999999;
    tall.WidthDiv.clear();
    tall.HeightDiv.clear();
    Run(tall);
    // 214 * 9999999 still fits 32 bits; 215 * 9999999 would wrap and is left out.
    ASSERT_EQ(Table.Count(), 214);
    EXPECT_EQ(Table.GetCell(0, HeightColumn), "2139999786");
    EXPECT_EQ(Table.GetCell(0, AreaColumn), "457959954204");
    // 214^2 times the area of the reference row 1 x 9999999.
    EXPECT_EQ(Table.GetCell(0, AreaPercentColumn), "4579600");
    EXPECT_EQ(Table.GetCell(0, PixelDifColumn), "213 / 2129999787");
    EXPECT_EQ(Table.GetCell(0, HeightDivisorsColumn), DivisorList(2139999786));
}

TEST_F(ResultComputationTest, GroupingFollowsTheCheckBox) {
    ResultInputs in;
    in.Grouping = false;
    Run(in);
    EXPECT_FALSE(Table.Columns[AreaPercentColumn].GroupDigits);
    EXPECT_FALSE(Table.Columns[AreaColumn].GroupDigits);
    in.Grouping = true;
    Run(in);
    DigitGroupSeparator = "'";
    EXPECT_EQ(Table.GetCell(0, AreaColumn), "442368");
    EXPECT_EQ(Table.GetCellShown(0, AreaColumn), "442'368");
    DigitGroupSeparator.clear();
}

TEST_F(ResultComputationTest, RandomInputsListExactlyTheMatchingPairs) {
    std::mt19937 random(61206);
    std::uniform_int_distribution<int32_t> term(1, 40);
    std::uniform_int_distribution<int32_t> divisor(0, 12);
    std::uniform_int_distribution<int32_t> end(-20, 3000);
    for (int run = 0; run < 200; ++run) {
        ResultInputs in;
        in.From = end(random);
        in.To = end(random);
        in.RatioX = term(random);
        in.RatioY = term(random);
        in.WidthDiv = std::to_string(divisor(random));
        in.HeightDiv = std::to_string(divisor(random)) + "," + std::to_string(divisor(random));
        in.WidthNotDiv = std::to_string(divisor(random));
        in.HeightNotDiv = std::to_string(divisor(random));
        if (run % 7 == 0) {
            Reference = {};
        }
        const ResultEchoes echoes = Run(in);

        auto passes = [](int32_t n, const std::string& list, int wanted) {
            const int result = DividableByAny(n, list, ',');
            return result == -1 || result == wanted;
        };
        std::vector<int32_t> expected;
        for (int32_t w = std::max(in.From, 1); w <= in.To; ++w) {
            const int32_t h = w / echoes.ReducedX * echoes.ReducedY;
            if (w % echoes.ReducedX == 0 && passes(w, in.WidthDiv, 1) &&
                passes(w, in.WidthNotDiv, 0) && passes(h, in.HeightDiv, 1) &&
                passes(h, in.HeightNotDiv, 0)) {
                expected.push_back(w);
            }
        }
        ASSERT_EQ(Widths(), expected) << "run " << run;
        for (int32_t row = 1; row <= Table.Count(); ++row) {
            const int64_t w = std::stoll(Table.GetCell(row, WidthColumn));
            const int64_t h = std::stoll(Table.GetCell(row, HeightColumn));
            ASSERT_EQ(w * in.RatioY, h * in.RatioX) << "run " << run << ", row " << row;
            ASSERT_EQ(Table.GetCell(row, AreaColumn), std::to_string(w * h));
        }
    }
}

} // namespace
