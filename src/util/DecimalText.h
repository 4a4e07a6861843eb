#pragma once

#include <string>

// The exact product of two decimal digit texts, each optionally with one "." (for example
// "1024" x "768" = "786432", "0.25" x "0.2" = "0.05"). Operands with more than 31998 digits
// together give "0". An operand equal to "0" under NaturalCompare ("000") gives "0"; one
// equal to "1" ("01") returns the other operand as written ("1" x "0640" = "0640"). In
// other texts (signs, blanks, separators) only the digits and the first point count.
std::string MultiplyDecimal(const std::string& a, const std::string& b);

// Natural order: runs of digits compare by numeric value, everything else by character
// code. Returns 0 when equal, 1 when a is less, 2 when a is greater.
int NaturalCompare(const std::string& a, const std::string& b);
