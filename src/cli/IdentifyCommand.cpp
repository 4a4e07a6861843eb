// `pixolan identify`: the reduced ratio of sizes and the predefined formats at and near it, for
// sizes given as arguments or read line by line.
#include "cli/Commands.h"
#include "core/brueche.h"
#include "model/FormatRatio.h"
#include "model/PredefinedList.h"
#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

// How many formats of another ratio are shown after the exact ones.
constexpr std::size_t NearestCount = 5;

struct Candidate {
    std::string Entry;
    RatioTerms Terms;
    double Distance; // between the logarithms of the ratios: wider and taller weigh alike
    bool Exact;
};

std::vector<Candidate> Candidates(int32_t width, int32_t height) {
    const auto reduced = ReduceRatio(width, height);
    std::vector<Candidate> found;
    for (const std::string& entry : PredefinedEntries()) {
        const RatioTerms terms = RatioOfFormat(entry);
        const int32_t x = TextToInt(terms.X);
        const int32_t y = TextToInt(terms.Y);
        if (x < 1 || y < 1) {
            continue; // a format without whole terms cannot match
        }
        const double distance = std::abs(std::log(static_cast<double>(x) / y) -
                                         std::log(static_cast<double>(width) / height));
        found.push_back({entry, terms, distance, ReduceRatio(x, y) == reduced});
    }
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.Exact != b.Exact ? a.Exact : a.Distance < b.Distance;
    });
    const auto exact =
        std::count_if(found.begin(), found.end(), [](const Candidate& c) { return c.Exact; });
    found.resize(std::min(found.size(), static_cast<std::size_t>(exact) + NearestCount));
    return found;
}

// What identify answers for one size.
struct Answer {
    std::string Size; // "1920x1080"
    int32_t Width;
    int32_t Height;
    std::string Ratio;   // reduced, "16:9"
    std::string Decimal; // "1.78:1"
    std::vector<Candidate> Formats;
};

Answer Identify(std::pair<int32_t, int32_t> size) {
    const auto [width, height] = size;
    const auto [rx, ry] = ReduceRatio(width, height);
    return {IntToText(width) + "x" + IntToText(height),
            width,
            height,
            IntToText(rx) + ":" + IntToText(ry),
            FloatToFixed(2, static_cast<double>(width) / height) + ":1",
            Candidates(width, height)};
}

// The answer as a JSON object over lines indented by `indent`, or on one line.
std::string JsonObject(const Answer& answer, bool lines, const std::string& indent) {
    const std::string field = lines ? "\n" + indent + "  " : " ";
    const std::string item = lines ? "\n" + indent + "    " : "";
    const auto list = [&](bool exact) {
        std::string items;
        for (const Candidate& c : answer.Formats) {
            if (c.Exact == exact) {
                items += (items.empty() ? ""
                          : lines       ? ","
                                        : ", ") +
                         item + "{\"format\": " + JsonString(c.Entry) +
                         ", \"x\": " + JsonValue(c.Terms.X) + ", \"y\": " + JsonValue(c.Terms.Y) +
                         "}";
            }
        }
        return items.empty() ? std::string("[]")
                             : "[" + items + (lines ? "\n" + indent + "  " : "") + "]";
    };
    return "{" + (lines ? field : "") + "\"width\": " + IntToText(answer.Width) + "," + field +
           "\"height\": " + IntToText(answer.Height) + "," + field +
           "\"ratio\": " + JsonString(answer.Ratio) + "," + field +
           "\"decimal\": " + JsonString(answer.Decimal) + "," + field + "\"exact\": " + list(true) +
           "," + field + "\"nearest\": " + list(false) + (lines ? "\n" + indent : "") + "}";
}

std::string Names(const Answer& answer, bool exact) {
    std::string names;
    for (const Candidate& c : answer.Formats) {
        if (c.Exact == exact) {
            names += (names.empty() ? "" : "; ") + c.Entry;
        }
    }
    return names;
}

