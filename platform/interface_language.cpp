#include "platform/interface_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace gradation::platform {
namespace {

// "en", "en-GB", "en_US.UTF-8" name English; "eng" or "english" do not.
bool names_language(const QString& name, QLatin1String code) {
    return name.startsWith(code, Qt::CaseInsensitive) &&
           (name.size() == code.size() || name[code.size()] == u'-' || name[code.size()] == u'_' ||
            name[code.size()] == u'.');
}

bool install(std::unique_ptr<QTranslator> translator) {
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    translator.release();  // the application owns it now
    return true;
}

}  // namespace

InterfaceLanguage choose_interface_language(const QStringList& preferred) {
    for (const QString& name : preferred) {
        if (names_language(name, QLatin1String("en"))) return InterfaceLanguage::English;
        if (names_language(name, QLatin1String("ja"))) return InterfaceLanguage::Japanese;
    }
    return InterfaceLanguage::Japanese;
}

InterfaceLanguage install_interface_language() {
    const InterfaceLanguage language = choose_interface_language(QLocale::system().uiLanguages());
    install_interface_language(language);
    return language;
}

void install_interface_language(InterfaceLanguage language) {
    if (language == InterfaceLanguage::Japanese) {
        load_qt_translation(QStringLiteral("ja"));
        return;
    }
    // Qt's own texts are English as they stand; the windows' come from the embedded file.
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (translator->load(QStringLiteral(":/i18n/gradation_en.qm"))) install(std::move(translator));
}

bool load_qt_translation(const QString& language) {
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return install(std::move(translator));
}

}  // namespace gradation::platform
