#pragma once

#include <QLocale>
#include <QString>

namespace mirevo {

// User-visible texts are looked up by key in named tables, one translation context per
// table: "Localizable" (menus, alerts), "Settings", "IMEIndicator", "Clock",
// "MouseCursorIndicator" and "About". Keys are literal strings at the call site, so that
// a test can find every key the code uses.
QString localized(const char* table, const char* key);
QString localized(const char* table, const QString& key);

// Loads the English texts and, for a Japanese UI language, the Japanese ones over them
// together with Qt's own Japanese texts. A later call replaces what an earlier one loaded.
void installTranslations(const QLocale& locale = QLocale::system());

} // namespace mirevo
