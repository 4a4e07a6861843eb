// The predefined list as the window shows it.
#include "model/PredefinedList.h"

#include "model/PredefinedFormats.h"
#include "superarray/superarray.h"

void FillPredefinedList(superarray& table) {
    table.Init();
    for (const std::string_view format : FilmVideoFormats) {
        table.AddRowText(format, 0);
    }
    table.Sort();
    for (const std::string_view format : DisplayFormats) {
        table.AddRowText(format, 0);
    }
    table.AddRowText("", 0);
    table.Compact();
}

std::vector<std::string> PredefinedEntries() {
    superarray list;
    FillPredefinedList(list);
    std::vector<std::string> entries;
    for (int32_t row = 1; row < list.Count(); ++row) {
        entries.push_back(list.GetRowText(row));
    }
    return entries;
}
