#include "platform/sources/XkbRegistry.h"

#include <QHash>

#include <xkbcommon/xkbregistry.h>

namespace mirevo {
namespace {

QString key(const QString& layout, const QString& variant)
{
    return layout + QLatin1Char('+') + variant;
}

struct Registry {
    QHash<QString, QString> descriptions;                      // "layout+variant" -> description
    QHash<QString, std::pair<QString, QString>> layoutsByName; // description -> layout, variant
};

Registry readRegistry()
{
    Registry registry;
    rxkb_context* context = rxkb_context_new(RXKB_CONTEXT_NO_FLAGS);
    if (!context)
        return registry;
    // Quiet: a broken registry means descriptions go missing, not a message on stderr.
    rxkb_context_set_log_level(context, RXKB_LOG_LEVEL_CRITICAL);
    if (rxkb_context_parse_default_ruleset(context)) {
        for (rxkb_layout* layout = rxkb_layout_first(context); layout;
             layout = rxkb_layout_next(layout)) {
            const char* description = rxkb_layout_get_description(layout);
            if (description) {
                const QString name = QString::fromUtf8(rxkb_layout_get_name(layout));
                const QString variant = QString::fromUtf8(rxkb_layout_get_variant(layout));
                const QString text = QString::fromUtf8(description);
                registry.descriptions.insert(key(name, variant), text);
                const auto known = registry.layoutsByName.constFind(text);
                if (known == registry.layoutsByName.cend() ||
                    (variant.isEmpty() && !known->second.isEmpty()))
                    registry.layoutsByName.insert(text, {name, variant});
            }
        }
    }
    rxkb_context_unref(context);
    return registry;
}

const Registry& registry()
{
    static const Registry registry = readRegistry();
    return registry;
}

} // namespace

QString xkbLayoutDescription(const QString& layout, const QString& variant)
{
    return registry().descriptions.value(key(layout, variant));
}

std::optional<std::pair<QString, QString>> xkbLayoutDescribedAs(const QString& description)
{
    const auto found = registry().layoutsByName.constFind(description);
    if (found == registry().layoutsByName.cend())
        return std::nullopt;
    return *found;
}

} // namespace mirevo
