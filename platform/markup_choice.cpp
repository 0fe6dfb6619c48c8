#include "platform/markup_choice.h"

#include "core/configuration_path.h"

#include <QSettings>
#include <QString>

#include <charconv>

namespace gradation::platform {
namespace {

const QString kFormatKey = QStringLiteral("markup/format");
const QString kLimitKey = QStringLiteral("markup/limit");
constexpr std::size_t kLongestLimit = 100'000'000;

}  // namespace

std::filesystem::path markup_choice_file() {
    const std::filesystem::path own = user_configuration_file();
    return own.empty() ? own : own.parent_path() / "gradation.conf";
}

std::string limit_text(const std::optional<LengthLimit>& limit) {
    if (!limit) return "none";
    return std::to_string(limit->length) + (limit->unit == LengthUnit::Utf8Bytes ? "b" : "");
}

std::optional<std::optional<LengthLimit>> limit_from_text(const std::string& text) {
    if (text == "none") return std::optional<LengthLimit>();
    LengthLimit limit;
    std::string_view digits = text;
    if (digits.ends_with('b')) {
        limit.unit = LengthUnit::Utf8Bytes;
        digits.remove_suffix(1);
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), limit.length);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (limit.length == 0 || limit.length > kLongestLimit) return std::nullopt;
    return std::optional<LengthLimit>(limit);
}

MarkupChoice read_markup_choice() {
    MarkupChoice choice;
    const std::filesystem::path file = markup_choice_file();
    if (file.empty() || !std::filesystem::exists(file)) return choice;
    const QSettings conf(QString::fromStdString(file.string()), QSettings::IniFormat);
    const std::string format = conf.value(kFormatKey).toString().toStdString();
    if (const std::optional<Dialect> dialect = dialect_named(format)) choice.dialect = *dialect;
    if (const auto limit = limit_from_text(conf.value(kLimitKey).toString().toStdString())) choice.limit = *limit;
    return choice;
}

// QSettings writes the file whole through a temporary file and takes its own lock;
// other keys in the file are kept.
bool write_markup_choice(const MarkupChoice& choice) {
    const std::filesystem::path file = markup_choice_file();
    if (file.empty()) return false;
    QSettings conf(QString::fromStdString(file.string()), QSettings::IniFormat);
    conf.setValue(kFormatKey, QString::fromUtf8(dialect_info(choice.dialect).name));
    conf.setValue(kLimitKey, QString::fromStdString(limit_text(choice.limit)));
    conf.sync();
    return conf.status() == QSettings::NoError;
}

}  // namespace gradation::platform
