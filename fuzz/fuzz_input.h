// Carving typed values out of a fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace gradation::fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::int16_t int16() {
        const auto low = byte();
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (byte() << 8)));
    }
    bool flag() { return byte() & 1; }

    // Up to `max` bytes, as many as the next byte asks for.
    std::string_view bytes(std::size_t max) {
        const std::size_t want = std::min<std::size_t>(byte(), max);
        const std::size_t take = std::min(want, size_ - pos_);
        const std::string_view out(reinterpret_cast<const char*>(data_ + pos_), take);
        pos_ += take;
        return out;
    }

    std::string_view rest() {
        const std::string_view out(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
        pos_ = size_;
        return out;
    }

    // The remaining bytes as 16-bit units (little-endian), at most `max` of them.
    std::u16string rest_as_units(std::size_t max) {
        std::u16string out;
        while (pos_ + 1 < size_ && out.size() < max) {
            out.push_back(static_cast<char16_t>(data_[pos_] | (data_[pos_ + 1] << 8)));
            pos_ += 2;
        }
        pos_ = size_;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Stops the fuzzer with a message when an invariant does not hold.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            __builtin_trap();                                                              \
        }                                                                                  \
    } while (0)

}  // namespace gradation::fuzz
