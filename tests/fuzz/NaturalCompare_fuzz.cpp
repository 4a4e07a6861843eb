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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string a = input.Text();
    const std::string b = input.Text();
    const std::string c = input.Text();
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
    return 0;
}
