// Small helpers shared by the tests: UTF-8 literals to UTF-16 and back, refusals as text.
#pragma once

#include "core/base/refusal.h"
#include "core/text/utf8.h"

#include <string>
#include <string_view>

namespace gradation::test {

inline std::u16string u16(std::string_view utf8) { return utf8_to_utf16(utf8).value(); }
inline std::string u8(std::u16string_view text) { return utf16_to_utf8(text); }

// What a refusal says; the empty text for a result that holds a value.
template <class T>
std::string why(const Result<T>& result) {
    return result ? std::string() : result.error().text();
}

}  // namespace gradation::test
