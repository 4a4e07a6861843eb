#pragma once

#include <cstdint>
#include <string>

// Shares `total` pixels among the items of a size specification: items "weight|min|max"
// joined by ",", for example "85", "15|17|50", "0.1|20". Returns the sizes joined by ",".
// Weights are read leniently (missing, zero or negative: 0.1); an empty min or max means
// none. The sizes add up to the total unless the minimums exceed it or the maximums fall
// short of it; an item without a minimum may give up pixels down to -1. Throws
// std::out_of_range for more than 200 items, and ConversionError (util/TextParse.h) for a
// min or max that is not a 32-bit integer.
std::string Distribute(int32_t total, const std::string& list);

// A panel's specification made whole: weight|min|max with the min defaulting to the
// panel's height `height`; an empty specification is a fixed height. Throws ConversionError
// for a min or max that is not an integer.
struct TNormalSpec {
    std::string Spec;
    int32_t MinHeight;
};
TNormalSpec NormaliseSpec(std::string spec, int32_t height);

// A min or max field of a stored specification grown by `by` pixels (a title bar's height);
// empty fields, negative ones (which mean none) and fields that are no integer stay as they
// are.
std::string GrowSpecField(const std::string& field, int32_t by);
