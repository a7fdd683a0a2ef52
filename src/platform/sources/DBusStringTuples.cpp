#include "platform/sources/DBusStringTuples.h"

#include <QDBusArgument>

namespace mirevo {

std::optional<QList<QStringList>> parseStringTuples(const QVariant& value,
                                                    QLatin1StringView signature)
{
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    // Reading needs a const argument: the non-const array calls are the writer's.
    const QDBusArgument argument = qvariant_cast<QDBusArgument>(value);
    if (argument.currentSignature() != signature)
        return std::nullopt;
    const qsizetype strings = signature.count(QLatin1Char('s'));
    const bool trailingFlag = signature.endsWith(QLatin1String("b)"));
    QList<QStringList> tuples;
    argument.beginArray();
    while (!argument.atEnd()) {
        QStringList fields;
        argument.beginStructure();
        for (qsizetype i = 0; i < strings; ++i) {
            QString field;
            argument >> field;
            fields << field;
        }
        if (trailingFlag) {
            bool flag = false;
            argument >> flag;
        }
        argument.endStructure();
        tuples << fields;
    }
    argument.endArray();
    return tuples;
}

std::optional<QList<Fcitx5Method>> parseFcitx5Methods(const QVariant& value)
{
    const auto tuples = parseStringTuples(value, QLatin1StringView("a(ssssssb)"));
    if (!tuples)
        return std::nullopt;
    QList<Fcitx5Method> methods;
    for (const QStringList& t : *tuples)
        methods << Fcitx5Method{t[0], t[1], t[5], t[3]};
    return methods;
}

std::optional<QList<KdeLayout>> parseKdeLayouts(const QVariant& value)
{
    const auto tuples = parseStringTuples(value, QLatin1StringView("a(sss)"));
    if (!tuples)
        return std::nullopt;
    QList<KdeLayout> layouts;
    for (const QStringList& t : *tuples)
        layouts << KdeLayout{t[0], t[1], t[2]};
    return layouts;
}

} // namespace mirevo
