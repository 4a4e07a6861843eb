#pragma once

#include "cli/Arguments.h"
#include "cli/TextTable.h"

#include <functional>
#include <string>

// What a sub-command reads and writes besides its arguments.
struct CommandStreams {
    BlockWriter& Out;
    // Writes one line to standard error, after "pixolan: ".
    std::function<void(const std::string& line)> Note;
    // The next line of standard input without its line end; false at its end.
    std::function<bool(std::string& line)> ReadLine;
};

// Each sub-command reads all its arguments (after the command's name) before it writes; bad
// arguments throw one UsageError with a line for each before anything is written. Returns
// the exit status: 0 done, 1 some input could not be answered.
int ListCommand(ArgumentReader& args, CommandStreams& io);
int IdentifyCommand(ArgumentReader& args, CommandStreams& io);
int FormatsCommand(ArgumentReader& args, CommandStreams& io);

// The table in the chosen format; the header line only for text tables and withHeader.
void WriteTable(const TextTable& table, OutputFormat format, bool withHeader, BlockWriter& out);

// The error for an argument a command does not take.
UsageError UnknownArgument(const std::string& command, const std::string& argument);
