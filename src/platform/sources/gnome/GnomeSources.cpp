#include "platform/sources/gnome/GnomeSources.h"

#include "platform/sources/Gio.h"
#include "platform/sources/SourceIdComposition.h"
#include "platform/sources/XkbRegistry.h"

namespace mirevo {
namespace {

const QString kXkb = QStringLiteral("xkb");
const QString kIBus = QStringLiteral("ibus");

std::optional<GnomeSource> find(const QList<GnomeSource>& sources, const QString& type,
                                const QString& id)
{
    for (const GnomeSource& source : sources) {
        if (source.type == type && source.id == id)
            return source;
    }
    return std::nullopt;
}

} // namespace

QList<GnomeSource> parseGnomeSources(GVariant* list)
{
    QList<GnomeSource> sources;
    if (!list || !g_variant_is_of_type(list, G_VARIANT_TYPE("a(ss)")))
        return sources;
    for (gsize i = 0; i < g_variant_n_children(list); ++i) {
        const char* type = nullptr;
        const char* id = nullptr;
        g_variant_get_child(list, i, "(&s&s)", &type, &id);
        if (*id)
            sources.append({QString::fromUtf8(type), QString::fromUtf8(id)});
    }
    return sources;
}

std::optional<GnomeSource> appliedGnomeSource(const GnomeShellFacts& facts)
{
    const QList<GnomeSource> sources =
        facts.sources.isEmpty() ? QList<GnomeSource>{{kXkb, QStringLiteral("us")}} : facts.sources;
    if (facts.ibusEngine) {
        if (const auto source = find(sources, kIBus, *facts.ibusEngine))
            return source;
    }
    if (facts.xkbLayout) {
        if (const auto source = find(sources, kXkb, *facts.xkbLayout))
            return source;
    }
    // The shell keeps IBus on a layout engine for every layout source: when IBus uses none
    // of GNOME's input methods, the shell applied a layout.
    for (const bool layoutsOnly : {facts.ibusEngine.has_value(), false}) {
        for (const QList<GnomeSource>* list : {&facts.mruSources, &sources}) {
            for (const GnomeSource& source : *list) {
                if ((!layoutsOnly || source.type == kXkb) && find(sources, source.type, source.id))
                    return source;
            }
        }
    }
    return std::nullopt;
}

QString gnomeLayoutSourceId(const QString& id)
{
    return composeGnomeLayoutId(id, xkbLayoutDescription(id.section(QLatin1Char('+'), 0, 0),
                                                         id.section(QLatin1Char('+'), 1)));
}

QStringList gnomeLayoutIds(const QList<GnomeSource>& sources)
{
    QStringList ids;
    for (const GnomeSource& source : sources) {
        if (source.type == QLatin1String("xkb"))
            ids << composeGnomeLayoutId(source.id, {});
    }
    return ids;
}

} // namespace mirevo
