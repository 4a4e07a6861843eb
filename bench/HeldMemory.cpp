#include "HeldMemory.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {
std::size_t LiveBytes = 0;
} // namespace

std::size_t HeldBytes() {
    return LiveBytes;
}

// Kept out of line: inlined into a delete expression, the free() below would look
// mismatched to the compiler.
[[gnu::noinline]] void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    LiveBytes += malloc_usable_size(block);
    return block;
}

[[gnu::noinline]] void operator delete(void* block) noexcept {
    if (block != nullptr) {
        LiveBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept {
    operator delete(block);
}
