#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "model/HtmlPage.h"

#include <cstdio>

namespace {

constexpr const char* HelpText =
    R"(Usage:
  pixolan                      start the window
  pixolan list [options]       the width x height pairs the window lists
  pixolan identify WxH         the ratio of a size and the predefined formats near it
  pixolan formats              the predefined formats and the ratio each one sets
  pixolan --help | --version

Options of list (the window's defaults when left out):
  --ratio X:Y            the ratio of the pairs                        (4:3)
  --from N               the first width; below 1 lists from 1          (1)
  --to N                 the last width; at most 32768                  (768)
  --width-div LIST       widths dividable by one of LIST, e.g. "4,6"    ("4")
  --height-div LIST      heights dividable by one of LIST               ("4")
  --width-not-div LIST   widths dividable by none of LIST               ("")
  --height-not-div LIST  heights dividable by none of LIST              ("")
                         An empty LIST ("") does not filter.
  --screen X:Y           the screen ratio of the letterboxed frame      (4:3)
  --playing X:Y          the playing ratio of the letterboxed frame     (16:9)
  --rotated              a movie rotated by 90 degrees                  (off)
  --reference WxH        the pair that areas and differences compare to (the first row)
  --format FORMAT        tsv, csv, json or html                         (tsv)
  --no-header            leave out the header line                      (off)

Options of identify and formats:
  --format FORMAT        tsv or json for identify, tsv, csv or json for formats (tsv)
)";

std::string Version() {
    return "pixolan " PIXOLAN_VERSION "\n";
}

// The page of the grid's HTML export, with its default settings, handed on row by row.
void TableToHtml(const TextTable& table, bool withHeader, BlockWriter& out) {
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
}

} // namespace

void WriteTable(const TextTable& table, OutputFormat format, bool withHeader, BlockWriter& out) {
    switch (format) {
    case OutputFormat::Csv:
        TableToCsv(table, withHeader, out);
        break;
    case OutputFormat::Json:
        TableToJson(table, withHeader, out);
        break;
    case OutputFormat::Html:
        TableToHtml(table, withHeader, out);
        break;
    default:
        TableToTsv(table, withHeader, out);
        break;
    }
}

UsageError UnknownArgument(const std::string& command, const std::string& argument) {
    return UsageError(Quoted(argument) + ": expected an option of " + command +
                      " (pixolan --help lists them)");
}

bool IsCommandLine(const std::vector<std::string>& args) {
    return !args.empty() && (!args[0].starts_with("-") || args[0] == "--help" || args[0] == "-h" ||
                             args[0] == "--version");
}

int RunCommandLine(const std::vector<std::string>& args, const OutputSink& out, std::string& err) {
    BlockWriter writer(out);
    const std::string command = args.empty() ? std::string() : args[0];
    ArgumentReader reader({args.begin() + (args.empty() ? 0 : 1), args.end()});
    const bool wantsHelp = command == "--help" || command == "-h" ||
                           (args.size() > 1 && (args[1] == "--help" || args[1] == "-h"));
    try {
        if (wantsHelp) {
            writer.Text = HelpText;
        } else if (command == "--version") {
            writer.Text = Version();
        } else if (command == "list") {
            ListCommand(reader, writer);
        } else if (command == "identify") {
            IdentifyCommand(reader, writer);
        } else if (command == "formats") {
            FormatsCommand(reader, writer);
        } else {
            throw UsageError(Quoted(command) + ": expected a command: list, identify or formats");
        }
    } catch (const UsageError& error) {
        err = std::string("pixolan: ") + error.what() + "\n";
        return 2;
    }
    if (!writer.Finish()) {
        err = "pixolan: cannot write the output\n";
        return 1;
    }
    return 0;
}

int CommandLineMain(int argc, char** argv) {
    std::string err;
    const int status = RunCommandLine(
        {argv + 1, argv + argc},
        [](const std::string& text) {
            return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                   std::fflush(stdout) == 0;
        },
        err);
    std::fputs(err.c_str(), stderr);
    return status;
}
