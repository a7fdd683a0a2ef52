#include "platform/sources/LayoutCode.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>

namespace mirevo {
namespace {

constexpr qsizetype kLabelLength = 3;   // Plasma's own limit for a display label
constexpr qsizetype kLayoutLength = 3;  // "US", "DE", "BRA" for "brai"
constexpr qsizetype kVariantLength = 4; // "INTL", "DVOR", "PHON"

// How each backend writes a layout's variant in the label part of its identifiers.
struct LabelSyntax {
    QLatin1StringView backend;
    QLatin1StringView open; // before the variant
    QLatin1StringView close;
};

constexpr std::array kSyntaxes{
    LabelSyntax{QLatin1StringView("xkb"), QLatin1StringView("("), QLatin1StringView(")")},
    LabelSyntax{QLatin1StringView("kde"), QLatin1StringView("("), QLatin1StringView(")")},
    LabelSyntax{QLatin1StringView("ibus"), QLatin1StringView("("), QLatin1StringView(")")},
    LabelSyntax{QLatin1StringView("fcitx5"), QLatin1StringView("("), QLatin1StringView(")")},
    LabelSyntax{QLatin1StringView("sway"), QLatin1StringView("("), QLatin1StringView(")")},
    LabelSyntax{QLatin1StringView("gnome"), QLatin1StringView("+"), QLatin1StringView()},
};

struct LayoutParts {
    QString layout;
    QString variant;
    QString userLabel;
};

// Letters and digits only, in capitals, at most `length` of them.
QString shortForm(const QString& text, qsizetype length)
{
    QString result;
    for (const QChar c : text) {
        if (result.size() == length)
            break;
        if (c.isLetterOrNumber())
            result += c.toUpper();
    }
    return result;
}

std::optional<LayoutParts> layoutParts(const QString& id)
{
    if (id.section(QLatin1Char('.'), 1, 1) != QLatin1String("keylayout"))
        return std::nullopt;
    const QString backend = id.section(QLatin1Char('.'), 0, 0);
    const auto syntax = std::find_if(kSyntaxes.begin(), kSyntaxes.end(),
                                     [&](const LabelSyntax& s) { return s.backend == backend; });
    if (syntax == kSyntaxes.end())
        return std::nullopt;
    QString label = id.section(QLatin1Char('.'), 2, 2);
    LayoutParts parts;
    const qsizetype at = label.lastIndexOf(QLatin1Char('@'));
    if (at >= 0) {
        parts.userLabel = label.mid(at + 1);
        label.truncate(at);
    }
    const qsizetype open = label.indexOf(syntax->open);
    parts.layout = open < 0 ? label : label.left(open);
    if (open >= 0) {
        parts.variant = label.mid(open + syntax->open.size());
        if (!syntax->close.isEmpty() && parts.variant.endsWith(syntax->close))
            parts.variant.chop(syntax->close.size());
    }
    return parts;
}

// Whether another configured source has the same layout with another variant.
bool layoutShared(const LayoutParts& current, const QStringList& configuredIds)
{
    for (const QString& other : configuredIds) {
        const std::optional<LayoutParts> parts = layoutParts(other);
        if (parts && parts->layout == current.layout && parts->variant != current.variant)
            return true;
    }
    return false;
}

} // namespace

QString layoutCodeForSourceId(const QString& id, const std::optional<QStringList>& configuredIds)
{
    const std::optional<LayoutParts> parts = layoutParts(id);
    if (!parts)
        return {};
    if (!parts->userLabel.isEmpty())
        return parts->userLabel;
    // "xkb.keylayout.unknown" names no layout.
    QString code = parts->layout == QLatin1String("unknown")
                       ? QString()
                       : shortForm(parts->layout, kLayoutLength);
    if (code.isEmpty())
        return {};
    const QString variant = shortForm(parts->variant, kVariantLength);
    if (!variant.isEmpty() && (!configuredIds || layoutShared(*parts, *configuredIds)))
        code += QChar(0x00B7) + variant; // middle dot
    return code;
}

QString layoutLabelSuffix(const QString& label)
{
    const QString code = shortForm(label, kLabelLength);
    return code.isEmpty() ? QString() : QLatin1Char('@') + code;
}

} // namespace mirevo
