// MultiplyDecimal against schoolbook multiplication of the same digits.
#include "FuzzInput.h"
#include "util/DecimalText.h"

#include <vector>

namespace {

// The digits of any bytes with their first point after a digit, "12.50"; at most 200 digits.
std::string DecimalFrom(const std::string& field) {
    std::string text;
    std::size_t digits = 0;
    for (const char c : field) {
        if (c >= '0' && c <= '9' && digits < 200) {
            text += c;
            ++digits;
        } else if (c == '.' && digits > 0 && text.find('.') == std::string::npos) {
            text += c;
        }
    }
    return text.ends_with('.') ? text.substr(0, text.size() - 1) : text;
}

// The value written plainly: no leading zeros before the point, no trailing ones after it.
std::string Plain(std::string text) {
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        text.erase(text.find_last_not_of('.') + 1);
    }
    const std::size_t end = std::min(text.find('.'), text.size());
    text.erase(0, std::min(text.find_first_not_of('0'), end == 0 ? 0 : end - 1));
    return text.empty() || text.front() == '.' ? '0' + text : text;
}

std::string Product(const std::string& a, const std::string& b) {
    const auto scale = [](const std::string& t) {
        return t.find('.') == std::string::npos ? 0 : t.size() - t.find('.') - 1;
    };
    std::string x = a, y = b;
    std::erase(x, '.');
    std::erase(y, '.');
    std::vector<int> sum(x.size() + y.size(), 0);
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (std::size_t j = 0; j < y.size(); ++j) {
            sum[i + j + 1] += (x[i] - '0') * (y[j] - '0');
        }
    }
    for (std::size_t k = sum.size() - 1; k > 0; --k) {
        sum[k - 1] += sum[k] / 10;
        sum[k] %= 10;
    }
    std::string product;
    for (const int digit : sum) {
        product += static_cast<char>('0' + digit);
    }
    return product.insert(product.size() - scale(a) - scale(b), 1, '.');
}

} // namespace

FUZZ_TARGET(input) {
    const std::string a = DecimalFrom(input.Text());
    const std::string b = DecimalFrom(input.Text());
    if (a.empty() || b.empty()) {
        return;
    }
    const std::string product = MultiplyDecimal(a, b);
    if (Plain(product) != Plain(Product(a, b))) {
        std::fprintf(stderr, "%s x %s = %s\n", a.c_str(), b.c_str(), product.c_str());
        FUZZ_CHECK(false);
    }
}
