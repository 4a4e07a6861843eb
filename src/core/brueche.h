#pragma once

#include <cstdint>
#include <utility>

// Euclid's remainder loop with the remainder taking the sign of the dividend. Gcd(a, 0) is a:
// the loop's first remainder would divide by zero, and a is what the loop returns as soon as
// a remainder is 0.
int32_t Gcd(int32_t a, int32_t b);

// (x / g, y / g) with g = Gcd(x, y): the ratio in lowest terms for positive terms. A ratio
// whose reduction would not fit into 32 bits (INT32_MIN against -1) and 0 : 0 come back as
// they are.
std::pair<int32_t, int32_t> ReduceRatio(int32_t x, int32_t y);
