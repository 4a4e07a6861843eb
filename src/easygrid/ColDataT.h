#pragma once

#include <cstdint>
#include <string>

// One grid column of a TEasyGrid: which table column it shows and how.
struct ColDataT {
    int32_t Id = 0;                  // the table column shown; also the column's identity
    std::string SizeSpec = "0.1|20"; // width rule, weight|min|max; never empty
    std::string Header;              // text of the header row
    std::string Caption;             // text of the column's context-menu item
    std::string Key;                 // sort name, case-folded
    bool Visible = true;
    bool InMenu = true;  // the context menu lets the user switch the column
    int32_t MenuPos = 0; // position of its menu item; meaningful only while InMenu
};
