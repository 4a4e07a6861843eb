#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

// A fuzzer's bytes as a row of fields, each ended by a NUL byte; fields past the end are
// empty, so every input is a valid call.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, std::size_t size)
        : Size(size), Rest(reinterpret_cast<const char*>(data), size) {}

    const std::size_t Size; // of the whole input

    std::string Text() {
        const std::size_t end = std::min(Rest.find('\0'), Rest.size());
        std::string field(Rest.substr(0, end));
        Rest.remove_prefix(std::min(end + 1, Rest.size()));
        return field;
    }

    // The first bytes of the next field as a little-endian number.
    template <typename T>
    T Number() {
        const std::string field = Text();
        T value{};
        std::memcpy(&value, field.data(), std::min(field.size(), sizeof value));
        return value;
    }

    // The next fields into `fields` in their order: texts whole, numbers from their first
    // bytes, a flag from the lowest bit of one byte.
    template <typename... T>
    void Read(T&... fields) {
        (ReadOne(fields), ...);
    }

    bool AtEnd() const { return Rest.empty(); }

private:
    template <typename T>
    void ReadOne(T& field) {
        if constexpr (std::is_same_v<T, std::string>) {
            field = Text();
        } else if constexpr (std::is_same_v<T, bool>) {
            field = Number<uint8_t>() % 2 == 1;
        } else {
            field = Number<T>();
        }
    }

    std::string_view Rest;
};

// The fuzz entry: the block after FUZZ_TARGET(input) runs on each input's fields.
#define FUZZ_TARGET(input)                                                                         \
    static void FuzzOne(FuzzInput& input);                                                         \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {                 \
        FuzzInput fields(data, size);                                                              \
        FuzzOne(fields);                                                                           \
        return 0;                                                                                  \
    }                                                                                              \
    static void FuzzOne(FuzzInput& input)

// Stops the run with the finding's text, so libFuzzer keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
