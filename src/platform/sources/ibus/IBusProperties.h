#pragma once

#include <optional>

typedef struct _GVariant GVariant;

namespace mirevo {

// The mode an IBus engine announces through its property named "InputMode".
enum class IBusInputMode {
    none,   // the engine has no such property: it types what its language says
    native, // its script
    latin,  // Latin letters (isLatinInputMode)
};

// An engine's RegisterProperties argument (an IBusPropList, inside any variants): the mode
// of its InputMode property, `none` for a list without one; nothing for another shape.
std::optional<IBusInputMode> inputModeOfPropList(GVariant* value);

// An engine's UpdateProperty argument (an IBusProperty): the mode when the property is
// InputMode; nothing for any other property or shape.
std::optional<IBusInputMode> inputModeOfProperty(GVariant* value);

} // namespace mirevo
