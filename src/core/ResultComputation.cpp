#include "core/ResultComputation.h"

#include "core/Divisibility.h"
#include "core/DivisorFilter.h"
#include "core/Ratio.h"
#include "core/brueche.h"
#include "superarray/superarray.h"
#include "util/DecimalText.h"
#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

namespace {

// Divisor lists of tall heights run to thousands of characters; the table computes them
// when a cell is read (the grid reads the rows in view), not for every row of every run.
std::string DivisorsOfCell(const superarray& table, int32_t row, int32_t column) {
    return DivisorList(TextToInt(table.GetCell(row, column)));
}

// A cell's text built in place, so that no text of a row needs the heap on its way into
// the table. Four 64-bit numbers and a few marks fit.
class CellText {
public:
    CellText& operator<<(int64_t value) {
        End = std::to_chars(End, Buffer.data() + Buffer.size(), value).ptr;
        return *this;
    }
    CellText& operator<<(std::string_view text) {
        End = std::copy(text.begin(), text.end(), End);
        return *this;
    }
    std::string_view View() const {
        return {Buffer.data(), static_cast<std::size_t>(End - Buffer.data())};
    }

private:
    std::array<char, 96> Buffer;
    char* End = Buffer.data();
};

std::string AreaPercentText(int64_t area, int64_t referenceArea) {
    if (referenceArea == 0) {
        return {};
    }
    // Both products are exact in 64 bits and in the extended mantissa.
    const long double percent = static_cast<long double>(area) / referenceArea * 100;
    return FloatToText(2, static_cast<double>(percent));
}

} // namespace

ResultEchoes ComputeResults(const ResultInputs& in, superarray& table, ReferencePair& reference) {
    ResultEchoes echoes;
    const auto [rx, ry] = ReduceRatio(in.RatioX, in.RatioY);
    echoes.ReducedX = rx;
    echoes.ReducedY = ry;
    echoes.ReducedProduct = int64_t{rx} * ry;
    echoes.EchoHeight =
        ": " + FloatToText(6, HeightForWidth(in.RatioX, in.RatioY, in.EchoForWidth));
    echoes.EchoWidth = FloatToText(6, WidthForHeight(in.RatioX, in.RatioY, in.EchoForHeight)) + ":";

    table.SetLength(0);
    table.Columns[AreaPercentColumn].GroupDigits = in.Grouping;
    table.Columns[AreaColumn].GroupDigits = in.Grouping;
    table.Columns[HeightDivisorsColumn].Source = [](const superarray& t, int32_t row) {
        return DivisorsOfCell(t, row, HeightColumn);
    };
    table.Columns[WidthDivisorsColumn].Source = [](const superarray& t, int32_t row) {
        return DivisorsOfCell(t, row, WidthColumn);
    };

    // A ratio with a term of 0 or below has no pair of positive sides.
    if (rx <= 0 || ry <= 0) {
        return echoes;
    }
    const DivisorFilter widthDiv(in.WidthDiv, ',');
    const DivisorFilter widthNotDiv(in.WidthNotDiv, ',');
    const DivisorFilter heightDiv(in.HeightDiv, ',');
    const DivisorFilter heightNotDiv(in.HeightNotDiv, ',');
    const int32_t screenX = in.Rotated ? in.SY : in.SX;
    const int32_t screenY = in.Rotated ? in.SX : in.SY;

    // Widths below 1 have no picture, and the window never lists beyond MaxWidth.
    const int32_t last = std::min(in.To, MaxWidth);
    for (int32_t w = std::max(in.From, 1); w <= last; ++w) {
        if (widthDiv.Test(w) == 0 || widthNotDiv.Test(w) == 1 || w % rx != 0) {
            continue;
        }
        const int64_t tall = int64_t{w / rx} * ry;
        // A height beyond 32 bits would be listed wrapped and wrong; leave the pair out.
        if (tall > std::numeric_limits<int32_t>::max()) {
            continue;
        }
        const auto h = static_cast<int32_t>(tall);
        if (heightDiv.Test(h) == 0 || heightNotDiv.Test(h) == 1) {
            continue;
        }

        if (reference.Width == -1 || reference.Width == 0) {
            reference = {w, h};
        }
        const int64_t referenceArea = int64_t{reference.Width} * reference.Height;
        const std::string width = IntToText(w);
        const std::string height = IntToText(h);
        const LetterboxFrame frame = FitLetterbox(w, h, screenX, screenY, in.PX, in.PY);

        // Cells in column order: each one then appends to the row's storage.
        table.AddRow();
        const int32_t row = table.Count();
        table.SetCell(row, WidthColumn, width);
        table.SetCell(row, HeightColumn, height);
        table.SetCell(row, AreaPercentColumn, AreaPercentText(int64_t{w} * h, referenceArea));
        table.SetCell(row, AreaColumn, MultiplyDecimal(width, height));
        table.SetCell(
            row, PixelDifColumn,
            (CellText() << int64_t{w} - reference.Width << " / " << int64_t{h} - reference.Height)
                .View());
        table.SetCell(row, LetterboxColumn,
                      (CellText() << frame.Width << ":" << frame.Height << " (+" << frame.Width - w
                                  << ":+" << frame.Height - h << ")")
                          .View());
    }
    return echoes;
}
