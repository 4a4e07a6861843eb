// Prime factorisations, and the divisors and divisor-list keys they give.
#include "core/PrimeFactors.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

// For every number up to 65536 its smallest prime factor and what is left after dividing by it
// once, and the primes up to 46341 (the square root of 2^31), built once on first use. A
// number of the table factors by reading it, one step a prime factor, without dividing.
constexpr uint32_t TableLimit = 65536;
constexpr uint32_t TrialLimit = 46341;

struct FactorStep {
    uint16_t Prime = 0; // 0 for 0 and 1; a prime's own value fits up to 65521
    uint16_t Rest = 1;  // the number divided by Prime; 65536 / 2 fits
};

struct FactorTables {
    std::vector<FactorStep> Steps;
    std::vector<uint32_t> Primes;

    FactorTables() : Steps(TableLimit + 1) {
        for (uint32_t i = 2; i <= TableLimit; ++i) {
            if (Steps[i].Prime != 0) {
                continue;
            }
            if (i <= TrialLimit) {
                Primes.push_back(i);
            }
            // 65536 itself is 2^16 and does not fit uint16_t, but it is marked by 2 first.
            for (uint32_t m = i, rest = 1; m <= TableLimit; m += i, ++rest) {
                if (Steps[m].Prime == 0) {
                    Steps[m] = {static_cast<uint16_t>(i), static_cast<uint16_t>(rest)};
                }
            }
        }
    }
};

// A number below 17 * 17 has at most one prime factor above 13: what is left of it after
// dividing by these is 1 or that prime.
constexpr uint32_t SmallLimit = 17 * 17;
constexpr uint32_t SmallPrimes[] = {2, 3, 5, 7, 11, 13};

const FactorTables& Tables() {
    static const FactorTables tables;
    return tables;
}

} // namespace

PrimeFactors& PrimeFactors::operator=(const PrimeFactors& other) {
    if (this != &other) {
        Count = other.Count;
        Number = other.Number;
        std::copy_n(other.Powers.begin(), Count, Powers.begin());
    }
    return *this;
}

void PrimeFactors::Append(uint32_t prime, uint32_t exponent) {
    if (Count > 0 && Powers[Count - 1].Prime == prime) {
        Powers[Count - 1].Exponent += exponent;
        return;
    }
    Powers[Count++] = {prime, exponent};
}

PrimeFactors PrimeFactors::Of(int32_t n) {
    PrimeFactors factors;
    if (n < 2) {
        return factors;
    }
    factors.Number = static_cast<uint32_t>(n);
    auto rest = static_cast<uint32_t>(n);
    if (rest < SmallLimit) {
        // A few divisions are cheaper than the tables, which such numbers alone never need
        // (the window's first list factors none larger).
        for (const uint32_t p : SmallPrimes) {
            while (rest % p == 0) {
                rest /= p;
                factors.Append(p, 1);
            }
        }
        if (rest > 1) {
            factors.Append(rest, 1);
        }
        return factors;
    }
    const FactorTables& tables = Tables();
    // Trial division only while the rest is beyond the table; it stops at the square root.
    for (const uint32_t p : tables.Primes) {
        if (rest <= TableLimit || p * p > rest) {
            break;
        }
        uint32_t exponent = 0;
        while (rest % p == 0) {
            rest /= p;
            ++exponent;
        }
        if (exponent > 0) {
            factors.Append(p, exponent);
        }
    }
    if (rest > TableLimit) {
        // No prime up to its square root divides it.
        factors.Append(rest, 1);
        return factors;
    }
    while (rest > 1) {
        const FactorStep step = tables.Steps[rest];
        factors.Append(step.Prime, 1);
        rest = step.Rest;
    }
    return factors;
}

PrimeFactors PrimeFactors::Times(const PrimeFactors& other) const {
    PrimeFactors product;
    product.Number = Number * other.Number;
    std::size_t i = 0;
    std::size_t j = 0;
    std::size_t count = 0;
    // Which side goes first is a coin toss for the processor: choosing without a branch saves
    // about a fifth of the merge, which a sort by a divisor list makes for every row.
    while (i < Count && j < other.Count) {
        const Power mine = Powers[i];
        const Power theirs = other.Powers[j];
        const bool takeMine = mine.Prime <= theirs.Prime;
        const bool takeTheirs = theirs.Prime <= mine.Prime;
        product.Powers[count++] = {takeMine ? mine.Prime : theirs.Prime,
                                   (takeMine ? mine.Exponent : 0) +
                                       (takeTheirs ? theirs.Exponent : 0)};
        i += takeMine ? 1 : 0;
        j += takeTheirs ? 1 : 0;
    }
    for (; i < Count; ++i) {
        product.Powers[count++] = Powers[i];
    }
    for (; j < other.Count; ++j) {
        product.Powers[count++] = other.Powers[j];
    }
    product.Count = count;
    return product;
}

