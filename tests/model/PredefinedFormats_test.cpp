#include "model/FormatRatio.h"
#include "model/PredefinedList.h"
#include "superarray/superarray.h"

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

// The film and video formats in natural order, then the display formats in their own order,
// then one empty row.
TEST(PredefinedList, SortedFilmFormatsThenDisplayFormatsThenAnEmptyRow) {
    superarray list;
    FillPredefinedList(list);
    ASSERT_EQ(list.Count(), 127);
    const std::pair<int32_t, const char*> rows[] = {{1, "1.33:1 (4:3)"},
                                                    {4, "1080/24p (1920:1080)"},
                                                    {6, "Acadademy Standard (4:3)"},
                                                    {114, "Wonderama Arc 120 (2.64:1)"},
                                                    {115, "QVGA=QuarterVGA (320:240)"},
                                                    {126, "QXGA Wide (3840:2400) (16:10)"},
                                                    {127, ""}};
    for (const auto& [row, text] : rows) {
        EXPECT_EQ(list.GetRowText(row), text) << "row " << row;
    }
    EXPECT_EQ(PredefinedEntries().size(), 126u);
}
