#include "core/setting_list.h"

namespace gradation {

std::string setting_key(int n) {
    if (n < 0 || n >= kMaxSettings) return {};
    const std::string padded = "00" + std::to_string(n);
    return padded.substr(padded.size() - 2);
}

std::vector<std::u16string> setting_names(FunctionRef<std::u16string(int)> read_setting_line) {
    std::vector<std::u16string> names;
    for (int n = 0; n < kMaxSettings; ++n) {
        const std::u16string line = read_setting_line(n);
        if (!continues_list(line)) break;
        names.push_back(line.substr(0, line.find(u',')));
    }
    return names;
}

}  // namespace gradation