template <typename Visit>
void PrimeFactors::VisitDivisors(Visit visit, std::size_t wanted) const {
    // Only the divisors up to the square root are made; each names its co-divisor above the
    // root, and those come out ascending when the small ones are walked backwards. A number
    // below 2^31 has at most 1600 divisors, so at most 800 small ones. They are made in
    // order: the divisors so far times p, p^2... are each ascending and merged in, which
    // costs far less than sorting them (a keystroke sorts the lists of 32768 rows). When
    // `wanted` small ones besides 1 are more than the visit takes, the larger need not be made.
    constexpr std::size_t MaxSmall = 800;
    const std::size_t room = std::min(MaxSmall, wanted + 1);
    std::array<std::array<uint32_t, MaxSmall>, 3> buffers;
    std::size_t result = 0; // the buffer with the divisors so far
    std::size_t size = 1;
    buffers[result][0] = 1;
    for (std::size_t i = 0; i < Count; ++i) {
        // This prime's multiples are made from the divisors without it, which stay put.
        const std::size_t base = result;
        const std::size_t baseSize = size;
        uint64_t power = 1;
        for (uint32_t e = 0; e < Powers[i].Exponent; ++e) {
            power *= Powers[i].Prime;
            if (power * power > Number) {
                break; // and so are all its multiples
            }
            const std::size_t into = (result + 1) % 3 == base ? (result + 2) % 3 : (result + 1) % 3;
            const uint32_t* merged = buffers[result].data();
            uint32_t* out = buffers[into].data();
            std::size_t a = 0;
            std::size_t b = 0;
            std::size_t count = 0;
            uint64_t next = power; // the first divisor without the prime is 1
            while (count < room) {
                const bool moreB = b < baseSize && next * next <= Number;
                if (a < size && (!moreB || merged[a] < next)) {
                    out[count++] = merged[a++];
                } else if (moreB) {
                    out[count++] = static_cast<uint32_t>(next);
                    next = ++b < baseSize ? buffers[base][b] * power : 0;
                } else {
                    break;
                }
            }
            result = into;
            size = count;
        }
    }
    const uint32_t* small = buffers[result].data();
    // 1 and the number itself are left out.
    for (std::size_t k = 1; k < size; ++k) {
        if (!visit(small[k])) {
            return;
        }
    }
    for (std::size_t k = size; k-- > 1;) {
        const uint32_t q = Number / small[k];
        if (q != small[k] && !visit(q)) {
            return;
        }
    }
}

std::string PrimeFactors::DivisorText() const {
    // Up to ten digits and a comma per divisor.
    std::array<char, 1600 * 11> buffer;
    char* out = buffer.data();
    char* const last = buffer.data() + buffer.size();
    VisitDivisors([&](uint32_t d) {
        if (out != buffer.data()) {
            *out++ = ',';
        }
        out = std::to_chars(out, last, d).ptr;
        return true;
    });
    return std::string(buffer.data(), out);
}

std::size_t PrimeFactors::LeadingDivisors(std::span<int64_t> divisors) const {
    std::size_t count = 0;
    if (!divisors.empty()) {
        VisitDivisors(
            [&](uint32_t d) {
                divisors[count++] = d;
                return count < divisors.size();
            },
            divisors.size());
    }
    return count;
}

// Where two lists first differ, the smaller number is in one list only, and the smallest such
// number is always a prime power: a divisor of one number that does not divide the other holds
// a prime power that does not either. So the lists compare like their prime powers, except where
// one list ends first; the largest divisor, written after them, settles that. Doubling keeps
// the last number apart from every prime power.
std::size_t PrimeFactors::WriteListOrder(std::span<int64_t> numbers) const {
    // Up to 30 prime powers below 2^31, and the last number.
    std::array<int64_t, MaxListOrder> order;
    std::size_t count = 0;
    for (std::size_t i = 0; i < Count; ++i) {
        uint64_t power = 1;
        for (uint32_t e = 0; e < Powers[i].Exponent; ++e) {
            power *= Powers[i].Prime;
            if (power < Number) {
                order[count++] = static_cast<int64_t>(2 * power);
            }
        }
    }
    // Each prime's powers came ascending; a few, so inserting beats a general sort.
    for (std::size_t i = 1; i < count; ++i) {
        const int64_t value = order[i];
        std::size_t j = i;
        for (; j > 0 && order[j - 1] > value; --j) {
            order[j] = order[j - 1];
        }
        order[j] = value;
    }
    // Numbers below 4 and primes have the empty list, which has 1 as its "largest divisor".
    const uint32_t largest = Count == 0 ? 1 : Number / Powers[0].Prime;
    order[count++] = 2 * int64_t{largest} + 1;
    count = std::min(count, numbers.size());
    std::copy_n(order.begin(), count, numbers.begin());
    return count;
}
