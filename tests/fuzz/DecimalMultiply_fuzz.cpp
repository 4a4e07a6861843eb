// MultiplyDecimal against schoolbook multiplication of the same digits.
#include "FuzzInput.h"
#include "util/DecimalText.h"

#include <vector>

namespace {

// Digits of the field and where its point stands: "12.50" from any bytes, at most 200 digits.
struct Decimal {
    std::string Digits;
    std::size_t Scale = 0; // digits after the point
};

Decimal DecimalFrom(const std::string& field) {
    Decimal d;
    bool point = false;
    for (const char c : field) {
        if (c >= '0' && c <= '9' && d.Digits.size() < 200) {
            d.Digits += c;
            d.Scale += point ? 1 : 0;
        } else if (c == '.' && !point && !d.Digits.empty()) {
            point = true;
        }
    }
    return d;
}

std::string Text(const Decimal& d) {
    return d.Scale == 0 ? d.Digits
                        : d.Digits.substr(0, d.Digits.size() - d.Scale) + '.' +
                              d.Digits.substr(d.Digits.size() - d.Scale);
}

// The value written plainly: no leading zeros before the point, no trailing ones after it.
std::string Plain(std::string text) {
    std::size_t point = text.find('.');
    if (point != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
            point = std::string::npos;
        }
    }
    const std::size_t end = point == std::string::npos ? text.size() : point;
    std::size_t zeros = 0;
    while (zeros + 1 < end && text[zeros] == '0') {
        ++zeros;
    }
    text.erase(0, zeros);
    return text.empty() || text.front() == '.' ? '0' + text : text;
}

Decimal Product(const Decimal& a, const Decimal& b) {
    std::vector<int> sum(a.Digits.size() + b.Digits.size(), 0);
    for (std::size_t i = 0; i < a.Digits.size(); ++i) {
        for (std::size_t j = 0; j < b.Digits.size(); ++j) {
            sum[i + j + 1] += (a.Digits[i] - '0') * (b.Digits[j] - '0');
        }
    }
    for (std::size_t k = sum.size() - 1; k > 0; --k) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    Decimal product{std::string(), a.Scale + b.Scale};
    for (const int digit : sum) {
        product.Digits += static_cast<char>('0' + digit);
    }
    return product;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Decimal a = DecimalFrom(input.Text());
    const Decimal b = DecimalFrom(input.Text());
    if (a.Digits.empty() || b.Digits.empty()) {
        return 0;
    }
    const std::string product = MultiplyDecimal(Text(a), Text(b));
    if (Plain(product) != Plain(Text(Product(a, b)))) {
        std::fprintf(stderr, "%s x %s = %s\n", Text(a).c_str(), Text(b).c_str(), product.c_str());
        FUZZ_CHECK(false);
    }
    return 0;
}
