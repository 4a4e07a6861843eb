#pragma once

#include <QString>
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

    // The next field as Latin-1, except that 0xFF and two more bytes give the code unit
    // (b1 << 8 | b2) ^ 0x8080, so lone surrogates and noncharacters can come too.
    QString Utf16() {
        const std::string field = Text();
        QString text;
        for (std::size_t i = 0; i < field.size(); ++i) {
            const auto byte = static_cast<unsigned char>(field[i]);
            if (byte == 0xFF && i + 2 < field.size()) {
                const auto high = static_cast<unsigned char>(field[i + 1]);
                const auto low = static_cast<unsigned char>(field[i + 2]);
                text += QChar(static_cast<char16_t>(((high << 8) | low) ^ 0x8080));
                i += 2;
            } else {
                text += QChar(byte);
            }
        }
        return text;
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
