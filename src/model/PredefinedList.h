#pragma once

#include <string>
#include <vector>

class superarray;

// Fills `table` with the predefined list as the window shows it: the film and video formats
// sorted, then the display formats in their own order, then one empty row that a click
// ignores. Each entry is the text of column 0.
void FillPredefinedList(superarray& table);
// The entries of that list in its order, without the empty row.
std::vector<std::string> PredefinedEntries();
