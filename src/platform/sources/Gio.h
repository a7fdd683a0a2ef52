#pragma once

// GIO for the platform code: GSettings, and D-Bus connections opened without blocking.
// GIO names a structure field "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <QString>

#include <memory>

namespace mirevo {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct GVariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectUnref>;
using GVariantPtr = std::unique_ptr<GVariant, GVariantUnref>;

// The string of a string-typed GVariant; empty for any other value.
inline QString gvariantString(GVariant* value)
{
    if (!value || !g_variant_is_of_type(value, G_VARIANT_TYPE_STRING))
        return {};
    return QString::fromUtf8(g_variant_get_string(value, nullptr));
}

// GIO's callbacks run from GLib's main context of the main thread. Qt's event loop is
// GLib's on Linux; where it is not (QT_NO_GLIB), Qt's loop watches the context's file
// descriptors and runs its work when they wake.
void ensureGLibDispatch();

} // namespace mirevo
