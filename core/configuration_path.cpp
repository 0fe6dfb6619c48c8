#include "core/configuration_path.h"

#include "core/program_values.h"

#include <cstdlib>
#include <system_error>

namespace gradation {
namespace {

std::filesystem::path absolute_from_environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path{};
}

}  // namespace

std::filesystem::path user_configuration_file() {
    std::filesystem::path base = absolute_from_environment("XDG_CONFIG_HOME");
    if (base.empty()) {
        const std::filesystem::path home = absolute_from_environment("HOME");
        if (home.empty()) return {};
        base = home / ".config";
    }
    return base / "gradation" / kIniFileName;
}

std::filesystem::path configuration_file_to_read(const std::filesystem::path& beside) {
    const std::filesystem::path own = user_configuration_file();
    std::error_code ec;
    // A folder or device at that path is not a configuration file: the one beside the
    // program is read instead of an empty list.
    if (!own.empty() && std::filesystem::is_regular_file(own, ec)) return own;
    return beside;
}

}  // namespace gradation
