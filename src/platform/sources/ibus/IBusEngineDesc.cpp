#include "platform/sources/ibus/IBusEngineDesc.h"

#include "platform/sources/Gio.h"
#include "platform/sources/SourceIdComposition.h"

namespace mirevo {
namespace {

// (s a{sv} name longname description language license author icon layout u hotkeys symbol
//  setup layout_variant ...): older daemons stop before layout_variant.
constexpr char kTypePrefix[] = "(sa{sv}ssssssssu";
constexpr int kLayoutVariantIndex = 14;

QString stringAt(GVariant* tuple, gsize index)
{
    if (index >= g_variant_n_children(tuple))
        return {};
    return gvariantString(GVariantPtr(g_variant_get_child_value(tuple, index)).get());
}

} // namespace

std::optional<IBusEngineInfo> parseIBusEngineDesc(GVariant* value)
{
    if (!value)
        return std::nullopt;
    GVariantPtr current(g_variant_ref(value));
    for (int depth = 0; depth < 8 && g_variant_is_of_type(current.get(), G_VARIANT_TYPE_VARIANT);
         ++depth)
        current.reset(g_variant_get_variant(current.get()));
    if (!g_str_has_prefix(g_variant_get_type_string(current.get()), kTypePrefix) ||
        stringAt(current.get(), 0) != QLatin1String("IBusEngineDesc"))
        return std::nullopt;
    IBusEngineInfo info;
    info.name = stringAt(current.get(), 2);
    info.longname = stringAt(current.get(), 3);
    info.description = stringAt(current.get(), 4);
    info.language = stringAt(current.get(), 5);
    info.layout = stringAt(current.get(), 9);
    info.layoutVariant = stringAt(current.get(), kLayoutVariantIndex);
    if (info.name.isEmpty())
        return std::nullopt;
    return info;
}

QString ibusSourceId(const IBusEngineInfo& engine)
{
    // The Latin mode is named like an input method for English, so that the engine's own
    // language word does not outweigh it.
    return composeIBusSourceId(engine.name,
                               engine.latinMode ? QStringLiteral("en") : engine.language,
                               engine.longname, engine.layout, engine.layoutVariant);
}

} // namespace mirevo
