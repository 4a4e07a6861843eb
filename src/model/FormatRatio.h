#pragma once

#include <string>

// The two terms of a ratio as texts for the ratio boxes; a text that is not an integer reads
// as the box's minimum.
struct RatioTerms {
    std::string X;
    std::string Y;
    bool operator==(const RatioTerms&) const = default;
};

// The ratio in the first parenthesis of a predefined format: "Name (4:3)" gives 4 and 3.
// The separator is ":" or, as one entry writes it, "x". Decimal terms are scaled by the same
// power of ten until both are whole, so "2.2:1" gives 22 and 10 and "1.85:1" 185 and 100.
RatioTerms RatioOfFormat(const std::string& entry);
