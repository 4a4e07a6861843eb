// The command line's entry: which arguments are the window's, help and version, the
// sub-commands, and the output in each format.
#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "model/HtmlPage.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view ListHelp =
    R"(Options of list (the window's defaults when left out):
  --ratio X:Y            the ratio of the pairs                        (4:3)
  --from N               the first width; below 1 lists from 1          (1)
  --to N                 the last width; at most 32768                  (768)
  --min-height N         the lowest height listed                       (none)
  --max-height N         the highest height listed                      (none)
  --width-div LIST       widths dividable by one of LIST, e.g. "4,6"    ("4")
  --height-div LIST      heights dividable by one of LIST               ("4")
  --width-not-div LIST   widths dividable by none of LIST               ("")
  --height-not-div LIST  heights dividable by none of LIST              ("")
                         LIST is whole numbers above 0 separated by commas;
                         an empty LIST ("") does not filter.
  --screen X:Y           the screen ratio of the letterboxed frame      (4:3)
  --playing X:Y          the playing ratio of the letterboxed frame     (16:9)
  --rotated              a movie rotated by 90 degrees                  (off)
  --reference WxH        the pair that areas and differences compare to (the first row)
  --names                add the predefined formats that set exactly the pair (off)
  --format FORMAT        tsv, csv, json, jsonl or html                  (tsv)
  --no-header            leave out the header line of tsv, csv and html (off)
)";

constexpr std::string_view IdentifyHelp =
    R"(Options of identify:
  WxH                    a size, such as 1920x1080 (also W:H); several may follow
  -                      read sizes from standard input, one a line: WxH, W:H or "W H"
  --format FORMAT        text, tsv, csv, json or jsonl                  (text)
)";

constexpr std::string_view FormatsHelp =
    R"(Options of formats:
  --format FORMAT        tsv, csv, json or jsonl                        (tsv)
)";

constexpr std::string_view Usage =
    R"(Usage:
  pixolan [toolkit options]    start the window
  pixolan list [options]       the width x height pairs the window lists
  pixolan identify WxH... | -  the ratio of sizes and the predefined formats near them
  pixolan formats [options]    the predefined formats and the ratio each one sets
  pixolan [COMMAND] --help     this help, or the options of one command
  pixolan --version
)";

struct Command {
    std::string_view Name;
    int (*Run)(ArgumentReader&, CommandStreams&);
    std::string_view Help;
};

constexpr std::array<Command, 3> Commands = {{
    {"list", ListCommand, ListHelp},
    {"identify", IdentifyCommand, IdentifyHelp},
    {"formats", FormatsCommand, FormatsHelp},
}};

// The toolkit's own options of a window program, and whether each takes a value.
struct ToolkitOption {
    std::string_view Name;
    bool TakesValue;
};

constexpr std::array<ToolkitOption, 17> ToolkitOptions = {{
    {"style", true},
    {"stylesheet", true},
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"qmljsdebugger", true},
    {"dialogs", true},
    {"fontengine", true},
    {"reverse", false},
    {"widgetcount", false},
}};

// Whether `arg` asks for the help or the version; only arguments before "--" do.
bool Asks(const std::vector<std::string>& args, std::initializer_list<std::string_view> names) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::any_of(args.begin(), end, [&names](const std::string& arg) {
        return std::find(names.begin(), names.end(), arg) != names.end();
    });
}

std::string Help(const std::string& command) {
    for (const Command& c : Commands) {
        if (command == c.Name) {
            return std::string("Usage: pixolan ") + std::string(c.Name) + " [options]\n\n" +
                   std::string(c.Help);
        }
    }
    std::string help(Usage);
    for (const Command& c : Commands) {
        help += "\n" + std::string(c.Help);
    }
    return help;
}

} // namespace

void WriteTable(const TextTable& table, OutputFormat format, bool withHeader, BlockWriter& out) {
    switch (format) {
    case OutputFormat::Csv:
        TableToCsv(table, withHeader, out);
        break;
    case OutputFormat::Json:
    case OutputFormat::Jsonl:
        TableToJson(table, format == OutputFormat::Jsonl, out);
        break;
    case OutputFormat::Html: {
        // The page of the grid's HTML export, with its default settings, handed on row by row.
        HtmlPageStyle style;
        style.HeaderRow = withHeader;
        out.Text += HtmlPageStart(style, table.Header);
        std::vector<std::string> cells(table.Header.size());
        for (std::size_t r = 0; r < table.RowCount; ++r) {
            table.Row(r, cells);
            AppendHtmlRow(out.Text, cells);
            out.EndLine();
        }
        out.Text += HtmlPageEnd();
        break;
    }
    default:
        TableToTsv(table, withHeader, out);
        break;
    }
}

UsageError UnknownArgument(const std::string& command, const std::string& argument) {
    return UsageError(Quoted(argument) + ": expected an option of " + command + " (pixolan " +
                      command + " --help lists them)");
}

bool StartsWindow(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        if (!name.starts_with('-')) {
            return false;
        }
        name.remove_prefix(name.starts_with("--") ? 2 : 1); // the toolkit takes both
        const std::size_t equals = name.find('=');
        const auto option =
            std::find_if(ToolkitOptions.begin(), ToolkitOptions.end(),
                         [&](const ToolkitOption& o) { return o.Name == name.substr(0, equals); });
        if (option == ToolkitOptions.end() || (!option->TakesValue && equals != name.npos)) {
            return false;
        }
        if (option->TakesValue && equals == name.npos) {
            ++i; // its value
        }
    }
    return true;
}

int RunCommandLine(const std::vector<std::string>& args, const OutputSink& out,
                   const std::function<void(const std::string& text)>& err,
                   const std::function<bool(std::string& line)>& readLine) {
    BlockWriter writer(out);
    const std::string command = args.empty() ? std::string() : args[0];
    ArgumentReader reader({args.begin() + (args.empty() ? 0 : 1), args.end()});
    CommandStreams streams{
        writer, [&err](const std::string& line) { err("pixolan: " + line + "\n"); }, readLine};
    int status = 0;
    try {
        if (Asks(args, {"--help", "-h"})) {
            writer.Text = Help(command);
        } else if (Asks(args, {"--version"})) {
            writer.Text = "pixolan " PIXOLAN_VERSION "\n";
        } else {
            const auto found = std::find_if(Commands.begin(), Commands.end(),
                                            [&](const Command& c) { return c.Name == command; });
            if (found == Commands.end()) {
                throw UsageError(Quoted(command) +
                                 ": expected a command: list, identify or formats");
            }
            status = found->Run(reader, streams);
        }
    } catch (const UsageError& error) {
        streams.Note(error.what());
        return 2;
    }
    if (!writer.Finish()) {
        streams.Note("cannot write the output");
        return 1;
    }
    return status;
}

int CommandLineMain(int argc, char** argv) {
    return RunCommandLine(
        {argv + 1, argv + argc},
        [](const std::string& text) {
            return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                   std::fflush(stdout) == 0;
        },
        [](const std::string& text) { std::fputs(text.c_str(), stderr); },
        [](std::string& line) {
            line.clear();
            int c = 0;
            while ((c = std::getc(stdin)) != EOF && c != '\n') {
                if (line.size() <= 4096) { // longer lines are bad anyway; keep the memory bounded
                    line += static_cast<char>(c);
                }
            }
            return c != EOF || !line.empty();
        });
}
