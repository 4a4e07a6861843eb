#pragma once

#include <QColor>
#include <QFlags>
#include <vector>

// What the grid's painters read: the colours, the lines and the options that draw them, the
// row height and the sort marks. The grid holds it and hands it to its cell painter and its
// header, so that neither of them needs to see the grid.
struct TGridLook {
    enum TGridOption {
        goFixedVertLine = 0x01, // lines between the header cells
        goFixedHorzLine = 0x02, // the line under the header
        goVertLine = 0x04,      // lines between data columns
        goHorzLine = 0x08,      // lines between data rows
        goColSizing = 0x10,     // the user resizes columns at the header
        goColMoving = 0x20,     // the user drags columns by their header
        goRowSelect = 0x40,     // a click selects the whole row
        goRangeSelect = 0x80,   // shift+click and shift+arrows extend the selection, ctrl+A
                                // selects all
    };
    Q_DECLARE_FLAGS(TGridOptions, TGridOption)

    // How a column takes part in the order of the rows: Rank 1 for the first sort key, 2 for
    // the second..., 0 for none. The header shows an arrow for every key (up ascending, down
    // descending) and the rank beside it from the second key on.
    struct TSortMark {
        int Rank = 0;
        bool Descending = false;
    };

    // Space between a cell's left edge and its text, and after the text.
    static constexpr int TextMargin = 2;

    TGridOptions Options;
    int LineWidth = 1;
    int RowHeight = 21;
    bool Bands = false;
    QColor Band1{0xFF, 0xFE, 0xE1};
    QColor Band2{Qt::white};
    QColor Background{Qt::white};
    QColor HeaderColor{0xC0, 0xC0, 0xC0};
    QColor LineColor{0xC0, 0xC0, 0xC0};
    QColor SelectedColor{0xB0, 0xB0, 0xB0};
    // Black on the grey selection reads at 9:1; white would reach only 2:1.
    QColor SelectedTextColor{Qt::black};
    QColor TextColor{Qt::black};
    bool Flat = false;                // header cells without a raised edge
    std::vector<TSortMark> SortMarks; // one per column; missing ones are none

    TSortMark SortMarkOf(int column) const {
        return column >= 0 && static_cast<std::size_t>(column) < SortMarks.size()
                   ? SortMarks[static_cast<std::size_t>(column)]
                   : TSortMark{};
    }
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TGridLook::TGridOptions)
