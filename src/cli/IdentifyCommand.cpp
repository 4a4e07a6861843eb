#include "cli/Commands.h"
#include "core/brueche.h"
#include "model/FormatRatio.h"
#include "model/PredefinedList.h"
#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <algorithm>
#include <cmath>

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

} // namespace

void IdentifyCommand(ArgumentReader& args, BlockWriter& out) {
    std::pair<int32_t, int32_t> size{0, 0};
    OutputFormat format = OutputFormat::Tsv;
    while (!args.Done()) {
        const std::string arg = args.Next();
        if (arg == "--format") {
            format = ParseFormat(arg, args.Value(arg), {OutputFormat::Tsv, OutputFormat::Json});
        } else if (!arg.starts_with("-") && size.first == 0) {
            size = ParseSize("identify", arg);
        } else {
            throw UnknownArgument("identify", arg);
        }
    }
    if (size.first == 0) {
        throw UsageError("identify: expected WxH, such as 1920x1080");
    }
    const auto [rx, ry] = ReduceRatio(size.first, size.second);
    const std::string ratio = IntToText(rx) + ":" + IntToText(ry);
    const std::string decimal =
        FloatToFixed(2, static_cast<double>(size.first) / size.second) + ":1";
    const std::vector<Candidate> candidates = Candidates(size.first, size.second);

    if (format == OutputFormat::Json) {
        std::string exact;
        std::string nearest;
        for (const Candidate& c : candidates) {
            std::string& into = c.Exact ? exact : nearest;
            into += std::string(into.empty() ? "\n    " : ",\n    ") +
                    "{\"format\": " + JsonString(c.Entry) + ", \"x\": " + JsonValue(c.Terms.X) +
                    ", \"y\": " + JsonValue(c.Terms.Y) + "}";
        }
        const auto list = [](const std::string& items) {
            return items.empty() ? std::string("[]") : "[" + items + "\n  ]";
        };
        out.Text += "{\n  \"ratio\": " + JsonString(ratio) +
                    ",\n  \"decimal\": " + JsonString(decimal) + ",\n  \"exact\": " + list(exact) +
                    ",\n  \"nearest\": " + list(nearest) + "\n}\n";
        return;
    }
    out.Text += "Ratio\t" + ratio + "\nDecimal\t" + decimal + "\n";
    for (const Candidate& c : candidates) {
        out.Text += std::string(c.Exact ? "exact" : "nearest") + "\t" + c.Entry + "\t" + c.Terms.X +
                    ":" + c.Terms.Y + "\n";
    }
}
