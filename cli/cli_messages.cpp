#include "cli/cli_messages.h"

#include "core/text/utf8.h"

#include <ostream>

namespace gradation::cli {
namespace {

// The length of the valid UTF-8 sequence at s[i], or 0 when the byte starts none.
std::size_t sequence_length(std::string_view s, std::size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > s.size() || !is_valid_utf8(s.substr(i, length))) return 0;
    return length;
}

void append_hex(std::string& out, const char* prefix, unsigned value, int digits) {
    constexpr char kHex[] = "0123456789abcdef";
    out += prefix;
    for (int d = digits - 1; d >= 0; --d) out += kHex[(value >> (4 * d)) & 0xF];
}

// Escapes C0 and C1 control characters and bytes that are not UTF-8, in the
// notation of $'...'; with `quoting`, also the backslash and the quote.
std::string escaped(std::string_view s, bool quoting, bool& changed) {
    std::string out;
    changed = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto byte = static_cast<unsigned char>(s[i]);
        const std::size_t length = sequence_length(s, i);
        const bool c1 = length == 2 && byte == 0xC2 && static_cast<unsigned char>(s[i + 1]) < 0xA0;
        if (length == 0) {
            append_hex(out, "\\x", byte, 2);
        } else if (c1) {
            append_hex(out, "\\u", static_cast<unsigned char>(s[i + 1]), 4);
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == 0x1B) {
            out += "\\e";
        } else if (byte < 0x20 || byte == 0x7F) {
            append_hex(out, "\\x", byte, 2);
        } else {
            if (quoting && (byte == '\\' || byte == '\'')) out += '\\';
            out.append(s.substr(i, length));
            i += length;
            continue;
        }
        changed = true;
        i += length == 0 ? 1 : length;
    }
    return out;
}

}  // namespace

std::string shown(std::string_view name) {
    if (name.empty()) return "''";
    bool changed = false;
    std::string out = escaped(name, false, changed);
    if (!changed) return out;
    return "$'" + escaped(name, true, changed) + "'";
}

int report_error(std::ostream& err, int code, std::string_view message) {
    bool changed = false;
    err << "gradation-cli: " << escaped(message, false, changed) << '\n';
    err.flush();
    return code;
}

}  // namespace gradation::cli
