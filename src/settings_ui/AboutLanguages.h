#pragma once

#include <QColor>
#include <QList>
#include <QString>

namespace mirevo {

// One line of the About page's language list. The list has its own order, samples and
// colours; the indicators take theirs from the settings.
struct AboutLanguageRow {
    const char* displayKey; // "lang_english"
    QString name;           // its text in the About table
    QString sample;
    QColor color;
};

QList<AboutLanguageRow> aboutLanguageRows();

// "Version 1.2" from the About table's version line; "1.0" stands in for an empty version.
QString aboutVersionText(const QString& version);

} // namespace mirevo
