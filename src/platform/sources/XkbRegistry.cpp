#include "platform/sources/XkbRegistry.h"

#include <QHash>

#include <xkbcommon/xkbregistry.h>

namespace mirevo {
namespace {

QString key(const QString& layout, const QString& variant)
{
    return layout + QLatin1Char('+') + variant;
}

QHash<QString, QString> readRegistry()
{
    QHash<QString, QString> descriptions;
    rxkb_context* context = rxkb_context_new(RXKB_CONTEXT_NO_FLAGS);
    if (!context)
        return descriptions;
    // Quiet: a broken registry means descriptions go missing, not a message on stderr.
    rxkb_context_set_log_level(context, RXKB_LOG_LEVEL_CRITICAL);
    if (rxkb_context_parse_default_ruleset(context)) {
        for (rxkb_layout* layout = rxkb_layout_first(context); layout;
             layout = rxkb_layout_next(layout)) {
            const char* description = rxkb_layout_get_description(layout);
            if (description) {
                descriptions.insert(key(QString::fromUtf8(rxkb_layout_get_name(layout)),
                                        QString::fromUtf8(rxkb_layout_get_variant(layout))),
                                    QString::fromUtf8(description));
            }
        }
    }
    rxkb_context_unref(context);
    return descriptions;
}

} // namespace

QString xkbLayoutDescription(const QString& layout, const QString& variant)
{
    static const QHash<QString, QString> descriptions = readRegistry();
    return descriptions.value(key(layout, variant));
}

} // namespace mirevo
