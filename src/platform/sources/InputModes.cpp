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

// Words of a label that name a Latin mode, compared as whole words, ignoring case; mozc's
// fcitx5 icons say "alpha".
constexpr std::array kLatinWords{L("direct"),  L("latin"), L("alphanumeric"), L("alpha"),
                                 L("english"), L("roman"), L("ascii")};

// fcitx5 names its icons in a sandbox "org.fcitx.Fcitx5.<icon>".
QStringView withoutSandboxPrefix(const QString& icon)
{
    const QLatin1StringView prefix("org.fcitx.Fcitx5.");
    return icon.startsWith(prefix) ? QStringView(icon).mid(prefix.size()) : QStringView(icon);
}

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

std::optional<bool> isLatinModeIcon(const QString& icon, const QString& methodIcon)
{
    const QStringView name = withoutSandboxPrefix(icon);
    const QStringView method = withoutSandboxPrefix(methodIcon);
    if (method.isEmpty() || name.size() <= method.size() + 1 || !name.startsWith(method))
        return std::nullopt;
    const QChar separator = name.at(method.size());
    if (separator != QLatin1Char('_') && separator != QLatin1Char('-'))
        return std::nullopt;
    return labelSaysLatin(name.mid(method.size() + 1).toString());
}

} // namespace mirevo
