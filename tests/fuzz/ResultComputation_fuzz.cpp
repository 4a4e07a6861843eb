// A run of the result computation on any inputs the window could pass: whole pairs in the
// ratio, within the range, at most one a width, and cells that can be read.
#include "FuzzInput.h"
#include "core/ResultComputation.h"
#include "superarray/superarray.h"

#include <string>
#include <vector>

FUZZ_TARGET(input) {
    ResultInputs in;
    input.Read(in.From, in.To, in.RatioX, in.RatioY, in.EchoForWidth, in.EchoForHeight, in.WidthDiv,
               in.HeightDiv, in.WidthNotDiv, in.HeightNotDiv, in.SX, in.SY, in.PX, in.PY,
               in.Rotated);
    superarray table;
    table.Init();
    ReferencePair reference;
    const ResultEchoes echoes = ComputeResults(in, table, reference);
    FUZZ_CHECK(table.Count() <= MaxWidth);
    int64_t previous = 0;
    for (int32_t row = 1; row <= table.Count(); ++row) {
        const int64_t w = std::stoll(table.GetCell(row, WidthColumn));
        const int64_t h = std::stoll(table.GetCell(row, HeightColumn));
        FUZZ_CHECK(w > previous && w >= in.From && w <= in.To && w <= MaxWidth);
        FUZZ_CHECK(h > 0 && w * echoes.ReducedY == h * echoes.ReducedX);
        previous = w;
    }
    // A sort by a number or list cell compares numbers that stand for each cell; the order
    // must be the one the texts give. (A short list keeps the text sorts quick.)
    const auto widths = [](const superarray& sorted) {
        std::vector<std::string> order;
        for (int32_t row = 1; row <= sorted.Count(); ++row) {
            order.push_back(sorted.GetCell(row, WidthColumn));
        }
        return order;
    };
    for (const int32_t column :
         {WidthColumn, HeightColumn, AreaPercentColumn, AreaColumn, PixelDifColumn,
          HeightDivisorsColumn, WidthDivisorsColumn, LetterboxColumn}) {
        if (table.Count() > 64) {
            break;
        }
        for (const char* spec : {"key", "-key"}) {
            superarray byNumbers = table;
            byNumbers.Columns[static_cast<std::size_t>(column)].NumericSort = true;
            byNumbers.RegisterSortName(column, "key");
            superarray byTexts = byNumbers;
            byTexts.Columns[static_cast<std::size_t>(column)].LeadingNumbers = nullptr;
            byNumbers.SortBy(spec);
            byTexts.SortBy(spec);
            FUZZ_CHECK(widths(byNumbers) == widths(byTexts));
        }
    }
    // The computed cells of the first and last rows, the tallest heights among them.
    for (const int32_t row : {1, table.Count()}) {
        for (int32_t column = 1; column <= LetterboxColumn && row >= 1; ++column) {
            table.GetCellShown(row, column);
        }
    }
}
