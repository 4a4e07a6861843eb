#pragma once

#include "cli/TextTable.h"

#include <functional>
#include <string>
#include <vector>

// True when the arguments (without the program's name) are for the window: none at all, or
// only the toolkit's own options such as "-platform xcb" or "-style=fusion". Everything else
// is the command line's, and what it does not know is an error there.
bool StartsWindow(const std::vector<std::string>& args);

// Runs a sub-command, --help or --version. Needs no display and loads no toolkit. Writes the
// output to `out`, error lines and notes (each ending in a line feed) to `err`, and reads the
// lines of standard input from `readLine` where a command asks for them. Returns the exit
// status: 0 done, 1 the output could not be written or some input was bad, 2 bad arguments
// (`err` then holds a line for each, and nothing went to `out`).
int RunCommandLine(const std::vector<std::string>& args, const OutputSink& out,
                   const std::function<void(const std::string& text)>& err,
                   const std::function<bool(std::string& line)>& readLine);

// Runs the command line on the process's arguments and standard streams; returns the exit
// status.
int CommandLineMain(int argc, char** argv);
