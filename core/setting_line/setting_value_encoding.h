// Writing a setting line's text as the bytes of a configuration file's value.
#pragma once

#include "core/base/refusal.h"

#include <string>
#include <string_view>

namespace gradation {

enum class ValueEncoding { Utf8, Windows31J };

// "UTF-8" or "Windows-31J (Shift-JIS)", for messages.
std::string encoding_name(ValueEncoding encoding);

// The bytes of `text` in `encoding`, or a one-line reason naming the first character the
// encoding cannot hold (a lone surrogate in UTF-8; anything without a Windows-31J
// character that reads back as itself).
Result<std::string> encode_value(std::u16string_view text, ValueEncoding encoding);

// "'あ' (U+3042)", or just "U+0009" for a character that does not print.
std::string describe_character(std::u16string_view character);

}  // namespace gradation
