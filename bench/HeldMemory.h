#pragma once

#include <cstddef>

// Bytes held through operator new right now, at their usable size (the allocator's rounding
// included). A program that links HeldMemory.cpp counts every allocation.
std::size_t HeldBytes();
