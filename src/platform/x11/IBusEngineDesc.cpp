#include "platform/x11/IBusEngineDesc.h"

#include <QDBusArgument>
#include <QDBusVariant>

namespace mirevo {
namespace {

// (s a{sv} name longname description language license author icon layout u hotkeys symbol
//  setup layout_variant ...): older daemons stop before layout_variant.
const QLatin1StringView kSignaturePrefix("(sa{sv}ssssssssu");

QString readString(const QDBusArgument& argument)
{
    QString value;
    argument >> value;
    return value;
}

} // namespace

std::optional<IBusEngineInfo> parseIBusEngineDesc(const QVariant& value)
{
    QVariant current = value;
    for (int depth = 0; depth < 8 && current.metaType() == QMetaType::fromType<QDBusVariant>();
         ++depth)
        current = qvariant_cast<QDBusVariant>(current).variant();
    if (current.metaType() != QMetaType::fromType<QDBusArgument>())
        return std::nullopt;
    // Reading needs a const argument: the non-const structure calls are the writer's.
    const QDBusArgument argument = qvariant_cast<QDBusArgument>(current);
    const QString signature = argument.currentSignature();
    if (!signature.startsWith(kSignaturePrefix))
        return std::nullopt;
    qsizetype trailingStrings = 0;
    while (kSignaturePrefix.size() + trailingStrings < signature.size() &&
           signature.at(kSignaturePrefix.size() + trailingStrings) == QLatin1Char('s'))
        ++trailingStrings;

    argument.beginStructure();
    if (readString(argument) != QLatin1String("IBusEngineDesc"))
        return std::nullopt;
    QVariantMap attachments;
    argument >> attachments;
    IBusEngineInfo info;
    info.name = readString(argument);
    info.longname = readString(argument);
    info.description = readString(argument);
    info.language = readString(argument);
    readString(argument); // license
    readString(argument); // author
    readString(argument); // icon
    info.layout = readString(argument);
    uint rank = 0;
    argument >> rank;
    if (trailingStrings >= 4) {
        readString(argument); // hotkeys
        readString(argument); // symbol
        readString(argument); // setup
        info.layoutVariant = readString(argument);
    }
    if (info.name.isEmpty())
        return std::nullopt;
    return info;
}

} // namespace mirevo
