#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The 26 text cells of one table row, packed into one buffer: only non-empty cells are stored,
// in column order, each as its length (7 bits a byte, high bit set while more bytes follow) and
// then its bytes. A result row of eight short texts costs one small allocation, not 26 strings,
// and a blanked row keeps its buffer for the next fill.
class PackedRow {
public:
    static constexpr int32_t Cells = 26;

    uint32_t Insertion = 0; // the row's number when it was added; 0 in a blank slot

    // Empty outside 0..25. Valid until the row is next changed.
    std::string_view Cell(int32_t column) const;
    // Ignored outside 0..25; an empty text removes the cell.
    void SetCell(int32_t column, std::string_view text);
    // A column and its text, for writing several at once.
    struct CellText {
        int32_t Column;
        std::string_view Text;
    };
    // Every cell at once: these texts, and the other cells empty. Columns in ascending order
    // are packed in one pass (the result rows of a keystroke with about a quarter fewer
    // instructions than a write per cell); otherwise they are written one by one, as SetCell
    // would.
    void SetCells(std::span<const CellText> cells);
    void Blank();
    void ShrinkToFit() { Data.shrink_to_fit(); }
    // Asks the processor to bring the texts into its cache; changes nothing.
    void PrefetchTexts() const { __builtin_prefetch(Data.data()); }

private:
    // Where the record of `column` starts, or would be inserted.
    std::size_t RecordStart(int32_t column) const;
    std::size_t ReadLength(std::size_t& pos) const;

    std::string Data;
    uint32_t Present = 0; // bit c set when cell c is stored
};
