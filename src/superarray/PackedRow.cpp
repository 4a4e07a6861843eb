// One table row's cells packed into one buffer.
#include "superarray/PackedRow.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace {

bool InRange(int32_t column) {
    return column >= 0 && column < PackedRow::Cells;
}

// A record's length, 7 bits a byte from the lowest, the high bit set while more follow.
constexpr std::size_t MaxLengthBytes = 10;

char* PutLength(char* out, std::size_t length) {
    for (; length > 0x7F; length >>= 7) {
        *out++ = static_cast<char>((length & 0x7F) | 0x80);
    }
    *out++ = static_cast<char>(length);
    return out;
}

std::size_t LengthBytes(std::size_t length) {
    char scratch[MaxLengthBytes];
    return static_cast<std::size_t>(PutLength(scratch, length) - scratch);
}

// Whether a text lies in `data`, a buffer that a write may move.
bool Within(std::string_view text, const std::string& data) {
    const char* begin = data.data();
    return !text.empty() && std::less_equal<const char*>()(begin, text.data()) &&
           std::less<const char*>()(text.data(), begin + data.size());
}

} // namespace

std::size_t PackedRow::ReadLength(std::size_t& pos) const {
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(Data[pos++]);
        length |= static_cast<std::size_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            return length;
        }
    }
}

std::size_t PackedRow::RecordStart(int32_t column) const {
    std::size_t pos = 0;
    for (uint32_t before = Present & ((1u << column) - 1); before != 0; before &= before - 1) {
        pos += ReadLength(pos);
    }
    return pos;
}

std::string_view PackedRow::Cell(int32_t column) const {
    if (!InRange(column) || (Present & (1u << column)) == 0) {
        return {};
    }
    std::size_t pos = RecordStart(column);
    const std::size_t length = ReadLength(pos);
    return std::string_view(Data).substr(pos, length);
}

void PackedRow::SetCell(int32_t column, std::string_view text) {
    if (!InRange(column)) {
        return;
    }
    // A text that points into this row would move under the replace below.
    if (Within(text, Data)) {
        SetCell(column, std::string(text));
        return;
    }
    const uint32_t bit = 1u << column;
    // A row is filled left to right: a cell after every stored one appends its record.
    const bool appending = (Present >> column) == 0;
    const std::size_t start = appending ? Data.size() : RecordStart(column);
    std::size_t oldSize = 0;
    if (Present & bit) {
        std::size_t pos = start;
        const std::size_t length = ReadLength(pos);
        oldSize = pos - start + length;
    }
    if (text.empty()) {
        Data.erase(start, oldSize);
        Present &= ~bit;
        return;
    }
    char header[MaxLengthBytes];
    char* headerEnd = PutLength(header, text.size());
    const auto headerSize = static_cast<std::size_t>(headerEnd - header);

    const std::size_t newSize = Data.size() - oldSize + headerSize + text.size();
    if (newSize > Data.capacity()) {
        // Grow by a quarter instead of doubling: a table holds many small rows, and a table
        // rebuilt on every keystroke keeps their buffers.
        std::string grown;
        grown.reserve(newSize + newSize / 4);
        grown.append(Data);
        Data.swap(grown);
    }
    if (appending) {
        Data.append(header, headerSize);
        Data.append(text);
    } else {
        Data.replace(start, oldSize, headerSize + text.size(), '\0');
        char* out = std::copy(header, headerEnd, Data.data() + start);
        std::memcpy(out, text.data(), text.size());
    }
    Present |= bit;
}

void PackedRow::SetCells(std::span<const CellText> cells) {
    std::size_t size = 0;
    int32_t last = -1;
    bool packable = true;
    for (const auto& [column, text] : cells) {
        packable = packable && column > last && InRange(column) && !Within(text, Data);
        last = column;
        size += text.empty() ? 0 : LengthBytes(text.size()) + text.size();
    }
    if (!packable) {
        // Copies first: clearing the row must not take texts that point into it along.
        std::vector<std::pair<int32_t, std::string>> copies;
        for (const auto& [column, text] : cells) {
            copies.emplace_back(column, text);
        }
        Data.clear();
        Present = 0;
        for (const auto& [column, text] : copies) {
            SetCell(column, text);
        }
        return;
    }
    Data.resize(size);
    char* out = Data.data();
    uint32_t present = 0;
    for (const auto& [column, text] : cells) {
        if (!text.empty()) {
            out = std::copy(text.begin(), text.end(), PutLength(out, text.size()));
            present |= 1u << column;
        }
    }
    Present = present;
}

void PackedRow::Blank() {
    // A slot reused by the next fill keeps its buffer, unless an unusually long text grew it.
    if (Data.capacity() > 256) {
        std::string().swap(Data);
    } else {
        Data.clear();
    }
    Present = 0;
    Insertion = 0;
}
