#include "cli/Commands.h"
#include "core/ResultComputation.h"
#include "model/ResultColumns.h"
#include "superarray/superarray.h"
#include "util/NumberFormat.h"

#include <map>
#include <memory>
#include <tuple>

namespace {

// The result rows with every cell as the table stores it (no digit grouping, no suffix), or
// as the window shows it.
TextTable ResultRows(const std::shared_ptr<const superarray>& table, bool shown) {
    TextTable rows;
    for (const ResultColumnDecl& column : ResultColumns) {
        rows.Header.emplace_back(column.Caption);
    }
    rows.RowCount = static_cast<std::size_t>(table->Count());
    rows.Row = [table, shown](std::size_t row, std::vector<std::string>& cells) {
        const auto r = static_cast<int32_t>(row) + 1;
        for (std::size_t c = 0; c < ResultColumns.size(); ++c) {
            cells[c] = shown ? table->GetCellShown(r, ResultColumns[c].Id)
                             : table->GetCell(r, ResultColumns[c].Id);
        }
    };
    return rows;
}

} // namespace

void ListCommand(ArgumentReader& args, BlockWriter& out) {
    ResultInputs inputs; // the window's defaults
    ReferencePair reference;
    OutputFormat format = OutputFormat::Tsv;
    bool withHeader = true;
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
    while (!args.Done()) {
        const std::string option = args.Next();
        if (const auto list = lists.find(option); list != lists.end()) {
            *list->second = args.Value(option);
        } else if (const auto ratio = ratios.find(option); ratio != ratios.end()) {
            std::tie(*ratio->second.first, *ratio->second.second) =
                ParseRatio(option, args.Value(option));
        } else if (option == "--from") {
            inputs.From = ParseWhole(option, args.Value(option));
        } else if (option == "--to") {
            inputs.To = ParseWhole(option, args.Value(option));
        } else if (option == "--rotated") {
            inputs.Rotated = true;
        } else if (option == "--reference") {
            std::tie(reference.Width, reference.Height) = ParseSize(option, args.Value(option));
        } else if (option == "--format") {
            format = ParseFormat(
                option, args.Value(option),
                {OutputFormat::Tsv, OutputFormat::Csv, OutputFormat::Json, OutputFormat::Html});
        } else if (option == "--no-header") {
            withHeader = false;
        } else {
            throw UnknownArgument("list", option);
        }
    }
    // The window writes values above the widest width back as that width; widths below 1
    // have no picture, so the list starts at 1.
    inputs.From = CapWidth(inputs.From);
    inputs.To = CapWidth(inputs.To);
    auto table = std::make_shared<superarray>();
    InitResultTable(*table);
    ComputeResults(inputs, *table, reference);
    // The page is the one the window's HTML export writes, so its cells read as the grid
    // shows them, digits grouped as the window groups them.
    const bool html = format == OutputFormat::Html;
    if (html) {
        DigitGroupSeparator.assign(1, '\'');
    }
    WriteTable(ResultRows(table, html), format, withHeader, out);
}
