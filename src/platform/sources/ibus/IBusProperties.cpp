#include "platform/sources/ibus/IBusProperties.h"

#include "platform/sources/Gio.h"
#include "platform/sources/InputModes.h"

namespace mirevo {
namespace {

// IBusProperty: (s a{sv} key type label icon tooltip sensitive visible state sub_props
// symbol); daemons before 1.5 stop before symbol. IBusText: (s a{sv} text attributes).
constexpr char kPropertyPrefix[] = "(sa{sv}suvsvbbuv";
constexpr gsize kLabelIndex = 4;
constexpr gsize kSymbolIndex = 11;

GVariantPtr unwrapped(GVariant* value)
{
    GVariantPtr current(g_variant_ref(value));
    for (int depth = 0; depth < 8 && g_variant_is_of_type(current.get(), G_VARIANT_TYPE_VARIANT);
         ++depth)
        current.reset(g_variant_get_variant(current.get()));
    return current;
}

GVariantPtr child(GVariant* tuple, gsize index)
{
    if (!g_variant_is_container(tuple) || index >= g_variant_n_children(tuple))
        return nullptr;
    return GVariantPtr(g_variant_get_child_value(tuple, index));
}

// A serialised IBus object of the given class whose type starts with typePrefix.
GVariantPtr ibusObject(GVariant* value, const char* className, const char* typePrefix)
{
    if (!value)
        return nullptr;
    GVariantPtr object = unwrapped(value);
    if (!g_str_has_prefix(g_variant_get_type_string(object.get()), typePrefix) ||
        gvariantString(child(object.get(), 0).get()) != QLatin1String(className))
        return nullptr;
    return object;
}

QString textAt(GVariant* property, gsize index)
{
    const GVariantPtr field = child(property, index);
    const GVariantPtr text = ibusObject(field.get(), "IBusText", "(sa{sv}s");
    return text ? gvariantString(child(text.get(), 2).get()) : QString();
}

// The property's mode when it is the engine's InputMode.
std::optional<IBusInputMode> modeOf(GVariant* value)
{
    const GVariantPtr property = ibusObject(value, "IBusProperty", kPropertyPrefix);
    if (!property || gvariantString(child(property.get(), 2).get()) != QLatin1String("InputMode"))
        return std::nullopt;
    return isLatinInputMode(textAt(property.get(), kSymbolIndex),
                            textAt(property.get(), kLabelIndex))
               ? IBusInputMode::latin
               : IBusInputMode::native;
}

} // namespace

std::optional<IBusInputMode> inputModeOfPropList(GVariant* value)
{
    const GVariantPtr list = ibusObject(value, "IBusPropList", "(sa{sv}av)");
    if (!list)
        return std::nullopt;
    const GVariantPtr properties = child(list.get(), 2);
    for (gsize i = 0; i < g_variant_n_children(properties.get()); ++i) {
        if (const auto mode = modeOf(child(properties.get(), i).get()))
            return mode;
    }
    return IBusInputMode::none;
}

std::optional<IBusInputMode> inputModeOfProperty(GVariant* value)
{
    return modeOf(value);
}

} // namespace mirevo
