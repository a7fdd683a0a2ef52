#include "settings_ui/AboutLanguages.h"

#include "platform/StringTables.h"
#include "settings_ui/ValueTexts.h"

namespace mirevo {
namespace {

QColor rgb(double red, double green, double blue)
{
    return QColor::fromRgbF(float(red), float(green), float(blue));
}

// The desktop-neutral blue, red and grey of the program's icons.
const QColor kSystemBlue(0, 122, 255);
const QColor kSystemRed(255, 59, 48);
const QColor kSystemGray(142, 142, 147);

} // namespace

QList<AboutLanguageRow> aboutLanguageRows()
{
    return {
        {"lang_english", localized("About", "lang_english"), QStringLiteral("A"), kSystemBlue},
        {"lang_japanese", localized("About", "lang_japanese"), QStringLiteral("\u3042"),
         kSystemRed},
        {"lang_chinese_simplified", localized("About", "lang_chinese_simplified"),
         QStringLiteral("\u7B80"), rgb(0.0, 0.7, 0.0)},
        {"lang_chinese_traditional", localized("About", "lang_chinese_traditional"),
         QStringLiteral("\u7E41"), rgb(0.0, 0.5, 0.0)},
        {"lang_korean", localized("About", "lang_korean"), QStringLiteral("\uD55C"),
         rgb(0.6, 0.0, 0.6)},
        {"lang_mongolian", localized("About", "lang_mongolian"), QStringLiteral("\u182E"),
         rgb(0.3, 0.5, 0.7)},
        {"lang_thai", localized("About", "lang_thai"), QStringLiteral("\u0E44"),
         rgb(0.0, 0.6, 0.6)},
        {"lang_vietnamese", localized("About", "lang_vietnamese"), QStringLiteral("V"),
         rgb(0.0, 0.7, 0.7)},
        {"lang_myanmar", localized("About", "lang_myanmar"), QStringLiteral("\u1019"),
         rgb(0.8, 0.2, 0.2)},
        {"lang_khmer", localized("About", "lang_khmer"), QStringLiteral("\u1780"),
         rgb(0.4, 0.6, 0.8)},
        {"lang_lao", localized("About", "lang_lao"), QStringLiteral("\u0EA5"), rgb(0.2, 0.6, 0.4)},
        {"lang_hindi", localized("About", "lang_hindi"), QStringLiteral("\u0905"),
         rgb(1.0, 0.6, 0.2)},
        {"lang_bengali", localized("About", "lang_bengali"), QStringLiteral("\u09AC\u09BE"),
         rgb(0.2, 0.6, 0.2)},
        {"lang_tamil", localized("About", "lang_tamil"), QStringLiteral("\u0BA4"),
         rgb(0.8, 0.4, 0.0)},
        {"lang_telugu", localized("About", "lang_telugu"), QStringLiteral("\u0C24\u0C46"),
         rgb(0.6, 0.4, 0.2)},
        {"lang_nepali", localized("About", "lang_nepali"), QStringLiteral("\u0928\u0947"),
         rgb(0.5, 0.3, 0.6)},
        {"lang_sinhala", localized("About", "lang_sinhala"), QStringLiteral("\u0DC3\u0DD2"),
         rgb(0.7, 0.5, 0.0)},
        {"lang_arabic", localized("About", "lang_arabic"), QStringLiteral("\u0639"),
         rgb(1.0, 0.5, 0.0)},
        {"lang_persian", localized("About", "lang_persian"), QStringLiteral("\u0641"),
         rgb(0.4, 0.7, 0.4)},
        {"lang_hebrew", localized("About", "lang_hebrew"), QStringLiteral("\u05E2"),
         rgb(0.85, 0.65, 0.0)},
        {"lang_ukrainian", localized("About", "lang_ukrainian"), QStringLiteral("\u0423"),
         rgb(0.0, 0.4, 0.8)},
        {"lang_russian", localized("About", "lang_russian"), QStringLiteral("\u042F"),
         rgb(0.7, 0.0, 0.3)},
        {"lang_greek", localized("About", "lang_greek"), QStringLiteral("\u03A9"),
         rgb(0.0, 0.4, 0.8)},
        {"lang_other", localized("About", "lang_other"), QStringLiteral("?"), kSystemGray},
    };
}

QString aboutVersionText(const QString& version)
{
    const QString shown = version.isEmpty() ? QStringLiteral("1.0") : version;
    return formatText(localized("About", "version %@"), shown);
}

} // namespace mirevo
