#include "platform/StringTables.h"

#include <QCoreApplication>
#include <QTranslator>

#include <memory>
#include <vector>

namespace mirevo {
namespace {

// Each table is its own translation file, "<Table>_<language>.qm".
constexpr const char* kTables[] = {"Localizable",          "Settings", "IMEIndicator", "Clock",
                                   "MouseCursorIndicator", "About"};

void installLanguage(const char* language)
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    for (const char* table : kTables) {
        auto translator = std::make_unique<QTranslator>();
        const QString file =
            QStringLiteral(":/i18n/%1_%2.qm").arg(QLatin1String(table), QLatin1String(language));
        if (translator->load(file)) {
            QCoreApplication::installTranslator(translator.get());
            translators.push_back(std::move(translator));
        }
    }
}

} // namespace

QString localized(const char* table, const char* key)
{
    return QCoreApplication::translate(table, key);
}

QString localized(const char* table, const QString& key)
{
    return QCoreApplication::translate(table, key.toUtf8().constData());
}

void installTranslations(const QLocale& locale)
{
    // Keys are not texts: English is always loaded so that no key reaches the screen;
    // translators installed later are asked first.
    installLanguage("en");
    if (locale.language() == QLocale::Japanese)
        installLanguage("ja");
}

} // namespace mirevo
