#include "platform/interface_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace gradation::platform {
namespace {

const QString kFolder = QStringLiteral(":/i18n/");
const QString kPrefix = QStringLiteral("gradation_");
const QString kSuffix = QStringLiteral(".qm");

// "en", "en-GB", "en_US.UTF-8" name English; "eng" or "english" do not.
bool names_language(QString name, const QString& language) {
    name.replace(u'-', u'_');
    if (!name.startsWith(language, Qt::CaseInsensitive)) return false;
    return name.size() == language.size() || QStringView(u"_.@").contains(name[language.size()]);
}

// The translators installed for the current language, which the next language replaces.
std::vector<QTranslator*>& installed_translators() {
    static std::vector<QTranslator*> translators;
    return translators;
}

QString& installed_language() {
    static QString language = QString::fromLatin1(kSourceLanguage);
    return language;
}

bool install(std::unique_ptr<QTranslator> translator) {
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    installed_translators().push_back(translator.release());  // the application owns it now
    return true;
}

}  // namespace

QStringList interface_languages() {
    QStringList languages{QString::fromLatin1(kSourceLanguage)};
    for (const QString& file : QDir(kFolder).entryList({kPrefix + u'*' + kSuffix}, QDir::Files, QDir::Name))
        languages << file.sliced(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size());
    return languages;
}

QString choose_interface_language(const QStringList& preferred, const QStringList& offered) {
    for (const QString& name : preferred) {
        QString named;
        for (const QString& language : offered)
            if (language.size() > named.size() && names_language(name, language)) named = language;
        if (!named.isEmpty()) return named;
    }
    return QString::fromLatin1(kSourceLanguage);
}

QString install_interface_language() {
    const QString language = choose_interface_language(QLocale::system().uiLanguages(), interface_languages());
    install_interface_language(language);
    return language;
}

void install_interface_language(const QString& language) {
    for (QTranslator* translator : installed_translators()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    installed_translators().clear();
    installed_language() = language;
    load_qt_translation(language);
    // Japanese, the source language, has no file of its own: its texts stay as written.
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (translator->load(kFolder + kPrefix + language + kSuffix)) install(std::move(translator));
}

QString interface_language() { return installed_language(); }

bool load_qt_translation(const QString& language) {
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return install(std::move(translator));
}

}  // namespace gradation::platform
