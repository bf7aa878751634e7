#pragma once

#include <QStringList>
#include <QTranslator>

namespace sorvane {

// The program speaks Japanese, its own language, and English. The user's
// first interface language decides: English when it is English, Japanese
// for Japanese, for every language without a translation and for the C or
// POSIX locale of a plain shell.
enum class InterfaceLanguage { Japanese, English };

// uiLanguages as QLocale::uiLanguages() gives them, the preferred first.
InterfaceLanguage InterfaceLanguageOf(const QStringList& uiLanguages);

// The program's own translation (none for Japanese) and Qt's, for the
// standard buttons of its message boxes, installed into the application for
// as long as this object lives.
class InterfaceTranslations {
public:
    explicit InterfaceTranslations(InterfaceLanguage language);
    ~InterfaceTranslations();
    InterfaceTranslations(const InterfaceTranslations&) = delete;
    InterfaceTranslations& operator=(const InterfaceTranslations&) = delete;

    // Whether every translation the language needs was found.
    bool complete() const { return complete_; }

private:
    QTranslator program_;
    QTranslator qt_;
    bool complete_ = false;
};

} // namespace sorvane
