#include "platform/sources/InputModes.h"

#include <QRegularExpression>

#include <array>

namespace mirevo {
namespace {

using L = QLatin1StringView;

// Symbols panels show for a Latin mode: ibus-hangul "EN", ibus-mozc "A" (direct input),
// "_A" (half-width Latin) and "Ａ" (wide Latin), ibus-libpinyin "英".
constexpr std::array kLatinSymbols{L("A"), L("_A"), L("EN"), L("ENG"), L("ABC")};
const std::array kLatinWideSymbols{QStringView(u"Ａ"), QStringView(u"英"), QStringView(u"英文")};

// Words of a label that name a Latin mode, compared as whole words, ignoring case.
constexpr std::array kLatinWords{L("direct"),  L("latin"), L("alphanumeric"),
                                 L("english"), L("roman"), L("ascii")};

bool labelSaysLatin(const QString& label)
{
    static const QRegularExpression word(QStringLiteral("[[:alpha:]]+"));
    for (auto it = word.globalMatch(label); it.hasNext();) {
        const QString found = it.next().captured().toLower();
        for (QLatin1StringView latin : kLatinWords) {
            if (found == latin)
                return true;
        }
    }
    return false;
}

} // namespace

bool isLatinInputMode(const QString& symbol, const QString& label)
{
    const QString trimmed = symbol.trimmed();
    for (QLatin1StringView latin : kLatinSymbols) {
        if (trimmed.compare(latin, Qt::CaseInsensitive) == 0)
            return true;
    }
    for (QStringView latin : kLatinWideSymbols) {
        if (trimmed == latin)
            return true;
    }
    return labelSaysLatin(label);
}

} // namespace mirevo
