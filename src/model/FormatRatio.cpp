// The ratio terms that a predefined format's name carries.
#include "model/FormatRatio.h"

#include "util/TextParse.h"

#include <algorithm>

namespace {

bool IsDecimal(const std::string& text) {
    const auto digits = std::count_if(text.begin(), text.end(), IsDigit);
    const auto points = std::count(text.begin(), text.end(), '.');
    return digits > 0 && points <= 1 && digits + points == static_cast<long>(text.size());
}

std::size_t Decimals(const std::string& text) {
    const std::size_t point = text.find('.');
    return point == std::string::npos ? 0 : text.size() - point - 1;
}

// The digits without the point, with zeros appended up to `decimals` decimals.
std::string Scaled(std::string text, std::size_t decimals) {
    const std::size_t own = Decimals(text);
    if (const std::size_t point = text.find('.'); point != std::string::npos) {
        text.erase(point, 1);
    }
    return text + std::string(decimals - own, '0');
}

} // namespace

RatioTerms RatioOfFormat(const std::string& entry) {
    std::string rest = entry;
    CutToken(rest, '(');
    std::string inner = CutToken(rest, ')');
    const char separator = inner.find(':') != std::string::npos ? ':' : 'x';
    RatioTerms terms;
    terms.X = CutToken(inner, separator);
    terms.Y = inner;
    if (IsDecimal(terms.X) && IsDecimal(terms.Y)) {
        const std::size_t decimals = std::max(Decimals(terms.X), Decimals(terms.Y));
        terms.X = Scaled(terms.X, decimals);
        terms.Y = Scaled(terms.Y, decimals);
    }
    return terms;
}
