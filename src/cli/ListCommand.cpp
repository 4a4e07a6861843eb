// `pixolan list`: the pairs the window lists for the same inputs, as text tables or typed JSON.
#include "cli/Commands.h"
#include "core/Divisibility.h"
#include "core/ResultComputation.h"
#include "core/brueche.h"
#include "model/FormatRatio.h"
#include "model/PredefinedList.h"
#include "model/ResultColumns.h"
#include "superarray/superarray.h"
#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <memory>
#include <tuple>

namespace {

// The predefined formats by the pair of terms they set, "720x576" for 720:576.
std::multimap<std::string, std::string> FormatsBySize() {
    std::multimap<std::string, std::string> formats;
    for (const std::string& entry : PredefinedEntries()) {
        const RatioTerms terms = RatioOfFormat(entry);
        formats.emplace(terms.X + "x" + terms.Y, entry);
    }
    return formats;
}

// Everything a row of the list is written from.
struct ListRows {
    superarray Table;
    ResultInputs Inputs;
    ReferencePair Reference;
    std::multimap<std::string, std::string> Formats; // empty without --names

    std::vector<std::string> FormatsOf(const std::string& width, const std::string& height) const {
        std::vector<std::string> names;
        const auto [first, last] = Formats.equal_range(width + "x" + height);
        for (auto it = first; it != last; ++it) {
            names.push_back(it->second);
        }
        return names;
    }
};

void AppendJsonNumbers(std::string& out, std::span<const int64_t> numbers) {
    out += '[';
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        out += (i == 0 ? "" : ",") + Int64ToText(numbers[i]);
    }
    out += ']';
}

// More than any side below 2^31 has (1600 at the most).
constexpr std::size_t MaxDivisors = 2048;

// One row as typed JSON: numbers as numbers, lists as arrays, the pairs as objects.
void AppendJsonRow(const ListRows& rows, int32_t row, std::string& out) {
    const superarray& table = rows.Table;
    const std::string width = table.GetCell(row, WidthColumn);
    const std::string height = table.GetCell(row, HeightColumn);
    const int32_t w = TextToInt(width);
    const int32_t h = TextToInt(height);
    const std::string percent = table.GetCell(row, AreaPercentColumn);
    const auto [difWidth, difHeight] = PixelDifference(rows.Reference, w, h);
    const auto [frameWidth, frameHeight, barWidth, barHeight] = LetterboxNumbers(rows.Inputs, w, h);
    // Not zeroed: 16 KiB a row for every row of a long list; only the numbers written are read.
    std::array<int64_t, MaxDivisors> divisors;
    out += "{\"width\": " + width + ", \"height\": " + height +
           ", \"area_percent\": " + (percent.empty() ? std::string("null") : JsonValue(percent)) +
           ", \"area\": " + table.GetCell(row, AreaColumn) +
           ", \"pixel_difference\": {\"width\": " + Int64ToText(difWidth) +
           ", \"height\": " + Int64ToText(difHeight) + "}";
    for (const auto& [key, side] :
         {std::pair{"width_divisors", w}, std::pair{"height_divisors", h}}) {
        out += std::string(", \"") + key + "\": ";
        AppendJsonNumbers(out, std::span(divisors).first(LeadingDivisors(side, divisors)));
    }
    out += ", \"letterbox\": {\"width\": " + Int64ToText(frameWidth) +
           ", \"height\": " + Int64ToText(frameHeight) +
           ", \"bar_width\": " + Int64ToText(barWidth) +
           ", \"bar_height\": " + Int64ToText(barHeight) + "}";
    if (!rows.Formats.empty()) {
        out += ", \"formats\": [";
        const std::vector<std::string> names = rows.FormatsOf(width, height);
        for (std::size_t i = 0; i < names.size(); ++i) {
            out += (i == 0 ? "" : ", ") + JsonString(names[i]);
        }
        out += ']';
    }
    out += '}';
}

// The result rows with every cell as the table stores it (no digit grouping, no suffix), or
// as the window shows it; with --names a last column of the formats of each pair's size.
TextTable ResultRows(const std::shared_ptr<const ListRows>& rows, bool shown) {
    TextTable table;
    for (const ResultColumnDecl& column : ResultColumns) {
        table.Header.emplace_back(column.Caption);
    }
    const bool names = !rows->Formats.empty();
    if (names) {
        table.Header.emplace_back("Predefined formats");
    }
    table.RowCount = static_cast<std::size_t>(rows->Table.Count());
    table.Row = [rows, shown, names](std::size_t row, std::vector<std::string>& cells) {
        const auto r = static_cast<int32_t>(row) + 1;
        for (std::size_t c = 0; c < ResultColumns.size(); ++c) {
            cells[c] = shown ? rows->Table.GetCellShown(r, ResultColumns[c].Id)
                             : rows->Table.GetCell(r, ResultColumns[c].Id);
        }
        if (names) {
            std::string& joined = cells.back();
            joined.clear();
            for (const std::string& name : rows->FormatsOf(cells[0], cells[1])) {
                joined += (joined.empty() ? "" : "; ") + name;
            }
        }
    };
    table.JsonObject = [rows](std::size_t row, std::string& out) {
        AppendJsonRow(*rows, static_cast<int32_t>(row) + 1, out);
    };
    return table;
}

