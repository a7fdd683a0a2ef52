#pragma once

#include <QString>
#include <QStringView>

namespace mirevo {

// Facts about language codes and XKB layout codes that the identifier composition needs.

// The word that names an input method's language in an identifier ("Japanese", "SCIM",
// "Roman"), from a language code such as "ja", "zh_TW" or "zh-CN". Empty for codes the
// program has no language for.
QString languageWordForCode(QStringView languageCode);

// How an XKB layout (with an optional variant) types.
struct LayoutScript {
    bool latin = false; // types Latin letters
    QString name;       // English name of the script's language ("Russian"); empty if unknown
};

// Latin-typing layouts come out latin with no name; script layouts with the language the
// program knows them by; layouts in neither table come out not latin with an empty name.
LayoutScript layoutScript(QStringView layout, QStringView variant = {});

// Lower-cases the words that name a language the program tells apart ("Japanese" ->
// "japanese"), so that the description of a Latin-typing layout reads as a Latin layout.
QString neutraliseLanguageWords(const QString& text);

} // namespace mirevo
