#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The prime factorisation of a positive number below 2^31, primes ascending. Listing the
// divisors from the factorisation costs a few steps per divisor, where trial division up to
// the number would cost up to n steps for a prime.
class PrimeFactors {
public:
    // The factorisation of n; empty for n < 2.
    static PrimeFactors Of(int32_t n);

    // The divisors d with 1 < d < the number, ascending, joined by ",".
    std::string DivisorText() const;
    // The first of those divisors, as many as fit `divisors`; returns how many it wrote.
    std::size_t LeadingDivisors(std::span<int64_t> divisors) const;
    // The number, then each prime and its exponent, as many as fit `key`; returns how many it
    // wrote (at most 19).
    std::size_t WriteKey(std::span<int64_t> key) const;

private:
    struct Power {
        uint32_t Prime;
        uint32_t Exponent;
    };
    // 2 * 3 * 5 * ... * 29 exceeds 2^31, so a number below it has at most nine distinct primes.
    static constexpr std::size_t MaxPrimes = 9;

    void Append(uint32_t prime, uint32_t exponent);
    // Calls visit(d) for those divisors in ascending order while it returns true, which it
    // does at most `wanted` times.
    template <typename Visit>
    void VisitDivisors(Visit visit, std::size_t wanted = 1600) const;

    std::array<Power, MaxPrimes> Powers{};
    std::size_t Count = 0;
    uint32_t Number = 1; // the number factored
};
