// The result list: every pair of the range in the ratio that passes the filters, and the
// cells computed from it when they are read.
#include "core/ResultComputation.h"

#include "core/Divisibility.h"
#include "core/DivisorFilter.h"
#include "core/PrimeFactors.h"
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
#include <optional>
#include <vector>

namespace {

// A run writes only the width and height of each pair. Every other cell follows from them
// and from the run's reference pair and screen and playing ratios, so the table computes it
// when it is read: the grid reads the rows in view, a keystroke lists up to 32768 rows, and
// the divisor lists of tall heights run to thousands of characters.
struct RunContext {
    ReferencePair Reference;
    int32_t SX; // screen ratio
    int32_t SY;
    int32_t PX; // playing ratio
    int32_t PY;
    bool Rotated;
    int32_t RX; // the reduced ratio: every pair is k * RX by k * RY
    int32_t RY;
};

// The frame's width and height, then what the bars add to each.
std::array<int64_t, 4> Letterbox(int32_t width, int32_t height, int32_t sx, int32_t sy, int32_t px,
                                 int32_t py, bool rotated) {
    // A picture turned by 90 degrees meets the screen with its terms traded.
    const LetterboxFrame frame =
        FitLetterbox(width, height, rotated ? sy : sx, rotated ? sx : sy, px, py);
    return {frame.Width, frame.Height, frame.Width - width, frame.Height - height};
}

struct Pair {
    std::string Width;
    std::string Height;
    int32_t W;
    int32_t H;
};

Pair PairOf(const superarray& table, int32_t row) {
    Pair pair{table.GetCell(row, WidthColumn), table.GetCell(row, HeightColumn), 0, 0};
    pair.W = TextToInt(pair.Width);
    pair.H = TextToInt(pair.Height);
    return pair;
}

// Decimals of an area percentage.
constexpr int PercentDecimals = 2;

int64_t ReferenceArea(const RunContext& run) {
    return int64_t{run.Reference.Width} * run.Reference.Height;
}

// The area of width x height in percent of the reference pair's, which must not be 0.
double AreaPercent(int64_t referenceArea, int32_t width, int32_t height) {
    // Both products are exact in 64 bits and in the extended mantissa.
    const long double percent =
        static_cast<long double>(int64_t{width} * height) / referenceArea * 100;
    return static_cast<double>(percent);
}

std::string AreaPercentText(const RunContext& run, const Pair& pair) {
    const int64_t referenceArea = ReferenceArea(run);
    return referenceArea == 0
               ? std::string()
               : FloatToText(PercentDecimals, AreaPercent(referenceArea, pair.W, pair.H));
}

std::string PixelDifText(const RunContext& run, const Pair& pair) {
    const auto [width, height] = PixelDifference(run.Reference, pair.W, pair.H);
    return Int64ToText(width) + " / " + Int64ToText(height);
}

std::array<int64_t, 4> LetterboxTerms(const RunContext& run, int32_t width, int32_t height) {
    return Letterbox(width, height, run.SX, run.SY, run.PX, run.PY, run.Rotated);
}

std::string LetterboxText(const RunContext& run, const Pair& pair) {
    const auto [width, height, addedWidth, addedHeight] = LetterboxTerms(run, pair.W, pair.H);
    return Int64ToText(width) + ":" + Int64ToText(height) + " (+" + Int64ToText(addedWidth) + ":+" +
           Int64ToText(addedHeight) + ")";
}

// Installs the computed cell of `column`; rows without a width (blank slots) read empty.
template <typename Make>
void Derive(superarray& table, int32_t column, Make make) {
    table.Columns[static_cast<std::size_t>(column)].Source = [make](const superarray& t,
                                                                    int32_t row) -> std::string {
        const Pair pair = PairOf(t, row);
        return pair.Width.empty() ? std::string() : make(pair);
    };
}

// Installs the numbers a sort on `column` reads for a row, made by `numbers` from the row's
// sides (an array, or an optional one that is empty where only the text can tell); a blank
// slot has none, as its empty text.
template <typename Numbers>
void SortNumbers(superarray& table, int32_t column, Numbers numbers) {
    table.Columns[static_cast<std::size_t>(column)].LeadingNumbers =
        [numbers](const superarray& t, int32_t row,
                  std::span<int64_t> out) -> std::optional<std::size_t> {
        // Sides are stored as plain digits.
        int32_t width = 0;
        int32_t height = 0;
        if (!ReadInt32(t.StoredCell(row, WidthColumn), width) ||
            !ReadInt32(t.StoredCell(row, HeightColumn), height)) {
            return 0;
        }
        // Either the numbers, or none to say that the row's text must decide.
        const std::optional terms = numbers(width, height);
        if (!terms) {
            return std::nullopt;
        }
        const std::size_t count = std::min(out.size(), terms->size());
        std::copy_n(terms->begin(), count, out.begin());
        return count;
    };
}

void DeriveCells(superarray& table, const RunContext& run) {
    Derive(table, AreaPercentColumn, [run](const Pair& p) { return AreaPercentText(run, p); });
    Derive(table, AreaColumn, [](const Pair& p) { return MultiplyDecimal(p.Width, p.Height); });
    Derive(table, PixelDifColumn, [run](const Pair& p) { return PixelDifText(run, p); });
    Derive(table, HeightDivisorsColumn, [](const Pair& p) { return DivisorList(p.H); });
    Derive(table, WidthDivisorsColumn, [](const Pair& p) { return DivisorList(p.W); });
    Derive(table, LetterboxColumn, [run](const Pair& p) { return LetterboxText(run, p); });
    // A sort by a list cell reads numbers that order like the list, not the list itself. A
    // side is k times its ratio term, and factoring k and the term apart is much cheaper than
    // factoring a tall side by trial division. Blank slots have the empty list.
    struct ListSide {
        int32_t List;
        int32_t Side;
        int32_t Term;
    };
    for (const ListSide each : {ListSide{HeightDivisorsColumn, HeightColumn, run.RY},
                                ListSide{WidthDivisorsColumn, WidthColumn, run.RX}}) {
        table.Columns[static_cast<std::size_t>(each.List)].LeadingNumbers =
            [side = each.Side, term = each.Term, termFactors = PrimeFactors::Of(each.Term)](
                const superarray& t, int32_t row,
                std::span<int64_t> out) -> std::optional<std::size_t> {
            // Sides are stored as plain digits; a blank slot reads as 0.
            int32_t n = 0;
            ReadInt32(t.StoredCell(row, side), n);
            const PrimeFactors factors = n > 0 && term > 0 && n % term == 0
                                             ? PrimeFactors::Of(n / term).Times(termFactors)
                                             : PrimeFactors::Of(n);
            return factors.WriteListOrder(out);
        };
    }
    // The sides, the area, the pixel difference and the frame: the numbers the texts show,
    // in their order, made from the stored sides without writing and reading the texts.
    SortNumbers(table, WidthColumn, [](int32_t w, int32_t) { return std::array{int64_t{w}}; });
    SortNumbers(table, HeightColumn, [](int32_t, int32_t h) { return std::array{int64_t{h}}; });
    SortNumbers(table, AreaColumn, [](int32_t w, int32_t h) { return std::array{int64_t{w} * h}; });
    // A difference of two 32-bit sides lies within 2^32 either way; the sorter packs only
    // numbers of 0 and above, and shifting both by the same amount keeps their order.
    SortNumbers(table, PixelDifColumn, [run](int32_t w, int32_t h) {
        constexpr int64_t Shift = int64_t{1} << 32;
        const auto [width, height] = PixelDifference(run.Reference, w, h);
        return std::array{width + Shift, height + Shift};
    });
    SortNumbers(table, LetterboxColumn,
                [run](int32_t w, int32_t h) { return LetterboxTerms(run, w, h); });
    // A percentage's digits read as one number order like its text, and equal texts give
    // equal numbers: areas that round alike still tie. Without a reference every text is
    // empty, and the texts sort at no cost.
    const int64_t referenceArea = ReferenceArea(run);
    table.Columns[AreaPercentColumn].LeadingNumbers = nullptr;
    if (referenceArea != 0) {
        SortNumbers(table, AreaPercentColumn,
                    [referenceArea](int32_t w, int32_t h) -> std::optional<std::array<int64_t, 1>> {
                        const std::optional<uint64_t> units =
                            FixedUnits(PercentDecimals, AreaPercent(referenceArea, w, h));
                        if (!units || *units > std::numeric_limits<int64_t>::max()) {
                            return std::nullopt;
                        }
                        return std::array{static_cast<int64_t>(*units)};
                    });
    }
}

// For each k of 0..count, whether the side k * step passes its "dividable by" and "not
// dividable by" lists. A list without a positive entry filters nothing. The sieve costs the
// same for any list, so a long pasted list does not slow a keystroke down.
std::vector<bool> Passing(const std::string& div, const std::string& notDiv, int32_t count,
                          int32_t step) {
    const DivisorFilter must(div, ',');
    const DivisorFilter mustNot(notDiv, ',');
    std::vector<bool> passes(static_cast<std::size_t>(std::max(count, 0)) + 1, true);
    if (must.Active()) {
        passes = must.Multiples(count, step);
    }
    if (mustNot.Active()) {
        const std::vector<bool> excluded = mustNot.Multiples(count, step);
        for (std::size_t k = 0; k < passes.size(); ++k) {
            passes[k] = passes[k] && !excluded[k];
        }
    }
    return passes;
}

// Writes the rows of the pairs k * rx by k * ry for the k in `steps`. A keystroke lists up to
// 32768 pairs: the digits go straight from the stack into the rows, both sides at once, where a
// text per side would cost a copy each and a write per side the row's bookkeeping twice; a
// tall list is written by two threads, one half each.
void AddPairRows(superarray& table, const std::vector<int32_t>& steps, int32_t rx, int32_t ry) {
    table.AddRows(static_cast<int32_t>(steps.size()), [&](int32_t first, int32_t end,
                                                          superarray::RowWriter& writer) {
        std::array<char, 12> widthDigits;
        std::array<char, 12> heightDigits;
        const auto digits = [](std::array<char, 12>& into, int32_t value) {
            const char* last = std::to_chars(into.data(), into.data() + into.size(), value).ptr;
            return std::string_view(into.data(), last);
        };
        for (int32_t i = first; i < end; ++i) {
            const int32_t k = steps[static_cast<std::size_t>(i)];
            const PackedRow::CellText cells[] = {{WidthColumn, digits(widthDigits, k * rx)},
                                                 {HeightColumn, digits(heightDigits, k * ry)}};
            writer.Next(cells);
        }
    });
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

    // A ratio with a term of 0 or below has no pair of positive sides.
    if (rx > 0 && ry > 0) {
        // Widths below 1 have no picture, and the window never lists beyond MaxWidth. The
        // pairs are k * rx by k * ry.
        const int32_t last = std::min(in.To, MaxWidth) / rx;
        const std::vector<bool> widthPasses = Passing(in.WidthDiv, in.WidthNotDiv, last, rx);
        const std::vector<bool> heightPasses = Passing(in.HeightDiv, in.HeightNotDiv, last, ry);
        const int32_t firstStep = (std::max(in.From, 1) - 1) / rx + 1;
        std::vector<int32_t> steps;
        steps.reserve(
            static_cast<std::size_t>(std::max(int64_t{last} - firstStep + 1, int64_t{0})));
        for (int32_t k = firstStep; k <= last; ++k) {
            const int64_t tall = int64_t{k} * ry;
            // A height beyond 32 bits would be listed wrapped and wrong; leave the pair out.
            if (!widthPasses[static_cast<std::size_t>(k)] ||
                !heightPasses[static_cast<std::size_t>(k)]) {
                continue;
            }
            if (tall > std::numeric_limits<int32_t>::max()) {
                ++echoes.TooTall;
                continue;
            }
            steps.push_back(k);
        }
        if (!steps.empty() && (reference.Width == -1 || reference.Width == 0)) {
            reference = {steps.front() * rx, steps.front() * ry};
        }
        AddPairRows(table, steps, rx, ry);
    }
    DeriveCells(table, {reference, in.SX, in.SY, in.PX, in.PY, in.Rotated, rx, ry});
    return echoes;
}

std::array<int64_t, 2> PixelDifference(const ReferencePair& reference, int32_t width,
                                       int32_t height) {
    return {int64_t{width} - reference.Width, int64_t{height} - reference.Height};
}

std::array<int64_t, 4> LetterboxNumbers(const ResultInputs& in, int32_t width, int32_t height) {
    return Letterbox(width, height, in.SX, in.SY, in.PX, in.PY, in.Rotated);
}
