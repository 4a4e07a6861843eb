#pragma once

#include "cli/TextTable.h"

#include <string>
#include <vector>

// True when the arguments (without the program's name) name a sub-command, --help or
// --version. Anything else, such as no argument or a toolkit option like "-platform", is
// for the window.
bool IsCommandLine(const std::vector<std::string>& args);

// Runs a sub-command, --help or --version, writing its output to `out`. Needs no display and
// creates no widget. Returns the exit status: 0 done, 1 the output could not be written,
// 2 a bad argument; `err` then holds one line and nothing went to `out`.
int RunCommandLine(const std::vector<std::string>& args, const OutputSink& out, std::string& err);

// Runs the command line on the process's arguments and writes its output to stdout and
// stderr; returns the exit status.
int CommandLineMain(int argc, char** argv);
