#include "platform/x11/Fcitx5MethodList.h"

#include <QDBusArgument>

namespace mirevo {

std::optional<QList<Fcitx5Method>> parseFcitx5Methods(const QVariant& value)
{
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    // Reading needs a const argument: the non-const array calls are the writer's.
    const QDBusArgument argument = qvariant_cast<QDBusArgument>(value);
    if (argument.currentSignature() != QLatin1String("a(ssssssb)"))
        return std::nullopt;
    QList<Fcitx5Method> methods;
    argument.beginArray();
    while (!argument.atEnd()) {
        Fcitx5Method method;
        QString nativeName, icon, label;
        bool configurable = false;
        argument.beginStructure();
        argument >> method.uniqueName >> method.name >> nativeName >> icon >> label >>
            method.languageCode >> configurable;
        argument.endStructure();
        methods << method;
    }
    argument.endArray();
    return methods;
}

} // namespace mirevo
