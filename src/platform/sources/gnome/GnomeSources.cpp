#include "platform/sources/gnome/GnomeSources.h"

#include "platform/sources/Gio.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/sources/XkbRegistry.h"

namespace mirevo {
namespace {

std::optional<GnomeSource> firstSource(GVariant* list)
{
    if (!list || !g_variant_is_of_type(list, G_VARIANT_TYPE("a(ss)")) ||
        g_variant_n_children(list) == 0)
        return std::nullopt;
    const char* type = nullptr;
    const char* id = nullptr;
    g_variant_get_child(list, 0, "(&s&s)", &type, &id);
    GnomeSource source{QString::fromUtf8(type), QString::fromUtf8(id)};
    if (source.id.isEmpty())
        return std::nullopt;
    return source;
}

} // namespace

std::optional<GnomeSource> currentGnomeSource(GVariant* mruSources, GVariant* sources)
{
    if (mruSources && g_variant_is_of_type(mruSources, G_VARIANT_TYPE("a(ss)")) &&
        g_variant_n_children(mruSources) > 0)
        return firstSource(mruSources);
    return firstSource(sources);
}

QString gnomeLayoutSourceId(const QString& id)
{
    return composeGnomeLayoutId(id, xkbLayoutDescription(id.section(QLatin1Char('+'), 0, 0),
                                                         id.section(QLatin1Char('+'), 1)));
}

QStringList gnomeLayoutIds(GVariant* sources)
{
    QStringList ids;
    if (!sources || !g_variant_is_of_type(sources, G_VARIANT_TYPE("a(ss)")))
        return ids;
    for (gsize i = 0; i < g_variant_n_children(sources); ++i) {
        const char* type = nullptr;
        const char* id = nullptr;
        g_variant_get_child(sources, i, "(&s&s)", &type, &id);
        if (qstrcmp(type, "xkb") == 0)
            ids << composeGnomeLayoutId(QString::fromUtf8(id), {});
    }
    return ids;
}

} // namespace mirevo
