#include "app/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace sorvane {

InterfaceLanguage InterfaceLanguageOf(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty())
        return InterfaceLanguage::Japanese;
    // "en", "en-US", "en_GB": the language is what comes before the region.
    const QString first = uiLanguages.first().toLower();
    const bool english = first == u"en" || first.startsWith(u"en-") || first.startsWith(u"en_");
    return english ? InterfaceLanguage::English : InterfaceLanguage::Japanese;
}

InterfaceTranslations::InterfaceTranslations(InterfaceLanguage language) {
    const bool english = language == InterfaceLanguage::English;
    const bool programFound = !english || program_.load(QStringLiteral(":/i18n/sorvane_en.qm"));
    const bool qtFound =
        qt_.load(english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_ja"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (english && programFound)
        QCoreApplication::installTranslator(&program_);
    if (qtFound)
        QCoreApplication::installTranslator(&qt_);
    complete_ = programFound && qtFound;
}

InterfaceTranslations::~InterfaceTranslations() {
    QCoreApplication::removeTranslator(&program_);
    QCoreApplication::removeTranslator(&qt_);
}

} // namespace sorvane
