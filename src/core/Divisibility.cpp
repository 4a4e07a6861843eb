// Typed divisor lists tested against a number, and the divisors of a number listed.
#include "core/Divisibility.h"

#include "core/DivisorFilter.h"
#include "core/PrimeFactors.h"

#include <algorithm>
#include <limits>

int DividableByAny(int32_t n, const std::string& list, char separator) {
    return DivisorFilter(list, separator).Test(n);
}

std::string DivisorList(int32_t n) {
    return PrimeFactors::Of(n).DivisorText();
}

std::size_t LeadingDivisors(int32_t n, std::span<int64_t> divisors) {
    return PrimeFactors::Of(n).LeadingDivisors(divisors);
}

std::size_t DivisorListKey(int32_t n, std::span<int64_t> key) {
    return PrimeFactors::Of(n).WriteKey(key);
}

namespace {

// A key read back: the number and its prime powers.
struct KeyView {
    int64_t Number;
    std::span<const int64_t> Powers; // prime, exponent, prime, exponent... primes ascending

    explicit KeyView(std::span<const int64_t> key)
        : Number(key.empty() ? 0 : key[0]), Powers(key.empty() ? key : key.subspan(1)) {}
    // A list has entries unless the number is below 4 or a prime.
    bool HasList() const { return Powers.size() > 2 || (Powers.size() == 2 && Powers[1] > 1); }
    // The list's last entry: the number over its smallest prime.
    int64_t Largest() const { return Number / Powers[0]; }
};

constexpr int64_t None = std::numeric_limits<int64_t>::max();

int64_t Power(int64_t prime, int64_t exponent) {
    int64_t power = 1;
    for (int64_t e = 0; e < exponent; ++e) {
        power *= prime;
    }
    return power;
}

// The smallest entry of one list that the other lacks, for each: the smallest divisor of x
// that does not divide y (a prime's power one above y's) unless that is x itself, or y where y
// divides x (y is in x's list, not in its own). None where every entry is in the other list.
std::pair<int64_t, int64_t> SmallestOwn(const KeyView& x, const KeyView& y) {
    int64_t ownX = None;
    int64_t ownY = None;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < x.Powers.size() || j < y.Powers.size()) {
        const int64_t px = i < x.Powers.size() ? x.Powers[i] : None;
        const int64_t py = j < y.Powers.size() ? y.Powers[j] : None;
        const int64_t prime = std::min(px, py);
        const int64_t ex = px == prime ? x.Powers[i + 1] : 0;
        const int64_t ey = py == prime ? y.Powers[j + 1] : 0;
        if (ex > ey) {
            ownX = std::min(ownX, Power(prime, ey + 1));
        } else if (ey > ex) {
            ownY = std::min(ownY, Power(prime, ex + 1));
        }
        i += px == prime ? 2 : 0;
        j += py == prime ? 2 : 0;
    }
    ownX = ownX >= x.Number ? None : ownX;
    ownY = ownY >= y.Number ? None : ownY;
    if (y.Number > 1 && y.Number < x.Number && x.Number % y.Number == 0) {
        ownX = std::min(ownX, y.Number);
    }
    if (x.Number > 1 && x.Number < y.Number && y.Number % x.Number == 0) {
        ownY = std::min(ownY, x.Number);
    }
    return {ownX, ownY};
}

} // namespace

int CompareDivisorListKeys(std::span<const int64_t> a, std::span<const int64_t> b) {
    const KeyView x(a);
    const KeyView y(b);
    if (!x.HasList() || !y.HasList()) {
        return static_cast<int>(x.HasList()) - static_cast<int>(y.HasList());
    }
    if (x.Number == y.Number) {
        return 0;
    }
    // Up to the first entry that only one list holds, the lists run alike. At that entry the
    // other list has a larger one, or has ended and so comes first.
    const auto [ownX, ownY] = SmallestOwn(x, y);
    if (ownX < ownY) {
        return y.Largest() > ownX ? -1 : 1;
    }
    return x.Largest() > ownY ? 1 : -1;
}
