#include "core/settings_file/setting_list.h"

#include <charconv>

namespace gradation {

std::string setting_key(int n) {
    if (n < 0 || n >= kMaxSettings) return {};
    const std::string padded = "00" + std::to_string(n);
    return padded.substr(padded.size() - 2);
}

std::optional<int> setting_number(std::string_view text) {
    int n = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 0 || n >= kMaxSettings) return std::nullopt;
    return n;
}

}  // namespace gradation
