#pragma once

#include <QString>
#include <QTranslator>

#include <array>
#include <memory>

// Qt's own texts (file dialogs, the overwrite question, the buttons of message boxes, serial port
// errors) in the language of the program's language file: Qt's translation catalogs for a
// locale, loaded from Qt's translations folder and installed into the application while this
// object exists.
class QtTranslations {
public:
    QtTranslations() = default;
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Replaces what was installed with the catalogs for locale ("zh_CN"); English, and a locale
    // Qt has no catalog for, leave Qt's built-in English. True when a catalog was installed.
    bool Install(const QString& locale);
    void Remove();

private:
    std::array<std::unique_ptr<QTranslator>, 2> translators_;
};
