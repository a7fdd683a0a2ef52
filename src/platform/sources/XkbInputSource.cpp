#include "platform/sources/XkbInputSource.h"

#include "platform/sources/SourceIdComposition.h"

namespace mirevo {

XkbInputSource::XkbInputSource(QObject* parent) : InputSource(parent)
{
    connect(&m_xkb, &XkbConnection::changed, this, &InputSource::mayHaveChanged);
}

std::optional<QString> XkbInputSource::currentSourceId()
{
    const std::optional<XkbConnection::Group> group = m_xkb.currentGroup();
    if (!group)
        return std::nullopt;
    return composeXkbSourceId(group->layout, group->variant, group->groupName);
}

} // namespace mirevo