// Writes the answers in one format as they come: a block of lines each (with a "Size" line
// when there are several), a table row each, or a JSON object each.
class AnswerWriter {
public:
    AnswerWriter(OutputFormat format, bool several, BlockWriter& out)
        : Format(format), Several(several), Out(out) {}

    void Write(const Answer& answer) {
        switch (Format) {
        case OutputFormat::Json:
            Out.Text += !Several ? "" : Count == 0 ? "[\n  " : ",\n  ";
            Out.Text += JsonObject(answer, true, Several ? "  " : "");
            break;
        case OutputFormat::Jsonl:
            Out.Text += JsonObject(answer, false, "") + "\n";
            break;
        case OutputFormat::Tsv:
        case OutputFormat::Csv:
            WriteTable(TableOf({"Size", "Ratio", "Decimal", "Exact", "Nearest"},
                               {{answer.Size, answer.Ratio, answer.Decimal, Names(answer, true),
                                 Names(answer, false)}}),
                       Format, Count == 0, Out);
            break;
        default:
            Out.Text += Count == 0 || !Several ? "" : "\n";
            Out.Text += Several ? "Size\t" + answer.Size + "\n" : "";
            Out.Text += "Ratio\t" + answer.Ratio + "\nDecimal\t" + answer.Decimal + "\n";
            for (const Candidate& c : answer.Formats) {
                Out.Text += std::string(c.Exact ? "exact" : "nearest") + "\t" + c.Entry + "\t" +
                            c.Terms.X + ":" + c.Terms.Y + "\n";
            }
        }
        ++Count;
        Out.EndLine();
    }

    void Finish() {
        if (Format == OutputFormat::Json) {
            Out.Text += !Several ? "\n" : Count == 0 ? "[]\n" : "\n]\n";
        }
    }

private:
    OutputFormat Format;
    bool Several;
    BlockWriter& Out;
    std::size_t Count = 0;
};

// Lines longer than this are no sizes; the rest of such a line is skipped unread.
constexpr std::size_t MaxLine = 256;

} // namespace

int IdentifyCommand(ArgumentReader& args, CommandStreams& io) {
    OutputFormat format = OutputFormat::Text;
    std::vector<std::pair<int32_t, int32_t>> sizes;
    bool fromInput = false;
    while (!args.Done()) {
        const std::string arg = args.Next();
        args.Try([&] {
            if (args.IsOption() && arg == "--format") {
                format = ParseFormat(arg, args.Value(arg),
                                     {OutputFormat::Text, OutputFormat::Tsv, OutputFormat::Csv,
                                      OutputFormat::Json, OutputFormat::Jsonl});
            } else if (args.IsOption()) {
                throw UnknownArgument("identify", arg);
            } else if (arg == "-") {
                fromInput = true;
            } else {
                sizes.push_back(ParseSize("identify", arg));
            }
        });
    }
    if (sizes.empty() && !fromInput) {
        args.Try([] { throw UsageError("identify: expected WxH, such as 1920x1080, or -"); });
    }
    args.Check();

    AnswerWriter writer(format, fromInput || sizes.size() > 1, io.Out);
    for (const auto& size : sizes) {
        writer.Write(Identify(size));
    }
    int status = 0;
    std::string line;
    for (std::size_t number = 1; fromInput && io.ReadLine(line); ++number) {
        // Some editors start a saved text with a byte-order mark: it belongs to no size.
        if (constexpr std::string_view Mark = "\xEF\xBB\xBF";
            number == 1 && line.starts_with(Mark)) {
            line.erase(0, Mark.size());
        }
        std::pair<int32_t, int32_t> size;
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue; // blank lines separate, they ask nothing
        }
        if (line.size() > MaxLine || !ReadSize(line, size)) {
            io.Note("line " +
                    IntToText(static_cast<int32_t>(
                        std::min<std::size_t>(number, std::numeric_limits<int32_t>::max()))) +
                    ": " + Quoted(line.substr(0, MaxLine)) +
                    ": expected WxH, W:H or \"W H\" with whole numbers above 0");
            status = 1;
            continue;
        }
        writer.Write(Identify(size));
        io.Out.Flush();
    }
    writer.Finish();
    return status;
}
