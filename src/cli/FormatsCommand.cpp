// `pixolan formats`: the predefined formats and the ratio terms each one sets.
#include "cli/Commands.h"
#include "model/FormatRatio.h"
#include "model/PredefinedList.h"

int FormatsCommand(ArgumentReader& args, CommandStreams& io) {
    OutputFormat format = OutputFormat::Tsv;
    while (!args.Done()) {
        const std::string arg = args.Next();
        args.Try([&] {
            if (arg != "--format" || !args.IsOption()) {
                throw UnknownArgument("formats", arg);
            }
            format = ParseFormat(
                arg, args.Value(arg),
                {OutputFormat::Tsv, OutputFormat::Csv, OutputFormat::Json, OutputFormat::Jsonl});
        });
    }
    args.Check();
    std::vector<std::vector<std::string>> rows;
    for (const std::string& entry : PredefinedEntries()) {
        const RatioTerms terms = RatioOfFormat(entry);
        rows.push_back({entry, terms.X, terms.Y});
    }
    WriteTable(TableOf({"Format", "X", "Y"}, std::move(rows)), format, true, io.Out);
    return 0;
}
