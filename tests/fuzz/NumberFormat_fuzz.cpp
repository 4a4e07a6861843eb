// Number texts read back as the numbers they were made from.
#include "FuzzInput.h"
#include "util/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

FUZZ_TARGET(input) {
    const auto value = input.Number<double>();
    const int decimals = static_cast<int>(input.Number<uint8_t>() % 14) - 1; // -1..12
    const auto whole = input.Number<int64_t>();

    FUZZ_CHECK(std::stoll(Int64ToText(whole)) == whole);
    FUZZ_CHECK(std::stol(IntToText(static_cast<int32_t>(whole))) == static_cast<int32_t>(whole));

    const std::string fixed = FloatToFixed(decimals, value);
    const std::string text = FloatToText(decimals, value);
    if (std::isnan(value)) {
        FUZZ_CHECK(fixed == "NAN" && text == "NAN");
    } else if (std::isinf(value)) {
        FUZZ_CHECK(fixed == (value > 0 ? "INF" : "-INF") && text == fixed);
    } else {
        FUZZ_CHECK(fixed.find_first_not_of("-0123456789.") == std::string::npos);
        FUZZ_CHECK(text.find_first_not_of("-0123456789.") == std::string::npos);
        const int places = decimals < 0 || decimals > 11 ? 11 : decimals;
        // Rounding to the places, after a first rounding to 18 significant digits (17
        // decimals below 1), which may carry a half over.
        const double error =
            0.5 * std::pow(10.0, -places) + std::max(std::fabs(value) * 1e-15, 1e-17);
        FUZZ_CHECK(std::fabs(std::strtod(fixed.c_str(), nullptr) - value) <= error);
        FUZZ_CHECK(std::strtod(text.c_str(), nullptr) == std::strtod(fixed.c_str(), nullptr));
        // The same digits as one number, where they have no sign and fit 64 bits.
        std::string digits = fixed;
        std::erase(digits, '.');
        const std::optional<uint64_t> units = FixedUnits(decimals, value);
        const bool fits =
            digits.size() < 20 || (digits.size() == 20 && digits <= "18446744073709551615");
        FUZZ_CHECK(units.has_value() == (value >= 0 && fits));
        FUZZ_CHECK(!units ||
                   std::to_string(*units) ==
                       digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1)));
    }

    DigitGroupSeparator = input.Text().substr(0, 3);
    const int32_t width = input.Number<uint8_t>();
    const std::string grouped = GroupDigits(text, width);
    std::string ungrouped = grouped;
    if (!DigitGroupSeparator.empty()) {
        for (std::size_t at; (at = ungrouped.find(DigitGroupSeparator)) != std::string::npos;) {
            ungrouped.erase(at, DigitGroupSeparator.size());
        }
    }
    if (DigitGroupSeparator.find_first_of("-0123456789. NAIF") == std::string::npos) {
        FUZZ_CHECK(ungrouped.find_first_not_of(' ') != std::string::npos || text.empty());
        FUZZ_CHECK(ungrouped.substr(ungrouped.find_first_not_of(' ')) == text);
    }
    DigitGroupSeparator.clear();
}
