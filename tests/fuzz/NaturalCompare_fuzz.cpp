// NaturalCompare is an order: reflexive, antisymmetric and transitive on any three texts.
#include "FuzzInput.h"
#include "util/DecimalText.h"

namespace {

// -1, 0, 1 for less, equal, greater.
int Order(const std::string& a, const std::string& b) {
    const int result = NaturalCompare(a, b);
    FUZZ_CHECK(result == 0 || result == 1 || result == 2);
    return result == 1 ? -1 : result == 2 ? 1 : 0;
}

} // namespace

FUZZ_TARGET(input) {
    std::string a, b, c;
    input.Read(a, b, c);
    FUZZ_CHECK(Order(a, a) == 0);
    const int ab = Order(a, b);
    const int bc = Order(b, c);
    FUZZ_CHECK(Order(b, a) == -ab);
    if (ab == bc || ab == 0 || bc == 0) {
        // a <= b <= c (or >=) gives a <= c; equal to both ends only when all are equal.
        const int direction = ab != 0 ? ab : bc;
        const int ac = Order(a, c);
        FUZZ_CHECK(ac == direction);
    }
}
