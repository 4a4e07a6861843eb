#pragma once

#include "cli/Arguments.h"
#include "cli/TextTable.h"

#include <string>

// Each sub-command reads all its arguments (after the command's name) before it writes; a bad
// argument throws UsageError before anything is written.
void ListCommand(ArgumentReader& args, BlockWriter& out);
void IdentifyCommand(ArgumentReader& args, BlockWriter& out);
void FormatsCommand(ArgumentReader& args, BlockWriter& out);

// The table in the chosen format.
void WriteTable(const TextTable& table, OutputFormat format, bool withHeader, BlockWriter& out);

// The error for an argument a command does not take.
UsageError UnknownArgument(const std::string& command, const std::string& argument);