// Narrows the range of widths to the pairs whose height lies in [minHeight, maxHeight]: the
// pairs are k * rx by k * ry, so a bound on the heights is one on the widths.
void BoundHeights(ResultInputs& inputs, int64_t minHeight, int64_t maxHeight) {
    const auto [rx, ry] = ReduceRatio(inputs.RatioX, inputs.RatioY);
    const int64_t lowK = minHeight <= 0 ? 1 : (minHeight + ry - 1) / ry;
    const int64_t highK = maxHeight < 0 ? 0 : std::min<int64_t>(maxHeight / ry, MaxWidth);
    const int64_t from = std::max<int64_t>(inputs.From, lowK * rx);
    const int64_t to = std::min<int64_t>(inputs.To, highK * rx);
    if (from > to) {
        inputs.To = 0; // nothing to list
        return;
    }
    inputs.From = static_cast<int32_t>(from);
    inputs.To = static_cast<int32_t>(to);
}

} // namespace

int ListCommand(ArgumentReader& args, CommandStreams& io) {
    auto rows = std::make_shared<ListRows>();
    ResultInputs& inputs = rows->Inputs; // the window's defaults
    OutputFormat format = OutputFormat::Tsv;
    bool withHeader = true;
    bool names = false;
    int64_t minHeight = 0;
    int64_t maxHeight = std::numeric_limits<int64_t>::max();
    const std::map<std::string, std::string*> lists = {
        {"--width-div", &inputs.WidthDiv},
        {"--height-div", &inputs.HeightDiv},
        {"--width-not-div", &inputs.WidthNotDiv},
        {"--height-not-div", &inputs.HeightNotDiv},
    };
    const std::map<std::string, std::pair<int32_t*, int32_t*>> ratios = {
        {"--ratio", {&inputs.RatioX, &inputs.RatioY}},
        {"--screen", {&inputs.SX, &inputs.SY}},
        {"--playing", {&inputs.PX, &inputs.PY}},
    };
    const std::map<std::string, int32_t*> wholes = {
        {"--from", &inputs.From},
        {"--to", &inputs.To},
    };
    const std::map<std::string, int64_t*> heights = {
        {"--min-height", &minHeight},
        {"--max-height", &maxHeight},
    };
    const std::map<std::string, bool*> switches = {
        {"--rotated", &inputs.Rotated},
        {"--names", &names},
    };
    while (!args.Done()) {
        const std::string option = args.Next();
        args.Try([&] {
            if (!args.IsOption()) {
                throw UnknownArgument("list", option);
            } else if (const auto list = lists.find(option); list != lists.end()) {
                *list->second = ParseDivisorList(option, args.Value(option));
            } else if (const auto ratio = ratios.find(option); ratio != ratios.end()) {
                std::tie(*ratio->second.first, *ratio->second.second) =
                    ParseRatio(option, args.Value(option));
            } else if (const auto whole = wholes.find(option); whole != wholes.end()) {
                *whole->second = ParseWhole(option, args.Value(option));
            } else if (const auto height = heights.find(option); height != heights.end()) {
                *height->second = ParseWhole(option, args.Value(option));
            } else if (const auto on = switches.find(option); on != switches.end()) {
                args.Switch(option);
                *on->second = true;
            } else if (option == "--no-header") {
                args.Switch(option);
                withHeader = false;
            } else if (option == "--reference") {
                std::tie(rows->Reference.Width, rows->Reference.Height) =
                    ParseSize(option, args.Value(option));
            } else if (option == "--format") {
                format = ParseFormat(option, args.Value(option),
                                     {OutputFormat::Tsv, OutputFormat::Csv, OutputFormat::Json,
                                      OutputFormat::Jsonl, OutputFormat::Html});
            } else {
                throw UnknownArgument("list", option);
            }
        });
    }
    args.Check();
    // The window writes values above the widest width back as that width; widths below 1
    // have no picture, so the list starts at 1.
    inputs.From = CapWidth(inputs.From);
    inputs.To = CapWidth(inputs.To);
    BoundHeights(inputs, minHeight, maxHeight);
    InitResultTable(rows->Table);
    const ResultEchoes echoes = ComputeResults(inputs, rows->Table, rows->Reference);
    if (names) {
        rows->Formats = FormatsBySize();
    }
    // The page is the one the window's HTML export writes, so its cells read as the grid
    // shows them, digits grouped as the window groups them.
    const bool html = format == OutputFormat::Html;
    if (html) {
        DigitGroupSeparator.assign(1, '\'');
    }
    WriteTable(ResultRows(rows, html), format, withHeader, io.Out);
    if (echoes.TooTall > 0) {
        io.Note("note: " + IntToText(echoes.TooTall) +
                " pairs of the range are left out: their height is above 2147483647");
    }
    return 0;
}
