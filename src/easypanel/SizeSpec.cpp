// Size specifications: sharing a length among weighted items, and a panel's specification
// made whole.
#include "easypanel/SizeSpec.h"

#include "util/Clamp32.h"
#include "util/TextParse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::size_t MaxItems = 200;
constexpr int64_t None = -1;
constexpr int64_t Unbounded = std::numeric_limits<int64_t>::max();
// Weights above this add up to a finite sum even over MaxItems items, so no per cent
// becomes NaN; the cap changes no share a window could show.
constexpr double MaxWeight = 1e300;

struct Item {
    double Weight = 0.1;
    int64_t Min = None;
    int64_t Max = None;
    int64_t Size = 0;
    int64_t Room = 0; // how much the item may still give or take in the current pass
    bool Open = true;
};

// Hands `amount` out one unit at a time, walking the open items in index order round after
// round, as long as an item has room; an item without room closes on its next visit, and
// what is left when all are closed stays undistributed. Whole rounds are done in bulk, so a
// huge amount costs no more than a small one. Each item's share goes to `given`.
void HandOut(std::vector<Item>& items, std::vector<int64_t>& given, int64_t amount) {
    std::fill(given.begin(), given.end(), 0);
    while (amount > 0) {
        int64_t active = 0;
        int64_t smallestRoom = Unbounded;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const int64_t room = items[i].Room - given[i];
            if (items[i].Open && room > 0) {
                ++active;
                smallestRoom = std::min(smallestRoom, room);
            } else {
                items[i].Open = false;
            }
        }
        if (active == 0) {
            break;
        }
        const int64_t rounds = std::min(amount / active, smallestRoom);
        if (rounds > 0) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i].Open) {
                    given[i] += rounds;
                }
            }
            amount -= rounds * active;
        }
        if (rounds < smallestRoom) {
            // Fewer units than open items are left: the last round stops part-way.
            for (std::size_t i = 0; i < items.size() && amount > 0; ++i) {
                if (items[i].Open) {
                    ++given[i];
                    --amount;
                }
            }
        }
    }
}

std::vector<Item> ReadItems(const std::string& list) {
    const std::size_t count = static_cast<std::size_t>(std::count(list.begin(), list.end(), ','));
    if (count + 1 > MaxItems) {
        throw std::out_of_range("a size specification holds at most 200 items");
    }
    std::vector<Item> items(count + 1);
    std::string rest = list;
    for (Item& item : items) {
        std::string fields = CutComma(rest);
        const double weight = TextToNumber(CutToken(fields, '|'));
        item.Weight = weight > 0 ? std::min(weight, MaxWeight) : 0.1;
        item.Min = CutInt(fields, '|');
        item.Max = CutInt(fields, '|');
        if (item.Min != None && item.Max != None && item.Min > item.Max) {
            item.Max = item.Min;
        }
    }
    return items;
}

void ShareByWeight(std::vector<Item>& items, int32_t total) {
    double weightSum = 0;
    for (const Item& item : items) {
        weightSum += item.Weight;
    }
    int64_t rest = total;
    for (Item& item : items) {
        const double percent = item.Weight / weightSum * 100;
        // At most 100 per cent of an int32 total (plus rounding), so the cast is safe.
        item.Size = static_cast<int64_t>(std::trunc(total * percent / 100));
        rest -= item.Size;
    }
    if (rest > 0) {
        const int64_t n = static_cast<int64_t>(items.size());
        for (int64_t i = 0; i < n; ++i) {
            items[static_cast<std::size_t>(i)].Size += rest / n + (i < rest % n ? 1 : 0);
        }
    }
}

// Items at or below their minimum are raised to it; the others repay that deficit, each
// down to its minimum (an item without one down to -1).
void ApplyMinimums(std::vector<Item>& items, std::vector<int64_t>& given) {
    int64_t deficit = 0;
    for (Item& item : items) {
        item.Open = true;
        if (item.Min >= 0 && item.Size <= item.Min) {
            deficit += item.Min - item.Size;
            item.Size = item.Min;
            item.Open = false;
        }
        item.Room = std::max<int64_t>(item.Size - item.Min, 0);
    }
    HandOut(items, given, deficit);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].Size -= given[i];
    }
}

// Items at or above their maximum are cut to it; the excess goes to the others, each up to
// its maximum (an item without one takes any amount).
void ApplyMaximums(std::vector<Item>& items, std::vector<int64_t>& given) {
    int64_t excess = 0;
    for (Item& item : items) {
        item.Open = true;
        if (item.Max >= 0 && item.Size >= item.Max) {
            excess += item.Size - item.Max;
            item.Size = item.Max;
            item.Open = false;
        }
        item.Room = item.Max == None ? Unbounded : std::max<int64_t>(item.Max - item.Size, 0);
    }
    HandOut(items, given, excess);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].Size += given[i];
    }
}

} // namespace

std::string Distribute(int32_t total, const std::string& list) {
    std::vector<Item> items = ReadItems(list);
    std::vector<int64_t> given(items.size());
    ShareByWeight(items, total);
    if (std::any_of(items.begin(), items.end(), [](const Item& item) { return item.Min >= 0; })) {
        ApplyMinimums(items, given);
    }
    if (std::any_of(items.begin(), items.end(),
                    [](const Item& item) { return item.Max != None; })) {
        ApplyMaximums(items, given);
    }
    std::string sizes;
    for (const Item& item : items) {
        if (!sizes.empty()) {
            sizes += ',';
        }
        // Only minimums that together exceed the 32-bit range can push a size beyond it.
        sizes += std::to_string(Clamp32(item.Size));
    }
    return sizes;
}

std::string GrowSpecField(const std::string& field, int32_t by) {
    std::string rest = field;
    try {
        const int32_t value = CutInt(rest, '|');
        if (field.empty() || value < 0) {
            return field;
        }
        return std::to_string(Clamp32(int64_t{value} + by));
    } catch (const ConversionError&) {
        return field; // a stored specification is a public field: a stranger's text is kept
    }
}

TNormalSpec NormaliseSpec(std::string spec, int32_t height) {
    const std::string fixed = std::to_string(height);
    if (spec.empty()) {
        return {"0.1|" + fixed + "|" + fixed, height};
    }
    std::string weight = CutToken(spec, '|');
    // A "," would split the item in a column's list; the weight reader skips it anyway.
    weight.erase(std::remove(weight.begin(), weight.end(), ','), weight.end());
    if (weight.empty()) {
        weight = "0.1"; // what a missing weight counts as; kept so the min stays second
    }
    const int32_t given = CutInt(spec, '|');
    const bool hasMaximum = !TokenBefore(spec, '|').empty();
    const int32_t maximum = CutInt(spec, '|');
    const int32_t minimum = given == -1 ? height : given;
    std::string normal = weight + "|" + std::to_string(minimum);
    if (hasMaximum) {
        normal += "|" + std::to_string(maximum);
    }
    return {normal, minimum};
}
