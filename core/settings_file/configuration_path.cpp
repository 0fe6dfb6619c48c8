#include "core/settings_file/configuration_path.h"

#include <cstdlib>
#include <string_view>
#include <system_error>

namespace gradation {
namespace {

std::filesystem::path absolute_from_environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path{};
}

// The absolute folders of $XDG_CONFIG_DIRS, or /etc/xdg when it names none.
std::vector<std::filesystem::path> system_configuration_folders() {
    std::vector<std::filesystem::path> folders;
    const char* value = std::getenv("XDG_CONFIG_DIRS");
    std::string_view rest = value == nullptr ? std::string_view() : std::string_view(value);
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::filesystem::path folder(rest.substr(0, colon));
        if (folder.is_absolute()) folders.push_back(folder);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    if (folders.empty()) folders.emplace_back("/etc/xdg");
    return folders;
}

}  // namespace

std::string make_ini_path(const std::string& program_directory, char separator) {
    std::string path = program_directory;
    if (!path.ends_with(separator)) path += separator;
    return path + kIniFileName;
}

std::filesystem::path executable_directory() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (!ec) return exe.parent_path();
    // The link's text still names the right folder when the file itself has gone.
    const std::filesystem::path link = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && link.is_absolute()) return link.parent_path();
    return std::filesystem::current_path(ec);
}

std::filesystem::path MakeIniFile() {
    constexpr auto separator = static_cast<char>(std::filesystem::path::preferred_separator);
    return std::filesystem::path(make_ini_path(executable_directory().string(), separator));
}

std::filesystem::path user_configuration_file() {
    std::filesystem::path base = absolute_from_environment("XDG_CONFIG_HOME");
    if (base.empty()) {
        const std::filesystem::path home = absolute_from_environment("HOME");
        if (home.empty()) return {};
        base = home / ".config";
    }
    return base / "gradation" / kIniFileName;
}

std::vector<std::filesystem::path> configuration_candidates(const std::filesystem::path& program_directory) {
    std::vector<std::filesystem::path> candidates;
    if (std::filesystem::path own = user_configuration_file(); !own.empty()) candidates.push_back(std::move(own));
    for (const std::filesystem::path& folder : system_configuration_folders())
        candidates.push_back(folder / "gradation" / kIniFileName);
    candidates.push_back(make_ini_path(program_directory.string()));
    candidates.push_back(program_directory.parent_path() / "share" / "gradation" / kIniFileName);
    return candidates;
}

std::optional<std::filesystem::path> find_configuration_file(const std::filesystem::path& program_directory) {
    for (const std::filesystem::path& candidate : configuration_candidates(program_directory)) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return std::nullopt;
}

std::filesystem::path configuration_file_to_read() {
    return find_configuration_file(executable_directory()).value_or(MakeIniFile());
}

std::optional<EditTarget> edit_target(const std::optional<std::filesystem::path>& ini) {
    if (!ini) return EditTarget{user_configuration_file(), configuration_file_to_read()};
    std::error_code ec;
    if (!std::filesystem::exists(*ini, ec)) return std::nullopt;
    return EditTarget{*ini, {}};
}

}  // namespace gradation
