#include "core/ResultComputation.h"

#include "core/Divisibility.h"
#include "superarray/superarray.h"
#include "support/UnfilteredInputs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

class ResultComputationTest : public ::testing::Test {
protected:
    void SetUp() override { Table.Init(); }

    ResultEchoes Run(const ResultInputs& inputs) {
        return ComputeResults(inputs, Table, Reference);
    }

    // The cells of one row, width to `last`, joined by "|".
    std::string Row(int32_t row, int32_t last = LetterboxColumn) const {
        std::string cells = Table.GetCell(row, WidthColumn);
        for (int32_t column = WidthColumn + 1; column <= last; ++column) {
            cells += "|" + Table.GetCell(row, column);
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

// Also which area columns are grouped, by the check box; how a grouped cell reads is the
// table's rule.
TEST_F(ResultComputationTest, DefaultsTheKeptReferenceAndTheGroupedColumns) {
    ResultInputs ungrouped;
    ungrouped.Grouping = false;
    const auto grouped = [this] {
        return std::pair(Table.Columns[AreaColumn].GroupDigits,
                         Table.Columns[AreaPercentColumn].GroupDigits);
    };
    const ResultEchoes echoes = Run(ungrouped);
    EXPECT_EQ(grouped(), std::pair(false, false));
    EXPECT_EQ(std::tie(echoes.ReducedProduct, echoes.EchoHeight, echoes.EchoWidth),
              std::make_tuple(12, ": 3", "4:"));
    ASSERT_EQ(Table.Count(), 48);
    EXPECT_EQ(Row(1), "16|12|100|192|0 / 0|2,3,4,6|2,4,8|16:16 (+0:+4)");
    EXPECT_EQ(Row(2), "32|24|400|768|16 / 12|2,3,4,6,8,12|2,4,8,16|32:32 (+0:+8)");
    EXPECT_EQ(Row(0, HeightColumn), "768|576");

    // Another ratio keeps measuring against 16 x 12; a chosen pair replaces it.
    Run(Unfiltered(16, 16, 16, 9));
    EXPECT_EQ(Row(1, PixelDifColumn), "16|9|75|144|0 / -3");
    EXPECT_EQ(grouped(), std::pair(true, true));
    Reference = {640, 480};
    Run(ungrouped);
    EXPECT_EQ(grouped(), std::pair(false, false));
    EXPECT_EQ(Row(20, PixelDifColumn), "320|240|25|76800|-320 / -240");
}

TEST_F(ResultComputationTest, RangesRatiosAndFilters) {
    ResultInputs notThree = Unfiltered(1, 40, 4, 3);
    notThree.WidthNotDiv = "3";
    const std::tuple<const char*, ResultInputs, std::vector<int32_t>> cases[] = {
        {"not dividable by 3", notThree, {4, 8, 16, 20, 28, 32, 40}},
        {"8:6 lists as 4:3", Unfiltered(1, 20, 8, 6), {4, 8, 12, 16, 20}},
        {"To below From", Unfiltered(40, 20, 4, 3), {}},
        {"widths below 1 are never listed", Unfiltered(-7, 8, 4, 3), {4, 8}},
        {"zero ratio term", Unfiltered(1, 40, 4, 0), {}},
        {"negative ratio term", Unfiltered(1, 40, -4, 3), {}},
        {"widths end at 32768", Unfiltered(32761, 900000, 4, 3), {32764, 32768}},
        {"the farthest range turned round", Unfiltered(INT32_MAX, INT32_MIN, 1, 1), {}},
    };
    for (const auto& [name, inputs, widths] : cases) {
        Run(inputs);
        EXPECT_EQ(Widths(), widths) << name;
    }
}

TEST_F(ResultComputationTest, LetterboxCellTradesScreenTermsWhenRotated) {
    ResultInputs in = Unfiltered(640, 640, 4, 3);
    in.Rotated = true;
    Run(in);
    EXPECT_EQ(Table.GetCell(1, LetterboxColumn), "640:1138 (+0:+658)");
    in.SY = 0;
    Run(in);
    EXPECT_EQ(Table.GetCell(1, LetterboxColumn), "640:480 (+0:+0)");
}

// A sort by a number or list cell reads numbers that stand for the cell, not its text; the
// order must be the one its texts give. The width filters keep the lists small but hold widths
// whose lists share their first 32 divisors (5760, 11520 and 23040; 6000 and 30000), a prime's
// empty list, and the range's ends; the reference pair lies inside the range, so pixel
// differences run from negative to positive. Below width 300 many areas round to the same
// percentage, and those rows must tie.
TEST_F(ResultComputationTest, ListCellsSortByTheirNumbersAsByTheirTexts) {
    Reference = {6000, 6000};
    ResultInputs in = Unfiltered(1, 32768, 1, 1);
    in.WidthDiv = "96,1000,7919";
    ResultInputs tall = Unfiltered(1, 4000, 1, 65535);
    tall.WidthDiv = "7,64,1000";
    tall.Rotated = true;
    for (const ResultInputs& inputs : {in, tall, Unfiltered(1, 300, 1, 1)}) {
        for (const int32_t column :
             {WidthColumn, HeightColumn, AreaPercentColumn, AreaColumn, PixelDifColumn,
              HeightDivisorsColumn, WidthDivisorsColumn, LetterboxColumn}) {
            Table.Columns[static_cast<std::size_t>(column)].NumericSort = true;
            Table.RegisterSortName(column, "key");
            for (const char* spec : {"key", "-key"}) {
                Run(inputs);
                Table.SortBy(spec);
                const std::vector<int32_t> byNumbers = Widths();
                Run(inputs);
                Table.Columns[static_cast<std::size_t>(column)].LeadingNumbers = nullptr;
                Table.SortBy(spec);
                ASSERT_EQ(Widths(), byNumbers) << column << " " << spec << " 1:" << inputs.RatioY;
            }
        }
    }
}

TEST_F(ResultComputationTest, ExtremeRatiosStayExact) {
    ResultInputs even = Unfiltered(1, 32768, 1, 9999999);
    even.WidthDiv = "2";
    // Only pairs that pass the filters count as left out for their height.
    EXPECT_EQ(Run(even).TooTall, 16384 - 107);
    Reference = {};
    // 214 * 9999999 still fits 32 bits; 215 * 9999999 would wrap and is left out.
    EXPECT_EQ(Run(Unfiltered(1, 32768, 1, 9999999)).TooTall, 32768 - 214);
    ASSERT_EQ(Table.Count(), 214);
    EXPECT_EQ(Row(0), "214|2139999786|4579600|457959954204|213 / 2129999787|" +
                          DivisorList(2139999786) + "|" + DivisorList(214) +
                          "|214:2853333048 (+0:+713333262)");
}

TEST_F(ResultComputationTest, RandomInputsListExactlyTheMatchingPairs) {
    std::mt19937 random(61206);
    std::uniform_int_distribution<int32_t> term(1, 40), divisor(0, 12), end(-20, 3000);
    // The filter rule written out on its own: a list without a positive entry lets every
    // number pass, otherwise whether some entry divides n must be as wanted.
    const auto passes = [](int32_t n, const std::string& list, bool wanted) {
        bool positive = false, divides = false;
        std::istringstream entries(list);
        for (std::string entry; std::getline(entries, entry, ',');) {
            const long value = entry.empty() ? 0 : std::stol(entry);
            positive = positive || value > 0;
            divides = divides || (value > 0 && n % value == 0);
        }
        return !positive || divides == wanted;
    };
    for (int run = 0; run < 200; ++run) {
        ResultInputs in = Unfiltered(end(random), end(random), term(random), term(random));
        // Lists of up to three entries, repeated ones and ones beyond every side included.
        for (std::string* list : {&in.WidthDiv, &in.HeightDiv, &in.WidthNotDiv, &in.HeightNotDiv}) {
            for (int32_t n = divisor(random) % 4; n > 0; --n) {
                const int32_t d = divisor(random);
                *list += (d == 12 ? "99991" : std::to_string(d)) + ",";
            }
        }
        const ResultEchoes echoes = Run(in);
        std::vector<int32_t> expected;
        for (int32_t w = std::max(in.From, 1); w <= in.To; ++w) {
            const int32_t h = w / echoes.ReducedX * echoes.ReducedY;
            if (w % echoes.ReducedX == 0 && passes(w, in.WidthDiv, true) &&
                passes(w, in.WidthNotDiv, false) && passes(h, in.HeightDiv, true) &&
                passes(h, in.HeightNotDiv, false)) {
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
