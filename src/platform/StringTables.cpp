#include "platform/StringTables.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <vector>

namespace mirevo {
namespace {

// Each table is its own translation file, "<Table>_<language>.qm".
constexpr const char* kTables[] = {"Localizable",          "Settings", "IMEIndicator", "Clock",
                                   "MouseCursorIndicator", "About"};

std::vector<std::unique_ptr<QTranslator>>& installedTranslators()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

void install(const QString& file, const QString& folder = QString())
{
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(file, folder)) {
        QCoreApplication::installTranslator(translator.get());
        installedTranslators().push_back(std::move(translator));
    }
}

void installLanguage(const char* language)
{
    for (const char* table : kTables)
        install(
            QStringLiteral(":/i18n/%1_%2.qm").arg(QLatin1String(table), QLatin1String(language)));
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
    for (const auto& translator : installedTranslators())
        QCoreApplication::removeTranslator(translator.get());
    installedTranslators().clear();
    // Keys are not texts: English is always loaded so that no key reaches the screen;
    // translators installed later are asked first.
    installLanguage("en");
    if (locale.language() != QLocale::Japanese)
        return;
    installLanguage("ja");
    // Qt's own dialogs and context menus ("Select Color", "Copy") in the same language.
    install(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace mirevo
