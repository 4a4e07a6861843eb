// One table row's cells packed into one buffer.
#include "superarray/PackedRow.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

bool InRange(int32_t column) {
    return column >= 0 && column < PackedRow::Cells;
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
    const char* data = Data.data();
    if (!text.empty() && std::less_equal<const char*>()(data, text.data()) &&
        std::less<const char*>()(text.data(), data + Data.size())) {
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
    char header[10];
    char* headerEnd = header;
    std::size_t length = text.size();
    for (; length > 0x7F; length >>= 7) {
        *headerEnd++ = static_cast<char>((length & 0x7F) | 0x80);
    }
    *headerEnd++ = static_cast<char>(length);
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
