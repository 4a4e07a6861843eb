// Distribute gives one size per item, and the sizes of plain weights fill the total.
#include "FuzzInput.h"
#include "easypanel/SizeSpec.h"
#include "util/TextParse.h"

#include <algorithm>
#include <stdexcept>

FUZZ_TARGET(input) {
    const auto total = input.Number<int32_t>();
    const std::string list = input.Text();
    std::string sizes;
    try {
        sizes = Distribute(total, list);
    } catch (const std::out_of_range&) {
        return;
    } catch (const ConversionError&) {
        return;
    }
    const auto items = std::count(list.begin(), list.end(), ',') + 1;
    FUZZ_CHECK(std::count(sizes.begin(), sizes.end(), ',') + 1 == items);
    if (list.find('|') == std::string::npos && total >= 0 && total <= 1'000'000) {
        int64_t sum = 0;
        for (std::string rest = sizes; !rest.empty();) {
            sum += std::stoll(CutToken(rest, ','));
        }
        FUZZ_CHECK(sum == total);
    }
}
