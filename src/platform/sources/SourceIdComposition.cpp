#include "platform/sources/SourceIdComposition.h"

#include "platform/sources/SourceIdWords.h"

#include <QStringList>

namespace mirevo {
namespace {

// Keeps a name readable but unable to match a rule: rules are case-sensitive and their
// words are capitalised, except the "inputmethod" catch-all, which is split apart.
QString cleanName(const QString& name)
{
    QString result;
    result.reserve(name.size());
    for (const QChar c : name.toLower()) {
        const bool allowed = c.isLetterOrNumber() || QStringView(u"_-+:@()").contains(c);
        result += allowed ? c : QLatin1Char('_');
    }
    result.replace(QLatin1String("inputmethod"), QLatin1String("input_method"));
    result.replace(QLatin1String("keylayout"), QLatin1String("key_layout"));
    return result.isEmpty() ? QStringLiteral("unknown") : result;
}

// A description is shown as given, minus control characters and the catch-all word.
QString cleanDescription(const QString& description)
{
    QString result = description;
    for (QChar& c : result) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator)
            c = QLatin1Char(' ');
    }
    result.replace(QLatin1String("inputmethod"), QLatin1String("input method"));
    result.replace(QLatin1String("keylayout"), QLatin1String("key layout"));
    return result.simplified();
}

QString composeInputMethodId(QLatin1StringView backend, const QString& name,
                             const QString& language)
{
    QString id = backend + QLatin1String(".inputmethod.") + cleanName(name);
    const QString word = languageWordForCode(language);
    if (!word.isEmpty())
        id += QLatin1Char('.') + word;
    return id;
}

// `label` names the layout in the identifier: "ru(phonetic)", or GNOME's own "de+neo".
QString composeLayoutId(QLatin1StringView backend, const QString& label, const QString& layout,
                        const QString& variant, const QString& description)
{
    QString id = backend + QLatin1String(".keylayout.") + cleanName(label.trimmed());

    const LayoutScript script = layoutScript(layout.trimmed(), variant.trimmed());
    QString name = cleanDescription(description);
    if (!script.name.isEmpty())
        name = script.name;
    else if (script.latin)
        name = neutraliseLanguageWords(name);
    if (!name.isEmpty())
        id += QLatin1Char('.') + name;
    return id;
}

QString composeLayoutId(QLatin1StringView backend, const QString& layout, const QString& variant,
                        const QString& description)
{
    QString label = layout.trimmed();
    if (!variant.trimmed().isEmpty())
        label += QLatin1Char('(') + variant.trimmed() + QLatin1Char(')');
    return composeLayoutId(backend, label, layout, variant, description);
}

} // namespace

QString composeIBusSourceId(const QString& engineName, const QString& language,
                            const QString& longname, const QString& layout,
                            const QString& layoutVariant)
{
    const QLatin1StringView backend("ibus");
    if (!engineName.startsWith(QLatin1String("xkb:")))
        return composeInputMethodId(backend, engineName, language);
    // "xkb:<layout>:<variant>:<language>"; the description's own fields win when set.
    const QStringList parts = engineName.split(QLatin1Char(':'));
    const QString nameLayout = parts.value(1);
    const QString nameVariant = parts.value(2);
    const bool ownLayout = !layout.isEmpty() && layout != QLatin1String("default");
    return composeLayoutId(backend, ownLayout ? layout : nameLayout,
                           ownLayout ? layoutVariant : nameVariant, longname);
}

QString composeFcitx5SourceId(const QString& uniqueName, const QString& languageCode,
                              const QString& name)
{
    const QLatin1StringView backend("fcitx5");
    const QLatin1StringView keyboard("keyboard-");
    if (!uniqueName.startsWith(keyboard))
        return composeInputMethodId(backend, uniqueName, languageCode);
    const QString code = uniqueName.mid(keyboard.size());
    const qsizetype dash = code.indexOf(QLatin1Char('-'));
    // fcitx5 names keyboards "Keyboard - English (US)"; the part after the dash names the layout.
    QString description = name;
    const qsizetype separator = description.indexOf(QLatin1String(" - "));
    if (separator >= 0)
        description = description.mid(separator + 3);
    return composeLayoutId(backend, dash < 0 ? code : code.left(dash),
                           dash < 0 ? QString() : code.mid(dash + 1), description);
}

QString composeXkbSourceId(const QString& layout, const QString& variant, const QString& groupName)
{
    return composeLayoutId(QLatin1StringView("xkb"), layout.isEmpty() ? groupName : layout, variant,
                           groupName);
}

QString composeGnomeLayoutId(const QString& id, const QString& description)
{
    return composeLayoutId(QLatin1StringView("gnome"), id, id.section(QLatin1Char('+'), 0, 0),
                           id.section(QLatin1Char('+'), 1), description);
}

QString composeKdeSourceId(const QString& shortName, const QString& variant,
                           const QString& longName)
{
    return composeLayoutId(QLatin1StringView("kde"), shortName, variant, longName);
}

bool isKeyboardLayoutId(const QString& id)
{
    return id.section(QLatin1Char('.'), 1, 1) == QLatin1String("keylayout");
}

} // namespace mirevo
