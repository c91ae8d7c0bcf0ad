#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace {

// The modules whose texts the program shows: widgets and dialogs, and the serial port's errors.
constexpr std::array<const char*, 2> kCatalogs{"qtbase", "qtserialport"};

} // namespace

QtTranslations::~QtTranslations() {
    Remove();
}

bool QtTranslations::Install(const QString& locale) {
    Remove();
    const QLocale language(locale);
    if (language.language() == QLocale::English || language.language() == QLocale::C) {
        return false;
    }
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool installed = false;
    for (std::size_t i = 0; i < kCatalogs.size(); ++i) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(language, QString::fromLatin1(kCatalogs[i]), QStringLiteral("_"),
                             folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            translators_[i] = std::move(translator);
            installed = true;
        }
    }
    return installed;
}

void QtTranslations::Remove() {
    for (auto& translator : translators_) {
        if (translator) {
            QCoreApplication::removeTranslator(translator.get());
            translator.reset();
        }
    }
}
